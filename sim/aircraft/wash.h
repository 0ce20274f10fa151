// Estimates used once when an aircraft is prepared: the downwash behind a
// wing, its chart interpolator and the area of a triangle in space.
#pragma once

float findspecwash(float hDs, float xDs, float AR, float TR);
float interp9(float x1, float x2, float x3, float y1, float y2, float y3,
              float z11, float z21, float z31, float z12, float z22, float z32,
              float z13, float z23, float z33, float x, float y);
float findarea(float x1, float y1, float z1, float x2, float y2, float z2,
               float x3, float y3, float z3);
