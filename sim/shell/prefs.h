// The preferences file "Tarvel Ririzuz.prf" in the user's configuration folder,
// read at start-up and written on quit, and the situation files, which hold
// the same items followed by the aircraft's position and speed.
#pragma once

enum { PREFS_VERSION = 38 };

void initprefs();             // start-up: the file, else the defaults and an aircraft from the user
int  grab_prefs();            // reads the items from the open input file; 1 on success
int  PREFScheckpoint(int n);  // 1 when the next checkpoint is n
void hardprefs();             // the built-in defaults, and an aircraft from the user
void dump_prefs();            // writes the items into the open output file
void write_prefs();           // the quit command's write, once the region lists exist
// The preferences file alone, not a situation, ends with the window's full
// screen and scaling and the set of joysticks seen, which older files lack.
// 1 when the joysticks plugged in are not the ones the file remembers (or it
// remembers none): the no-joystick alert is due.
int  joysticks_changed();

// Situations. Reading applies the file to the records, custom start included,
// only when all of it was read; otherwise it alerts and changes nothing, and
// returns 0. The caller loads the region and aircraft and places the aircraft.
int  read_situation(const char* path, const char* file);
int  write_situation(const char* path);

// Headless runs: an unanswered open dialog for an aircraft takes the default aircraft.
int  headless_dialog_choice(int save, const char* folder, const char* ext, char* path, int path_size);

// How an aircraft path is stored: relative to the application folder when it
// lies inside, so that the shipped data can move. Both take STR_DIM buffers;
// resolving refuses paths that climb through ".." or do not fit.
void stored_aircraft_path(const char* full, char* stored);
int  resolve_aircraft_path(const char* stored, char* full);
