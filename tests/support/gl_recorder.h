// A recording stand-in for the OpenGL 1.1 and GLU entry points the scene uses (and the
// platform's PresentFrame): each call is kept with its arguments, in order, so host tests can
// check a frame exactly without a display. With recording off every entry point is a no-op that
// allocates nothing, for long runs and benchmarks.
#pragma once

#include <string>
#include <vector>

namespace glrec {

struct Call {
    const char* name;          // the entry point, e.g. "glTranslatef", or "PresentFrame"
    std::vector<double> args;  // scalars in order; an array argument contributes its elements
};

// On by default.
void SetRecording(bool on);
bool Recording();

void Clear();
const std::vector<Call>& Calls();

// "glTranslatef(1, 2, 3)", for failure messages.
std::string Describe(const Call& call);
// The names of `calls`, in order.
std::vector<std::string> Names(const std::vector<Call>& calls);

}  // namespace glrec
