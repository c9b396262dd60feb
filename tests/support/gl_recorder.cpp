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
// The shapes most entry points share: a mode, none, three and four floats.
#define RECORDED_ENUM(name) RECORDED(name, (GLenum a), a)
#define RECORDED_VOID(name) RECORDED(name, ())
#define RECORDED_3F(name) RECORDED(name, (GLfloat a, GLfloat b, GLfloat c), a, b, c)
#define RECORDED_4F(name) RECORDED(name, (GLfloat a, GLfloat b, GLfloat c, GLfloat d), a, b, c, d)

RECORDED_ENUM(glEnable)
RECORDED_ENUM(glDisable)
RECORDED_ENUM(glBegin)
RECORDED_ENUM(glMatrixMode)
RECORDED_ENUM(glFrontFace)
RECORDED_VOID(glEndList)
RECORDED_VOID(glPushMatrix)
RECORDED_VOID(glPopMatrix)
RECORDED_VOID(glLoadIdentity)
RECORDED_VOID(glEnd)
RECORDED_VOID(PresentFrame)
RECORDED_3F(glColor3f)
RECORDED_3F(glTranslatef)
RECORDED_3F(glScalef)
RECORDED_4F(glRotatef)
RECORDED_4F(glClearColor)
RECORDED(glClear, (GLbitfield mask), mask)
RECORDED(glNewList, (GLuint list, GLenum mode), list, mode)
RECORDED(glCallList, (GLuint list), list)
RECORDED(glLightfv, (GLenum l, GLenum p, const GLfloat* v), l, p, v[0], v[1], v[2], v[3])
RECORDED(glMaterialf, (GLenum face, GLenum p, GLfloat v), face, p, v)
RECORDED(glColorMaterial, (GLenum face, GLenum mode), face, mode)
RECORDED(glVertex3fv, (const GLfloat* v), v[0], v[1], v[2])
RECORDED(gluDeleteQuadric, (GLUquadric*))
RECORDED(gluSphere, (GLUquadric*, GLdouble r, GLint slices, GLint stacks), r, slices, stacks)
RECORDED(glViewport, (GLint x, GLint y, GLsizei width, GLsizei height), x, y, width, height)
RECORDED(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble near, GLdouble far), fovy,
         aspect, near, far)

GLUquadric* gluNewQuadric(void)
{
    static GLUquadric quadric;
    return &quadric;
}
