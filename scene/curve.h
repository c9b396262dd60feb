// The paths' Bezier curves in Bernstein form, with their table of factorials.
#pragma once

#include <cstdint>

#include "vec3.h"

inline constexpr int kFactorialCount = 13;  // 0! .. 12!: enough for curves of degree 12

// factorials[k] = k! as float; filled by FillFactorials during the scene set-up.
extern float factorials[kFactorialCount];

// n! in unsigned 32-bit arithmetic (1 for n = 0); exact up to 12!.
uint32_t Factorial(uint32_t n);
void FillFactorials();

// The curve of degree `degree` over points[0] .. points[degree] at parameter t: points[0] at 0,
// points[degree] at 1; parameters slightly outside 0..1 extend the curve. Reads factorials.
Vec3 BezierPoint(const Vec3* points, int degree, float t);
