// Control inputs, user settings and data-output selections.
#pragma once

enum { DATA_ITEMS = 60, JOY_RESPONSES = 16 };
enum { JOY_PITCH = 0, JOY_ROLL = 1, JOY_YAW = 2, JOY_THROTTLE = 3 };
// The device axes the controls read unless the joystick window says otherwise.
static const int JOY_AXIS_DEFAULT[4] = {1, 0, 3, 2};

// View types (set.view_type): the View menu's commands.
enum {
  VIEW_FORWARD = 601, VIEW_DOWN4 = 602, VIEW_DOWN8 = 603, VIEW_LEFT45 = 605, VIEW_RIGHT45 = 606,
  VIEW_LEFT90 = 607, VIEW_RIGHT90 = 608, VIEW_LEFT135 = 609, VIEW_RIGHT135 = 610, VIEW_BACK = 612,
  VIEW_SATELLITE = 614, VIEW_TOWER = 615, VIEW_RUNWAY = 616, VIEW_SPOT = 617, VIEW_CHASE = 619,
  VIEW_CIRCLE = 620, VIEW_FREE = 621, VIEW_ABOVE40 = 622, VIEW_ABOVE10 = 623, VIEW_HUD = 625,
  VIEW_NOHUD = 626, VIEW_REPLAY = 999
};

struct settingstruct {
  int   controls_type;       // -1 none (mouse), 5 joystick 1, 6 joystick 2
  int   view_type;           // a View command, 999 while replaying the 3-D path
  int   view_is_fullscreen;
  int   grfout;              // data graph sampling is on
  int   grfsel[4];
  int   cycoutwaiting;
  int   eq_thr;              // a throttle lever per engine
  float FC_thro;             // final throttle 0..1
  float MK_ptch, MK_roll, MK_hdng;  // keyboard flying, -1..1
  float fcon_force_rat;
  float cus_x, cus_y, cus_z, cus_psi, cus_v;
  float cus_alt, cus_spd;      // custom start, m and m/s
  int   hud_on, hoops_on, radar_on;
  int   map_mode, arg_mode;
  float map_range, arg_range, radar_range;
  int   ecam_page;
  float hud_bright;
  int   hud_color;
  // ---- flight controls and the flight model's settings ----
  float YK_ptch, YK_roll, YK_hdng, YK_thro;  // pilot input, -1..1 (throttle 0..1)
  float FC_ptch, FC_roll, FC_hdng;           // final commands, -1..1
  float damp;                  // artificial damping, 0..1
  int   cycout;                // the cycle dump is being written
  int   gear_handle;           // gear handle down
  int   gear_stat[3];          // nose, left and right gear down
  float gear_time[3];          // when each gear finishes moving, s of elap_time
  float parkbrake;             // 0..1
  int   ah_bar_adjust;         // attitude indicator's aircraft symbol, -10..10 pixels
  // ---- preferences: data output ticks and joystick tuning ----
  int   Bdsk[DATA_ITEMS], Brlt[DATA_ITEMS], Bgrf[DATA_ITEMS];  // disk, screen, graph
  // ---- data output channels, rebuilt from the ticks ----
  int   dskout, rltout;      // some item goes to the data file, to the screen
  int   rltsel[10];          // items of the screen slots, -1 empty
  int   dskcsv;              // the file items also go to "Tarvel.csv"
  float joy_rat_ptch, joy_rat_hdng, joy_rat_roll;
  int   eq_ped, eq_avi, eq_col;  // pedals, avionics, collective fitted
  float NZptch, NZroll;          // null zones
  int   joy_response[JOY_RESPONSES];
  // ---- stick reading and brakes (controls and ground contact) ----
  float OS_ptch, OS_roll, OS_hdng;  // calibrated stick centre
  float toe_brake[2];               // left and right toe brakes, 0..1
  int   eq_toebrakes;               // toe brakes fitted
  // The joystick axis of pitch, roll, yaw and throttle, as axis + 1; 0 keeps
  // the usual one (JOY_AXIS_DEFAULT). Set in the joystick window.
  int   joy_axis[4];
};
extern settingstruct set;
