#include "tools/headless/script.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

const char* const script_help =
    "Script format: one command a line, '#' starts a comment.\n"
    "  FRAME VERB ARGS...   the command runs just before frame FRAME (frame 0: before start-up)\n"
    "Verbs:\n"
    "  key NAME [shift]       press and release a key: a character (a, 1, comma, space ...),\n"
    "                         F1..F12, KP0..KP9, UP DOWN LEFT RIGHT, BACKSPACE, RETURN, ESCAPE, TAB\n"
    "  type TEXT              type the characters of TEXT (rest of the line)\n"
    "  click X Y [right]      press and release a mouse button at screen pixel X, Y\n"
    "  press X Y [right]      press a mouse button and hold it\n"
    "  release X Y [right]    release it\n"
    "  move X Y               move the mouse\n"
    "  wclick N X Y [right]   click at X, Y of window N's client area (0, 0 its top-left corner)\n"
    "  wpress N X Y [right]   press there and hold\n"
    "  wrelease N X Y         release there\n"
    "  close N                close window N as its close box does (its close action runs)\n"
    "  menu COMMAND           send a menu command (menu x 100 + item)\n"
    "  openmenu MENU          open pull-down menu MENU as if its title were clicked\n"
    "  joy DEV axis N VALUE   joystick DEV (0, 1) axis N to VALUE (-32768..32767)\n"
    "  joy DEV button N 0|1   joystick button\n"
    "  joy DEV hat BITS       hat: 1 up, 2 right, 4 down, 8 left\n"
    "  joy DEV off            unplug the scripted joystick\n"
    "  answer N               the next alert gets button N (0 = OK)\n"
    "  answer-path PATH       the next file dialog chooses PATH\n"
    "  answer-cancel          the next file dialog or alert is cancelled\n"
    "  view COMMAND           switch to view COMMAND (601..626) as its View menu item does\n"
    "  zoom FACTOR            multiply the view's zoom by FACTOR\n"
    "  time N                 time of day 1..4\n"
    "  vis NM                 visibility, nautical miles\n"
    "  screenshot PATH        write a PNG of the screen after this frame\n"
    "  throttle F             every throttle lever to F (0 idle .. 1 full)\n"
    "  mixture F              every mixture lever to F (0 cut-off .. 1 rich)\n"
    "  flaps N                flaps toward setting N (0 up .. 50 full)\n"
    "  brakes F               parking brake to F (0 off .. 1 full)\n"
    "  stick P R Y            hold the keyboard's stick at pitch P, roll R, yaw Y (-1..1)\n"
    "  trim T                 pitch trim to T\n"
    "  ap heading DEG         autopilot heading select on, heading bug to DEG magnetic\n"
    "  ap altitude FT [FPM]   autopilot altitude hold at FT, climbing or descending at FPM at most\n"
    "  ap vs FPM              autopilot vertical-speed hold at FPM\n"
    "  ap approach            autopilot on NAV 2's localizer and glide slope\n"
    "  ap off                 every autopilot mode off\n"
    "  state                  print the flight state: state frame= t= lat= lon= alt_ft= agl_ft=\n"
    "                         kias= hdg= maghdg= vs_fpm= rwy_along_ft= rwy_right_ft= (from the centre of\n"
    "                         the start airport's first runway) on_surface= on_runway= stopped= crashes=\n"
    "                         throttle= (engine 1's request) brake= (parking) flaps= (setting asked) paused=\n"
    "                         nav1_dots= gs_dots= nav2_dots= gs2_dots= (NAV 1's and NAV 2's needles in\n"
    "                         dots, + right/up: a needle up says the path lies above) flag1= flag2= (0 none,\n"
    "                         1 TO, 2 FROM) dme1_nm= (NAV 1's DME, ... when it has nothing to show)\n"
    "  quit                   leave through the program's quit command after this frame\n";

static int is_int(const std::string& s) {
  if (s.empty()) return 0;
  char* end;
  std::strtol(s.c_str(), &end, 10);
  return *end == 0;
}

