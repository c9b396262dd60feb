// The scene's OpenGL 1.1 and GLU calls. No result or error state is examined.
#include "gl_drawing.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "curve.h"
#include "top.h"
#include "top_path.h"

void BuildTopModel(int32_t topSize)
{
    glNewList(kTopModelList, GL_COMPILE);
    // GLU's defaults: filled, smooth outward normals, no texture coordinates.
    GLUquadric* quadric = gluNewQuadric();
    if (quadric) {
        gluSphere(quadric, static_cast<float>(topSize) * 0.25f, 3, 2);
        gluDeleteQuadric(quadric);
    }
    glEndList();
}

void SetUpLightAndMaterial()
{
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    static const GLfloat ambient[] = {0.25f, 0.25f, 0.25f, 0.0f};
    static const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 0.0f};
    static const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 0.0f};
    // w = 0: a directional light. Set under the identity model-view matrix, and the camera lives
    // in the projection matrix, so the direction holds in scene coordinates for either view.
    static const GLfloat position[] = {400.0f, -200.0f, 400.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    glEnable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT, GL_SHININESS, 20.0f);
    // The specular colour is taken from the current colour once, then colour material moves on
    // to ambient and diffuse and leaves the specular grey.
    glColorMaterial(GL_FRONT, GL_SPECULAR);
    glColor3f(0.7f, 0.7f, 0.7f);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

void DrawTop(const Top& top)
{
    glColor3f(top.colour.red, top.colour.green, top.colour.blue);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(top.position.x, top.position.y, top.position.z);
    glRotatef(top.tilt, top.tiltAxis.x, top.tiltAxis.y, top.tiltAxis.z);
    glRotatef(top.spin, 0.0f, 1.0f, 0.0f);
    glTranslatef(top.orbitRadius, 0.0f, 0.0f);
    // Here the local z axis runs along the top's motion around its orbit.
    if (top.path.Params().stretchTops)
        glScalef(1.0f, 1.0f, top.stretch);
    glCallList(kTopModelList);
    glPopMatrix();
}

namespace {

void Vertex(const Vec3& point)
{
    const GLfloat xyz[3] = {point.x, point.y, point.z};
    glVertex3fv(xyz);
}

}  // namespace

void DrawPath(const TopPath& path)
{
    glDisable(GL_LIGHTING);
    glColor3f(0.0f, 1.0f, 0.0f);
    glBegin(GL_LINE_STRIP);
    // A float parameter raised by 0.02 while below 1: 51 vertices, the last at 0.9999996.
    for (float t = 0.0f; t < 1.0f; t += 0.02f)
        Vertex(BezierPoint(path.points, path.Degree(), t));
    glEnd();

    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINE_STRIP);
    for (int32_t i = 0; i < path.PointCount(); ++i)
        Vertex(path.points[i]);
    glEnd();
    glEnable(GL_LIGHTING);
}
