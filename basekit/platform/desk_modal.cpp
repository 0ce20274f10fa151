// The answer queue and the record of alerts shown, shared by the alert box and
// the file dialogs, so that tests and headless runs can answer them.
#include "basekit/platform/desk_internal.h"
#include <cstring>
#include <string>
#include <vector>

struct desk_answer {
  int kind;
  int button;
  std::string path;
};
static std::vector<desk_answer> answers;
static std::vector<std::string> alerts_shown;
static void (*alert_listener)(const char*, const char*) = nullptr;

void desk_answer_push_button(int button) { answers.push_back({DESK_ANSWER_BUTTON, button, ""}); }
void desk_answer_push_path(const char* path) { answers.push_back({DESK_ANSWER_PATH, 0, path}); }
void desk_answer_push_cancel() { answers.push_back({DESK_ANSWER_CANCEL, 0, ""}); }
int desk_answers_pending() { return (int)answers.size(); }
void desk_answer_clear() { answers.clear(); }

int desk_alert_count() { return (int)alerts_shown.size(); }
const char* desk_alert_text(int n) {
  if (n < 0 || n >= (int)alerts_shown.size()) return "";
  return alerts_shown[n].c_str();
}
void desk_alert_record_clear() { alerts_shown.clear(); }
void desk_set_alert_listener(void (*listener)(const char*, const char*)) { alert_listener = listener; }

void desk_record_alert(const char* title, const char* const* lines, int nlines) {
  std::string text;
  for (int i = 0; i < nlines; i++) {
    if (i) text += '\n';
    text += lines[i] ? lines[i] : "";
  }
  alerts_shown.push_back(text);
  if (alert_listener) alert_listener(title, text.c_str());
}

int desk_take_answer(int* kind, int* button, char* path, int path_size) {
  if (answers.empty()) return 0;
  desk_answer a = answers.front();
  answers.erase(answers.begin());
  *kind = a.kind;
  *button = a.button;
  if (path && path_size > 0) {
    std::strncpy(path, a.path.c_str(), (size_t)path_size - 1);
    path[path_size - 1] = 0;
  }
  return 1;
}
