#include "sim/aircraft/wash.h"
#include <cmath>
#include "basekit/bk_funct.h"

float interp9(float x1, float x2, float x3, float y1, float y2, float y3,
              float z11, float z21, float z31, float z12, float z22, float z32,
              float z13, float z23, float z33, float x, float y) {
  // Pick the cell, then two row interpolations along x and one along y;
  // points off the chart extrapolate from the edge cell.
  int left = x < x2;
  int top = y > y2;
  float xa = left ? x1 : x2, xb = left ? x2 : x3;
  float ya = top ? y1 : y2, yb = top ? y2 : y3;
  float za_a, zb_a, za_b, zb_b;  // z at (xa, ya), (xb, ya), (xa, yb), (xb, yb)
  if (top) {
    za_a = left ? z11 : z21; zb_a = left ? z21 : z31;
    za_b = left ? z12 : z22; zb_b = left ? z22 : z32;
  } else {
    za_a = left ? z12 : z22; zb_a = left ? z22 : z32;
    za_b = left ? z13 : z23; zb_b = left ? z23 : z33;
  }
  float row_a = interp(xa, za_a, xb, zb_a, x);
  float row_b = interp(xa, za_b, xb, zb_b, x);
  return interp(ya, row_a, yb, row_b, y);
}

float findspecwash(float hDs, float xDs, float AR, float TR) {
  float A = fltlim(AR, 3, 15);
  float T = fltlim(TR, 0.1f, 1.1f);
  float e0 = interp9(6, 9, 12, 1.0f, 0.5f, 0.2f, 6.2f, 4.0f, 3.0f, 8.0f, 5.1f, 3.9f, 9.1f, 6.1f, 4.3f, A, T);
  float k = interp9(6, 9, 12, 1.0f, 0.5f, 0.2f, -5.25f, -3.5f, -2.51f, -8.17f, -5.33f, -4.0f, -12.0f,
                    -7.38f, -5.0f, A, T);
  float m4 = interp9(6, 9, 12, 1.0f, 0.5f, 0.2f, 0.8f, 0.6f, 0.5f, 0.7f, 0.5f, 0.4f, 0.4f, 0.3f, 0.1f, A, T);
  float m0 = interp9(6, 9, 12, 1.0f, 0.5f, 0.2f, 1.5f, 1.3f, 1.0f, 1.5f, 1.1f, 0.7f, 1.4f, 1.0f, 0.4f, A, T);
  float w = fltlim(k * hDs + e0, 0, 10);
  float u = fltlim(interp(0, m0, 0.4f, m4, hDs) * (xDs - 0.6f), 0, 10);
  return w - (xDs - 0.6f) * u;
}

float findarea(float x1, float y1, float z1, float x2, float y2, float z2,
               float x3, float y3, float z3) {
  float ax = x2 - x1, ay = y2 - y1, az = z2 - z1;
  float bx = x3 - x1, by = y3 - y1, bz = z3 - z1;
  float cx = ay * bz - az * by, cy = az * bx - ax * bz, cz = ax * by - ay * bx;
  return 0.5f * std::sqrt(cx * cx + cy * cy + cz * cz);
}
