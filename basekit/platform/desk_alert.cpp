// Modal alert boxes.
#include "basekit/platform/desk_internal.h"

int desk_alert(const char* title, const char* const* lines, int nlines, int buttons,
               const char* const* labels) {
  (void)labels;
  desk_record_alert(title, lines, nlines);
  int kind, button;
  if (desk_take_answer(&kind, &button, nullptr, 0)) {
    if (kind == DESK_ANSWER_BUTTON && button >= 0 && button < buttons) return button;
    return 0;
  }
  return 0;
}
