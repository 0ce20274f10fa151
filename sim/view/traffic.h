// Other traffic about the region, and the head-up displays.
#pragma once

enum { TRAFFIC = 10 };
// The four lights of each traffic aircraft (0 the beacon at the centre, 1 and
// 2 the left and right wing tips, 3 the tail), world metres; speed and heading.
extern float traf_x[TRAFFIC][4], traf_y[TRAFFIC][4], traf_z[TRAFFIC][4];
extern float traf_v[TRAFFIC];
extern int   traf_h[TRAFFIC];

// A traffic aircraft within 30 nm of the user's (anywhere) or at 30 nm, heading roughly for it.
void make_a_plane(int index, int anywhere);
// Each frame: every aircraft flies on, stays 500 m above the ground and is
// made anew at 30 nm once it is farther; all ten anew when a flight starts.
void move_traffic();
void draw_a_plane(int index);

// Which displays a view shows: HUD_NORMAL, HUD_SYNTHETIC or both.
enum { HUD_NORMAL = 1, HUD_SYNTHETIC = 2 };
int  hud_kinds(int view_type, int hud_type, int hud_on, int hoops_on);
void plot_nrml_hud();  // the head-up display
void plot_cool_hud();  // the synthetic-vision display
