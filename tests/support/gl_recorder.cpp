// The GL / GLU entry points with the signatures the Linux headers declare; while recording is on
// each appends a Call, but for gluNewQuadric, whose quadric only the sphere and delete calls use.
#include "gl_recorder.h"

#include "platform.h"

#include <GL/gl.h>
#include <GL/glu.h>

class GLUquadric {};  // opaque in the GLU header

bool glrec::recording = true;
std::vector<glrec::Call> glrec::calls;

// Variadic, so that nothing is built, let alone allocated, while recording is off.
template <typename... Args>
static void Record(const char* name, Args... args)
{
    if (glrec::recording)
        glrec::calls.push_back(glrec::Call{name, {double(args)...}});
}

#define RECORDED(name, params, ...)               \
    void name params                              \
    {                                             \
        Record(#name __VA_OPT__(, ) __VA_ARGS__); \
    }

RECORDED(glClear, (GLbitfield mask), mask)
RECORDED(glEnable, (GLenum cap), cap)
RECORDED(glDisable, (GLenum cap), cap)
RECORDED(glNewList, (GLuint list, GLenum mode), list, mode)
RECORDED(glEndList, (void))
RECORDED(glCallList, (GLuint list), list)
RECORDED(glLightfv, (GLenum l, GLenum p, const GLfloat* v), l, p, v[0], v[1], v[2], v[3])
RECORDED(glMaterialf, (GLenum face, GLenum p, GLfloat v), face, p, v)
RECORDED(glColorMaterial, (GLenum face, GLenum mode), face, mode)
RECORDED(glColor3f, (GLfloat r, GLfloat g, GLfloat b), r, g, b)
RECORDED(glPushMatrix, (void))
RECORDED(glPopMatrix, (void))
RECORDED(glLoadIdentity, (void))
RECORDED(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORDED(glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), a, x, y, z)
RECORDED(glScalef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
RECORDED(glBegin, (GLenum mode), mode)
RECORDED(glEnd, (void))
RECORDED(glVertex3fv, (const GLfloat* v), v[0], v[1], v[2])
RECORDED(gluDeleteQuadric, (GLUquadric*))
RECORDED(gluSphere, (GLUquadric*, GLdouble r, GLint slices, GLint stacks), r, slices, stacks)
RECORDED(glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), x, y, width, height)
RECORDED(glMatrixMode, (GLenum mode), mode)
RECORDED(glFrontFace, (GLenum mode), mode)
RECORDED(glClearColor, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), r, g, b, a)
RECORDED(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far), fovy,
         aspect, near, far)
RECORDED(PresentFrame, ())

GLUquadric* gluNewQuadric(void)
{
    static GLUquadric quadric;
    return &quadric;
}
