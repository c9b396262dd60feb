// Definitions of the GL / GLU entry points with the signatures the Linux headers declare; each
// one appends a Call while recording is on.
#include "gl_recorder.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <initializer_list>
#include <sstream>

#include "scene.h"

// Opaque in the GLU header; the recorder hands out one object of its own.
class GLUquadric {};

namespace glrec {

namespace {

struct RecorderState {
    bool recording = true;
    std::vector<Call> calls;
};

RecorderState& State()
{
    static RecorderState state;
    return state;
}

void Record(const char* name, std::initializer_list<double> args = {})
{
    RecorderState& state = State();
    if (state.recording)
        state.calls.push_back(Call{name, std::vector<double>(args)});
}

void RecordArray(const char* name, std::initializer_list<double> head, const GLfloat* values,
                 int count)
{
    RecorderState& state = State();
    if (!state.recording)
        return;
    Call call{name, std::vector<double>(head)};
    for (int i = 0; i < count; ++i)
        call.args.push_back(values[i]);
    state.calls.push_back(std::move(call));
}

}  // namespace

void SetRecording(bool on) { State().recording = on; }
bool Recording() { return State().recording; }
void Clear() { State().calls.clear(); }
const std::vector<Call>& Calls() { return State().calls; }

std::string Describe(const Call& call)
{
    std::ostringstream text;
    text << call.name << "(";
    for (size_t i = 0; i < call.args.size(); ++i)
        text << (i ? ", " : "") << call.args[i];
    text << ")";
    return text.str();
}

std::vector<std::string> Names(const std::vector<Call>& calls)
{
    std::vector<std::string> names;
    names.reserve(calls.size());
    for (const Call& call : calls)
        names.emplace_back(call.name);
    return names;
}

}  // namespace glrec

using glrec::Record;
using glrec::RecordArray;

void GLAPIENTRY glClear(GLbitfield mask) { Record("glClear", {double(mask)}); }
void GLAPIENTRY glEnable(GLenum cap) { Record("glEnable", {double(cap)}); }
void GLAPIENTRY glDisable(GLenum cap) { Record("glDisable", {double(cap)}); }

void GLAPIENTRY glNewList(GLuint list, GLenum mode) { Record("glNewList", {double(list), double(mode)}); }
void GLAPIENTRY glEndList(void) { Record("glEndList"); }
void GLAPIENTRY glCallList(GLuint list) { Record("glCallList", {double(list)}); }

void GLAPIENTRY glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    RecordArray("glLightfv", {double(light), double(pname)}, params, 4);
}
void GLAPIENTRY glMaterialf(GLenum face, GLenum pname, GLfloat param)
{
    Record("glMaterialf", {double(face), double(pname), param});
}
void GLAPIENTRY glColorMaterial(GLenum face, GLenum mode)
{
    Record("glColorMaterial", {double(face), double(mode)});
}
void GLAPIENTRY glColor3f(GLfloat red, GLfloat green, GLfloat blue)
{
    Record("glColor3f", {red, green, blue});
}

void GLAPIENTRY glPushMatrix(void) { Record("glPushMatrix"); }
void GLAPIENTRY glPopMatrix(void) { Record("glPopMatrix"); }
void GLAPIENTRY glLoadIdentity(void) { Record("glLoadIdentity"); }
void GLAPIENTRY glTranslatef(GLfloat x, GLfloat y, GLfloat z) { Record("glTranslatef", {x, y, z}); }
void GLAPIENTRY glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    Record("glRotatef", {angle, x, y, z});
}
void GLAPIENTRY glScalef(GLfloat x, GLfloat y, GLfloat z) { Record("glScalef", {x, y, z}); }

void GLAPIENTRY glBegin(GLenum mode) { Record("glBegin", {double(mode)}); }
void GLAPIENTRY glEnd(void) { Record("glEnd"); }
void GLAPIENTRY glVertex3fv(const GLfloat* v) { RecordArray("glVertex3fv", {}, v, 3); }

GLUquadric* GLAPIENTRY gluNewQuadric(void)
{
    static GLUquadric quadric;
    Record("gluNewQuadric");
    return &quadric;
}
void GLAPIENTRY gluDeleteQuadric(GLUquadric*) { Record("gluDeleteQuadric"); }
void GLAPIENTRY gluSphere(GLUquadric*, GLdouble radius, GLint slices, GLint stacks)
{
    Record("gluSphere", {radius, double(slices), double(stacks)});
}

void PresentFrame() { Record("PresentFrame"); }
