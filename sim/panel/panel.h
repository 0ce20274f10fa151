// The instrument panel: its drawing whole (window 0's paint) and the
// incremental update of every frame.
#pragma once

void init_tape_colors();     // the drums' and cards' colour columns
void init_panel_pictures();  // reads the "panel" folder's pictures; a missing one is fatal
void panplot();              // the whole panel
void updatepanel();          // what changed since the last frame

// ---- the instruments' laws, in display units ----
// Airspeed dial angle of v (knots or mph as the dial reads), 0..330.
int   asi_dial_angle(float v);
// Altimeter at `feet`: long needle (1000 ft a turn), short needle (10000 ft a
// turn) and the drum's hundreds of feet.
void  altimeter_reading(float feet, int* long_deg, int* short_deg, int* hundreds);
// Radar altimeter dial angle for a height in feet (limited 0..2500).
int   radalt_dial_angle(float feet);
// Vertical-speed needle target in dial degrees for a climb in m/s.
float vvi_target(float vu);
// Fuel pointer position 0..31.
int   fuel_position(float m_fuel, float capacity);
// The ground-proximity call for a height above ground (ft), vertical speed
// (ft/min), gear handle and speed: a sound number, or -1 for none.
int   gpws_call(float h_ft, float vs_fpm, int gear_up, float vind, float vfe);
// Height call-outs below 50, 25 and 10 ft, once each per descent below them:
// the sound to play now, or -1. `armed` holds the three flags between calls.
int   gpws_callout(float h_ft, int airborne, int armed[3]);
// The status line's message this slot (1..4) would show.
const char* status_message(int slot);
