// Bezier curve evaluation from the float factorial table and the standard power function.
#include "curve.h"

#include <cmath>

float factorials[kFactorialCount];

uint32_t Factorial(uint32_t n)
{
    uint32_t product = 1;
    for (uint32_t k = 2; k <= n; ++k)
        product *= k;
    return product;
}

void FillFactorials()
{
    for (int k = 0; k < kFactorialCount; ++k)
        factorials[k] = static_cast<float>(Factorial(static_cast<uint32_t>(k)));
}

Vec3 BezierPoint(const Vec3* points, int degree, float t)
{
    const int n = degree;
    const float oneMinusT = 1.0f - t;  // rounded to float before it is raised
    Vec3 sum{0.0f, 0.0f, 0.0f};
    for (int i = 0; i <= n; ++i) {
        const float binomial = factorials[n] / (factorials[n - i] * factorials[i]);
        // std::pow gives any base to the power 0 as 1, 0^0 included.
        const float below = std::pow(oneMinusT, static_cast<float>(n - i));
        const float above = std::pow(t, static_cast<float>(i));
        sum.x += points[i].x * binomial * below * above;
        sum.y += points[i].y * binomial * below * above;
        sum.z += points[i].z * binomial * below * above;
    }
    return sum;
}
