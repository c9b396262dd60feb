// Three single-precision floats, a point or a direction in world units, and the vector helpers
// the tops' heading needs.
#pragma once

struct Vec3 {
    float x;
    float y;
    float z;
};

// Scales v to unit length and returns its former length; a zero or not-a-number length leaves
// v unchanged and returns 0.
float Normalize3(Vec3& v);
float Dot3(const Vec3& a, const Vec3& b);
// out = a x b (out may not alias a or b).
void Cross3(const Vec3& a, const Vec3& b, Vec3& out);
