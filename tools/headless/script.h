// The runner's script: what to do at which frame.
#pragma once
#include <string>
#include <vector>

struct script_event {
  int frame;
  std::string verb;               // key, type, click, press, release, move, wclick, wpress,
                                  // wrelease, close, menu, openmenu,
                                  // joy, answer, answer-path, answer-cancel, view, zoom,
                                  // time, vis, screenshot, quit, throttle, mixture, flaps,
                                  // brakes, stick, trim, ap, state
  std::vector<std::string> args;
  int line;                       // in the script file, for messages
};

// Reads a script; on a bad line prints a message naming the file and line and returns 0.
int read_script(const char* path, std::vector<script_event>* events);
// Checks one event's arguments; returns an empty string or what is wrong.
std::string check_event(const script_event& e);
extern const char* const script_help;
