// What each program plugs into the shared layer: its window procedure, menus,
// close actions, colour adjustment and the sound and exit steps around modal
// boxes. Unset hooks are skipped, which is how the editor and the tests run.
#pragma once

// Where the entry fields read the mouse: the program's own window
// coordinates and button flag. Unset reads as no mouse at all.
struct mousehook {
  int* x;
  int* y;
  int* down;
};

struct hookstruct {
  void (*window_proc)(int wind, int message, long wparam, long lparam);
  void (*set_up_menus)();
  void (*process_zap)(int index);
  void (*change_colors_for_time)(int index, float* r, float* g, float* b);
  void (*stop_sounds)();                  // engine and wind loops, around modal boxes
  void (*restart_sounds)();
  void (*play_alert_sound)(int is_about);
  void (*after_alert)();                  // the box swallowed the button-up
  void (*before_exit)(int fatal);         // logbook, force feedback, sound
  void (*draw_startup_picture)();
  void (*show_progress)();                // one more step of the start-up progress bar
  // Called instead of ending the process, with the exit status, when set:
  // fuzz targets and tests jump back out of a fatal error here. Must not return.
  void (*end_process)(int status);
  mousehook mouse;
  int spoil_prefs_on_fatal;               // the simulator spoils its preferences file
  const char* product_name;               // "Tarvel", "Gridwright"
  const char* program_folder;             // user folders: "tarvel", "gridwright"
  const char* prefs_name;                 // the preferences file in the configuration folder
  const char* version_text;
};
extern hookstruct hok;
