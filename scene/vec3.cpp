// Vector helpers of the tops' heading.
#include "vec3.h"

#include <cmath>

float Normalize3(Vec3& v)
{
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length == 0.0f || std::isnan(length))
        return 0.0f;
    v.x /= length;
    v.y /= length;
    v.z /= length;
    return length;
}

float Dot3(const Vec3& a, const Vec3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

void Cross3(const Vec3& a, const Vec3& b, Vec3& out)
{
    out.x = a.y * b.z - a.z * b.y;
    out.y = a.z * b.x - a.x * b.z;
    out.z = a.x * b.y - a.y * b.x;
}
