// Physical constants and unit conversions, filled once at start-up and read-only
// afterwards, plus the fields the view transforms share.
#pragma once

struct constantstruct {
  float muearth, rearth, rhoSL, muair, gammaairM1;
  float pi, pim2, pid2;
  float g, rho_h20;
  float lbstokgs, kgstolbs;
  float fttomtrs, mtrstoft;
  float hptowatt, watttohp;
  float dgrtodgk, dgktodgr;
  float radtodeg, degtorad;
  float ktstomsc, msctokts;
  float rpmtorsc, rsctorpm;
  float fpmtomsc, msctofpm;
  float nmtomtrs, mtrstonm;
  float sftosmtr, smtrtosf;
  float lbstontn, ntntolbs;
  float ftlbtonm, nmtoftlb;
  float endtomed, medtoend;
  float enptomep, meptoenp;
  float enItomtI, mtltoenl;
  float nm_to_sm, sm_to_nm;
  float mtrtoplt, plttomtr;
  float mtrtonrt, nrttomtr;    // set by the moving map
  float zom_pp45, zom_45pp;    // set with the view
  // Per-frame view transform: viewpoint, aircraft and ship.
  float VIEW_loc_x, VIEW_loc_y, VIEW_loc_z;
  float sinVIEWpsi, cosVIEWpsi, sinVIEWthe, cosVIEWthe, sinVIEWphi, cosVIEWphi;
  float PLAN_loc_x, PLAN_loc_y, PLAN_loc_z;
  float sinPLANpsi, cosPLANpsi, sinPLANthe, cosPLANthe, sinPLANphi, cosPLANphi;
  float BOAT_loc_x, BOAT_loc_y, BOAT_loc_z, sinBOATpsi, cosBOATpsi;
  float sinBOATthe, cosBOATthe, sinBOATphi, cosBOATphi;
  // Per view set-up: the off-screen drawing area and the HUD box.
  float off_view_center_fx, off_view_center_fy;
  int   gwor_x_size, gwor_y_size;
  int   off_int_lft, off_int_top, off_int_rgt, off_int_bot;  // the view's clip rectangle, pixels
  float off_flt_lft, off_flt_top, off_flt_rgt, off_flt_bot;  // the same as floats
  float rat_lft, rat_rgt, rat_top, rat_bot;  // its edges as tangents: x/depth and z/depth
  int   HUD_lft, HUD_top, HUD_rgt, HUD_bot;
};
extern constantstruct con;

enum { TRIG_DEGREES = 361 };
extern float lookup_sin[TRIG_DEGREES];
extern float lookup_cos[TRIG_DEGREES];

// Fills con and the sine and cosine tables.
void init_constants();
