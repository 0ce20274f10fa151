// The out-the-window view: the layout of each view type, the scene palette,
// and the scene pass the frame loop runs once a frame.
#pragma once
#include "sim/set.h"  // the view types

// Draws the whole view into off-screen world 0 (1 for the replay) and copies it to the screen.
void start_looking();
// Selects view type view_type (-1 keeps the current one) and multiplies the
// zoom by `zoom` (1 keeps it), then lays the view out for the panel or full
// screen as set.view_is_fullscreen says. The spot view's camera is placed
// 20 m east of the aircraft at its height when that view is chosen.
void set_mon(int view_type, float zoom);
// 1 for the views drawn from outside the aircraft (the own aircraft is drawn).
int  view_is_outside(int view_type);
// 1..8 for a heading in degrees: 0-44 is 1, 45-89 is 2 ... 315-359 is 8.
int  view_octant(float heading);
// The visible grid window and its far-to-near sweep for octant view_oct.
void set_bounds(int view_oct);
// Buildings in sight, nearest first, and towers in sight.
void sort_obs_twr();
// The scene part of the palette (62-245) for the time of day, clouds and
// temperature; map_mode gives the chart colours instead.
void set_palette_for_conditions(int map_mode);
void build_pal(float r, float g, float b, float L);
// Which end of each runway of the local airport the aircraft comes to
// (scn.straightin): the end its ground track points at, its nose at rest.
void set_straightin();
// The slip ball as text, from the side and normal force sums: 11 characters,
// marks 'I' at 3 and 7, the ball 'o' at 5 when centred.
void slip_string(float fside, float fnrml, char* out);
