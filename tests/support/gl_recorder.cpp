// The GL / GLU entry points with the signatures the Linux headers declare; while recording is on
// each appends a Call, but for gluNewQuadric, whose quadric only the sphere and delete calls use.
#include "gl_recorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "scene.h"

static class GLUquadric {} quadric;  // opaque in the GLU header; the one the recorder hands out

namespace glrec {

bool recording = true;
std::vector<Call> calls;

std::string FirstDifference(const std::vector<Call>& actual, const std::vector<Call>& expected, double tolerance)
{
    auto text = [](const Call& call) {
        std::string out = call.name + "(";
        for (size_t k = 0; k < call.args.size(); ++k)
            out += (k ? ", " : "") + std::to_string(call.args[k]);
        return out + ")";
    };
    for (size_t i = 0; i < actual.size() || i < expected.size(); ++i) {
        const Call& a = i < actual.size() ? actual[i] : Call{"nothing", {}};
        const Call& e = i < expected.size() ? expected[i] : Call{"nothing", {}};
        bool same = a.name == e.name && a.args.size() == e.args.size();
        for (size_t k = 0; same && k < a.args.size(); ++k)
            same = std::fabs(a.args[k] - e.args[k]) <= tolerance;
        if (!same)
            return "call " + std::to_string(i) + " is " + text(a) + ", expected " + text(e);
    }
    return "";
}

}  // namespace glrec

// Variadic, so that nothing is built, let alone allocated, while recording is off.
template <typename... Args>
static void Record(const char* name, Args... args)
{
    if (glrec::recording)
        glrec::calls.push_back(glrec::Call{name, {double(args)...}});
}

void GLAPIENTRY glClear(GLbitfield mask) { Record("glClear", mask); }
void GLAPIENTRY glEnable(GLenum cap) { Record("glEnable", cap); }
void GLAPIENTRY glDisable(GLenum cap) { Record("glDisable", cap); }
void GLAPIENTRY glNewList(GLuint list, GLenum mode) { Record("glNewList", list, mode); }
void GLAPIENTRY glEndList(void) { Record("glEndList"); }
void GLAPIENTRY glCallList(GLuint list) { Record("glCallList", list); }
void GLAPIENTRY glLightfv(GLenum l, GLenum p, const GLfloat* v) { Record("glLightfv", l, p, v[0], v[1], v[2], v[3]); }
void GLAPIENTRY glMaterialf(GLenum face, GLenum p, GLfloat v) { Record("glMaterialf", face, p, v); }
void GLAPIENTRY glColorMaterial(GLenum face, GLenum mode) { Record("glColorMaterial", face, mode); }
void GLAPIENTRY glColor3f(GLfloat r, GLfloat g, GLfloat b) { Record("glColor3f", r, g, b); }
void GLAPIENTRY glPushMatrix(void) { Record("glPushMatrix"); }
void GLAPIENTRY glPopMatrix(void) { Record("glPopMatrix"); }
void GLAPIENTRY glLoadIdentity(void) { Record("glLoadIdentity"); }
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Record("glTranslatef", x, y, z); }
void GLAPIENTRY glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { Record("glRotatef", a, x, y, z); }
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { Record("glScalef", x, y, z); }
void GLAPIENTRY glBegin(GLenum mode) { Record("glBegin", mode); }
void GLAPIENTRY glEnd(void) { Record("glEnd"); }
void GLAPIENTRY glVertex3fv(const GLfloat* v) { Record("glVertex3fv", v[0], v[1], v[2]); }
GLUquadric* GLAPIENTRY gluNewQuadric(void) { return &quadric; }
void GLAPIENTRY gluDeleteQuadric(GLUquadric*) { Record("gluDeleteQuadric"); }
void GLAPIENTRY gluSphere(GLUquadric*, GLdouble r, GLint slices, GLint stacks) { Record("gluSphere", r, slices, stacks); }
void PresentFrame() { Record("PresentFrame"); }