std::string check_event(const script_event& e) {
  const std::string& v = e.verb;
  size_t n = e.args.size();
  auto ints = [&](size_t from, size_t to) {
    for (size_t i = from; i < to && i < n; i++)
      if (!is_int(e.args[i])) return false;
    return true;
  };
  if (v == "key") return n >= 1 ? "" : "key needs a key name";
  if (v == "type") return n >= 1 ? "" : "type needs text";
  if (v == "click" || v == "press" || v == "release" || v == "move")
    return n >= 2 && ints(0, 2) ? "" : v + " needs X Y";
  if (v == "menu" || v == "openmenu" || v == "close") return n == 1 && ints(0, 1) ? "" : v + " needs a number";
  if (v == "wclick" || v == "wpress" || v == "wrelease")
    return n >= 3 && ints(0, 3) ? "" : v + " needs a window number and X Y";
  if (v == "joy") {
    if (n < 2 || !is_int(e.args[0])) return "joy needs a device number and what to set";
    const std::string& what = e.args[1];
    if (what == "axis" || what == "button") return n == 4 && ints(2, 4) ? "" : "joy " + what + " needs N VALUE";
    if (what == "hat") return n == 3 && ints(2, 3) ? "" : "joy hat needs BITS";
    if (what == "off") return "";
    return "joy: unknown '" + what + "'";
  }
  if (v == "answer") return n == 1 && ints(0, 1) ? "" : "answer needs a button number";
  if (v == "answer-path") return n >= 1 ? "" : "answer-path needs a path";
  if (v == "answer-cancel" || v == "quit") return "";
  if (v == "screenshot") return n >= 1 ? "" : "screenshot needs a path";
  if (v == "view" || v == "time") return n == 1 && ints(0, 1) ? "" : v + " needs a number";
  if (v == "zoom" || v == "vis") return n == 1 && std::atof(e.args[0].c_str()) > 0 ? "" : v + " needs a positive number";
  auto number = [&](size_t i) {
    if (i >= n) return false;
    char* end;
    std::strtod(e.args[i].c_str(), &end);
    return *end == 0 && !e.args[i].empty();
  };
  if (v == "throttle" || v == "mixture" || v == "brakes" || v == "trim" || v == "flaps")
    return n == 1 && number(0) ? "" : v + " needs a number";
  if (v == "stick") return n == 3 && number(0) && number(1) && number(2) ? "" : "stick needs P R Y";
  if (v == "state") return "";
  if (v == "ap") {
    if (n >= 1 && e.args[0] == "off") return "";
    if (n == 1 && e.args[0] == "approach") return "";
    if (n == 2 && (e.args[0] == "heading" || e.args[0] == "vs") && number(1)) return "";
    if ((n == 2 || n == 3) && e.args[0] == "altitude" && number(1) && (n == 2 || number(2))) return "";
    return "ap needs heading DEG, altitude FT [FPM], vs FPM, approach or off";
  }
  return "unknown verb '" + v + "'";
}

int read_script(const char* path, std::vector<script_event>* events) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "tarvel-headless: cannot read script %s\n", path);
    return 0;
  }
  std::string text;
  int line_no = 0;
  while (std::getline(in, text)) {
    line_no++;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    size_t hash = text.find('#');
    if (hash != std::string::npos) text = text.substr(0, hash);
    std::istringstream words(text);
    std::string frame, verb;
    if (!(words >> frame)) continue;
    if (!is_int(frame) || std::atoi(frame.c_str()) < 0 || !(words >> verb)) {
      std::fprintf(stderr, "tarvel-headless: %s line %d: expected FRAME VERB ...\n", path, line_no);
      return 0;
    }
    script_event e{std::atoi(frame.c_str()), verb, {}, line_no};
    if (verb == "type" || verb == "answer-path" || verb == "screenshot") {
      std::string rest;
      std::getline(words, rest);
      size_t start = rest.find_first_not_of(' ');
      if (start != std::string::npos) e.args.push_back(rest.substr(start));
    } else {
      std::string w;
      while (words >> w) e.args.push_back(w);
    }
    std::string problem = check_event(e);
    if (!problem.empty()) {
      std::fprintf(stderr, "tarvel-headless: %s line %d: %s\n", path, line_no, problem.c_str());
      return 0;
    }
    events->push_back(e);
  }
  return 1;
}
