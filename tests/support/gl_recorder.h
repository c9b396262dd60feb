// A recording stand-in for the OpenGL 1.1 and GLU entry points the scene uses (and the
// platform's PresentFrame), so host tests compare a frame call by call without a display.
#pragma once

#include <string>
#include <vector>

namespace glrec {

// An entry point and its scalar arguments in order; an array adds its elements.
struct Call {
    std::string name;
    std::vector<double> args;
};

extern bool recording;           // on at start; off, no entry point records or allocates
extern std::vector<Call> calls;  // in order, since a test last cleared them

}  // namespace glrec
