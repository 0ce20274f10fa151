#include "sim/view/color_time.h"
#include <cmath>
#include "sim/aircraft/pln.h"
#include "sim/flight/rel.h"
#include "sim/view/scn.h"

static float limit_colour(float v) {
  if (!(v > 0.0f)) return 0.0f;  // NaN too
  return v > 0.99f ? 0.99f : v;
}

void sim_change_colors_for_time(int index, float* r, float* g, float* b) {
  // Colours from 53 up are the view's own, left alone unless amplified.
  if (!scn.lamp && index >= 53) return;
  float m = *r;
  if (*g > m) m = *g;
  if (*b > m) m = *b;
  switch (scn.time) {
    case 2:
      *r *= 0.9f; *g *= 0.9f; *b *= 0.9f;
      break;
    case 3:
      if (!rel.clights) {
        *r *= 0.6f; *g *= 0.6f; *b *= 0.6f;
      } else {
        *g *= 0.7f; *b *= 0.7f;
      }
      break;
    case 4:
      if (!rel.clights) {
        *r *= 0.1f; *g *= 0.1f; *b *= 0.1f;
      } else if (pln.paneltype == 1) {
        // Red cockpit lighting keeps the brightness.
        *r = m; *g = 0; *b = 0;
      } else if (pln.paneltype == 2) {
        *r *= 0.8f; *g *= 0.6f; *b *= 0.6f;
      }
      break;
    default:
      break;
  }
  if (scn.lamp) {
    *r = 0;
    *g = std::pow(m > 0 ? m : 0.0f, 0.4f) * (index < 53 ? 0.6f : 1.0f);
    *b = 0;
  }
  *r = limit_colour(*r);
  *g = limit_colour(*g);
  *b = limit_colour(*b);
}
