// The settings windows: each draws itself whole (plot) and takes the clicks
// in it (click). Their numbers, titles, sizes and close actions are in the
// window table (sim/shell/wintab.cpp). The data-output window belongs to the
// data output (sim/output/do_file.h), the flight-plan window to air traffic
// control (sim/atc/do_atc.h).
#pragma once

void id_plot();  void id_click();   // airport by identifier
void namplot();  void namclick();   // airport by name
void wrlplot();  void wrlclick();   // the world map
void latplot();  void latclick();   // latitude and longitude
void whrplot();                     // where am I
void gidplot();  void gidclick();   // airport identifiers
void timplot();  void timclick();   // time of day
void spaplot();  void spaclick();   // weather: space
void atmplot();  void atmclick();   // weather: atmosphere
void gndplot();  void gndclick();   // weather: ground
void watplot();  void watclick();   // weather: water
void fltplot();  void fltclick();   // flight mode
void joyplot();  void joyclick();   // joystick options
void drawnull();                    // the joystick's live read-outs while the window is open
void fueplot();  void fueclick();   // fuel load
void wgtplot();  void wgtclick();   // weights
void relplot();  void relclick();   // realistic reliability
void insplot();  void insclick();   // instrument reliability
void eqpplot();  void eqpclick();   // equipment reliability
void sndplot();  void sndclick();   // sound
void wrnplot();  void wrnclick();   // warnings
void isoplot();                     // isometric region

// ---- what the close actions ask ----
// 1 when the user changed something in window `index` since it opened: the
// close actions act only then.
int  window_edited(int index);
// Forgets what window `index` kept while it was open; the window table calls
// it after the close action.
void settings_window_closed(int index);
// A key typed while window `index` is in front: 1 when the window took it
// (typing an identifier or a name, Enter to close, Escape to cancel).
int  settings_window_key(int index, int key, int character);
// The airport chosen in the airport-by-name window, -1 for none.
int  chosen_airport();

// ---- the rules the windows apply, for the windows and their tests ----
// World map: the position under a pixel of the window and back, by straight
// lines through the map's two reference points.
void  world_latlon_of_pixel(int x, int y, float* lat, float* lon);
void  world_pixel_of_latlon(float lat, float lon, int* x, int* y);
// The region corner for a point: round(lat - 1), round(lon - 1.5).
void  region_corner_of(float lat, float lon, int* lat_sou, int* lon_wes);
// "12 nm north-east of NAME (ID)" for the aircraft's position.
void  where_am_i_line(char* line, int size);
// Clouds, in feet above sea level, kept linked through the elevation of the
// selected airport: tops at least field + 2000 and base + 2000, base at least
// field + 50. Setting the tops pushes the base down, setting the base pushes
// the tops up.
void  wx_set_tops_ft(float ft);
void  wx_set_base_ft(float ft);
void  wx_set_base_agl_ft(float ft);
void  wx_set_cloud_type(int type);     // 0 clear (precipitation to its lowest), 1 overcast
void  wx_set_precipitation(int level); // 1..5; above 1 forces overcast, 1 stops the lightning
// Fuel: cruise fuel flow of the aircraft's engines, kg/s in all, and the
// endurance in hours; -1 when no engine burns fuel (a glider).
float fuel_endurance_hours();
// The total mass from its parts, kg.
void  weigh_total();
// A load as a fraction of its capacity; 0 for a capacity of 0.01 kg or less.
float load_fraction(float mass, float capacity);
// Reliability: the mean time to fail a slider's rate gives, r in minutes.
float rel_mean_time(float rate);
// Every kind first..last redrawn at random for the rate.
void  rel_redraw_kinds(float rate, int first, int last);
