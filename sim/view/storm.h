// Lightning, snow and rain in the view.
#pragma once

enum { STRIKE_POINTS = 20, STRIKE_RING = 60, PRECIP = 400 };

// Once a second while a storm is set: maybe a strike somewhere within 20 nm
// where the weather radar shows a cell, with its thunder and its bolt.
void start_strike();
// Polyline k of the bolt from (x, y, z), z metres above the ground at (x, y),
// stopped at the ground; ground is that ground height.
void build_branch(int k, float x, float y, float z, float ground);
void manage_strike();     // the bolt's life and the sky's flicker, each frame
void do_window_precip();  // snowfall and rain on the windshield, each frame
// The last particle in use: 0..precip_count() are drawn.
int  precip_count();
// The flakes and drops, for tests: screen x, y and (flakes) depth.
extern float rainx[PRECIP], rainy[PRECIP], rainz[PRECIP];
