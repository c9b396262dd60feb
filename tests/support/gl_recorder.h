// A recording stand-in for the OpenGL 1.1 and GLU entry points the scene uses (and the
// platform's PresentFrame), so host tests compare a frame call by call without a display.
#pragma once

#include <string>
#include <vector>

namespace glrec {

// The entry point, e.g. "glTranslatef", or "PresentFrame", and its scalar arguments in order (an array adds its elements).
struct Call { std::string name; std::vector<double> args; };

extern bool recording;           // on at start; off, every entry point is a no-op that allocates nothing
extern std::vector<Call> calls;  // in order, since a test last cleared them

// "" when `actual` is `expected`, each argument within `tolerance`; else the first call that differs.
std::string FirstDifference(const std::vector<Call>& actual, const std::vector<Call>& expected, double tolerance = 1e-3);

}  // namespace glrec
