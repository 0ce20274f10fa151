// Air traffic control: the controller's answers to the pilot's requests, the
// phases of a filed flight plan, the pilot's menu over the view and the
// flight-plan window.
#pragma once

// atc.menu_level: the main menu and its lists.
enum {
  ATC_MENU_MAIN = 5,
  ATC_LIST_ATIS = 6,
  ATC_LIST_VECTORS = 9,
  ATC_LIST_LANDING = 10,
  ATC_LIST_ILS = 11,
  ATC_LIST_LOCALIZER = 12,
  ATC_LIST_MAX = 60  // entries a list shows
};

// atc.plan_phase.
enum {
  PLAN_NONE = 0,
  PLAN_CLEARANCE = 1,
  PLAN_DEPARTURE = 4,
  PLAN_RADAR = 5,     // with departure
  PLAN_ENROUTE = 6,   // with centre
  PLAN_APPROACH = 7,
  PLAN_TOWER = 8,
  PLAN_LANDING = 9,
  PLAN_GROUND = 10
};

// ---- the controller (do_atc.cpp) ----
// Once a second while a plan is on file and activated (pilot_call 0), and when
// the pilot checks in on a new frequency (1).
void handle_plan(int pilot_call);
// A request as the pilot's menu words it ("request landing " and an airport
// name, "declaring an emergency" ...): answered over the radio.
void controller_respond(const char* request);
// The localizer an ILS or localizer request names, -1 for any other request
// or a name not in the region.
int  requested_localizer(const char* request);
void give_ATIS(int airport);
// A call to other traffic, or now and then to the pilot: 1 when it gave the
// pilot a vector.
int  make_random_call(int vector_allowed, int handoff_allowed);
// Appends the heading and altitude instructions worth giving; 1 when it said anything.
int  vector_me(float heading, int heading_step, float altitude, int altitude_step, int force, char* text);
// The pilot's plan: picked up (phase 1), closed, checked in on a new frequency.
void pick_up_plan();
void close_plan();
void check_in();
// What the pilot says when checking in, in the plan's phase.
void checkin_text(char* text);
// The initial altitude given with a clearance: the field + 2000 ft taken down
// to 500 ft, at most 500 ft below the cruise altitude taken down to 1000 ft.
float initial_altitude(float field_ft, float cruise_ft);
// Forgets the controller's timers and what it last told the pilot.
void reset_controller();
// What the pilot was last told to fly: 1 with a heading (magnetic) and an
// altitude (ft) while under vectors; 0 while navigating on his own.
int  assigned_vector(float* heading, float* altitude_ft);
// The flight-plan window closed: the plan to its arrival airport goes on file.
void file_flight_plan();

// ---- the pilot's menu over the view (atc_menu.cpp) ----
// Draws the menu (click 0) or acts on the row under the mouse.
void plot_atc_options(int click);
// Row r of the main level chosen: 0 when it is not shown now.
int  atc_row(int r);
enum { ATC_ROW_PICK_UP = 4, ATC_ROW_CLOSE = 5, ATC_ROW_CHECK_IN = 6, ATC_ROW_SAY_AGAIN = 7 };
// A list's entries (airport or navaid indices, at most ATC_LIST_MAX) and what
// choosing entry `index` of it does.
int  atc_list(int level, int* entries);
void atc_choose(int level, int index);

// ---- the flight-plan window (fplwin.cpp) ----
void plnplot();
void plnclick();
int  plnkey(int key, int character);
