// View state, the star field and the carrier.
#pragma once

struct scenerystruct {
  int time;        // 1 day, 2 dusk, 3 dusk with lights, 4 night
  int lamp;        // light amplification
  int belowbases;  // the aircraft is below the cloud bases
  float psi180rad, the180rad, phi180rad;
  // ---- view set-up and scene pass ----
  int   abovetops;              // the eye is above the cloud tops
  int   poly_breakup;           // subdivision of near ground polygons, 0..3
  int   rway_breakup;           // runway marks drawn in strips
  int   i1_plot_bound, j1_plot_bound, i2_plot_bound, j2_plot_bound;  // grid window
  int   plot_i_start, plot_i_stop, plot_j_start, plot_j_stop;        // sweep, stops one past
  int   i_inc, j_inc;
  int   sweepcon;               // 1..4 by the view octant
  int   vlines;                 // 1: the outer sweep loop runs over i
  int   obs_max;                // last entry of obs_ind, -1 for none
  int   starmax;                // last star drawn
  int   draw_lights;            // dusk and night
  int   base_color;             // what the view is cleared to
  int   straightin[3];          // per runway: approached from its second end
  int   rb_cycle;               // flashing lights' phase, RB_RATE steps a second, 0..299
  float zoom;                   // view zoom factor, 1 = 90 degrees across
  float view_time;              // seconds the view has run: the clock of flashing lights
};
extern scenerystruct scn;
enum { RB_RATE = 20 };  // steps of scn.rb_cycle a second, whatever the frame rate

// Terrain points within drawing range, the buildings in view (nearest first)
// and the towers within sight.
extern int invrange[178][159];
extern int obs_ind[800];
extern int twr_inrange[1200];

// The scene's base colours (fractions 0..1) the palette is built from.
extern float r_csky, g_csky, b_csky;   // clear sky
extern float r_ctop, g_ctop, b_ctop;   // cloud tops
extern float r_cbot, g_cbot, b_cbot;   // cloud bottoms
extern float r_ocen, g_ocen, b_ocen;   // water
extern float r_levl, g_levl, b_levl;   // level ground
extern float r_hill, g_hill, b_hill;   // hills
extern float rgb_lit, rgb_med, rgb_drk;  // greys of runways and buildings

enum { STARS = 2000 };
struct starstruct {
  float ele[STARS], azi[STARS];  // degrees
};
extern starstruct sta;

// The carrier in its own frame (x across to starboard, y along with the bow
// at 0 and the stern negative, z up from the waterline), metres; added to
// the ship's position when used. The ship lies still, bow to the north.
enum { CAR_HULL = 5, CAR_DECK = 12, CAR_MARKS = 40, CAR_LINES = 22, CAR_LIGHTS = 73, CAR_ISLAND = 9,
       CAR_DECK_LIGHTS = 68, CAR_LENS = 70 };
#define CAR_DECK_Z 21.0f
struct carrierstruct {
  int built;
  // ---- what the flight model reads ----
  float trap_accel;             // arresting-wire deceleration, m/s2
  float catang, appang;         // catapult and approach headings, degrees
  float catx, caty;             // catapult start from the carrier's cell, m
  // ---- the picture ----
  float vasix, vasiy, vasiz;    // the glide-path lens
  float hx[CAR_HULL][2], hy[CAR_HULL][2], hz[CAR_HULL][2];      // hull at the waterline, at the deck edge
  float dx[CAR_DECK][2], dy[CAR_DECK][2], dz[CAR_DECK][2];      // deck outline, lower edge and surface
  float mx[CAR_MARKS][4], my[CAR_MARKS][4], mz[CAR_MARKS][4];   // deck markings
  int   mc[CAR_MARKS];
  int   marks;                  // markings in use
  float cx[CAR_LINES][2], cy[CAR_LINES][2], cz[CAR_LINES][2];   // wires 0..4, then other deck lines
  float lx[CAR_LIGHTS], ly[CAR_LIGHTS], lz[CAR_LIGHTS];         // deck lights, 68..72 the lens cells
  int   lc[CAR_LIGHTS];
  float tx[CAR_ISLAND][4], ty[CAR_ISLAND][4], tz[CAR_ISLAND][4];  // island rings
  int   tc[CAR_ISLAND];
};
extern carrierstruct car;

// The frigate, in the same kind of frame: its helicopter deck at the stern
// (the deck the flight model lands on), and its hull.
#define BOAT_DECK_Z 10.0f
#define BOAT_PAD_X 7.0f        // half the pad's width
#define BOAT_PAD_Y1 (-130.0f)  // the pad runs from the stern ...
#define BOAT_PAD_Y2 (-100.0f)  // ... to the hangar
