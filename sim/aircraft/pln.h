// The aircraft as read from its file and prepared for flight, and its airfoils.
// Written by the aircraft reader and the geometry preparation only; the flight
// model, panel and view read it.
#pragma once
#include "basekit/bk_funct.h"

// Part numbers: 0-3 propellers (helicopter: 0 main, 1 tail rotor), 4/5 left/right
// wing one, 6/7 wing two, 8/9 horizontal stabilisers, 10/11 vertical stabilisers,
// 12 fuselage, 13-16 nacelles, 17/18 the miscellaneous body and its mirror.
enum { PARTS = 19, ELEMENTS = 8, ENGINES = 4, LIFT_PARTS = 12 };
enum { BODY_SECTIONS = 9, BODY_POINTS = 8 };
enum { FLAP_SETTINGS = 51 };
enum { AFL_LIFT = 171, AFL_DRAG = 271 };   // angle-grid table sizes
enum { AH_ROWS = 117 };                    // rows of the horizon outline tables

struct planestruct {
  // ---- the file and its identity ----
  char  C_path[STR_DIM];     // full path of the aircraft file
  char  C_file[STR_DIM];     // bare file name
  int   is_heli;
  char  tailnum[STR_DIM];
  int   asi_units;           // 2 knots, otherwise statute miles per hour
  float Vso, Vs, Vfe, Vno, Vne;  // in the unit of asi_units, as read
  float Mmo;
  float pex, pey, pez;       // pilot eye point, m (relative to the C.G. after preparation)

  // ---- panel codes ----
  int paneltype, radiotype, AStype, supptype, HUDtype, VVItype;
  int ff_hydraulic, ff_stickshaker;

  // ---- engines ----
  int   entype;              // 0 none, 1 reciprocating, 2 turboprop/turboshaft, 3 jet
  int   bypass, numen;
  float pmax;                // W
  float critalt;             // m
  float omegamin, omegamax, omegamingreen, omegamaxgreen;  // rad/s
  float tmax;                // N
  float spooltime;           // s
  float facejet;             // m2
  float burnerinc;           // N
  int   revthrustEQ;
  float vertcant[ENGINES], sidecant[ENGINES];  // degrees
  float sin_vertcant[ENGINES], cos_vertcant[ENGINES];
  float sin_sidecant[ENGINES], cos_sidecant[ENGINES];
  float trotor_rat;
  int   vectEQ, varpitchEQ, collectEQ;

  // ---- propellers (parts 0..3) ----
  int   propdir[ENGINES];    // +1 or -1
  int   numblades[ENGINES];
  float des_adv[ENGINES];    // m
  float des_rpm[ENGINES];    // rad/s
  float des_vel[ENGINES];    // m/s
  float minpitch[ENGINES], maxpitch[ENGINES];  // degrees
  float ringarea[ENGINES][ELEMENTS];           // m2
  float discarea[ENGINES];                     // m2
  float miprop[ENGINES];                       // kg m2

  // ---- lifting parts (0..11; arrays sized for every part) ----
  char  Rafl0[LIFT_PARTS][STR_DIM], Rafl1[LIFT_PARTS][STR_DIM];  // root, lower/higher Re
  char  Tafl0[LIFT_PARTS][STR_DIM], Tafl1[LIFT_PARTS][STR_DIM];  // tip, lower/higher Re
  int   sweep1[PARTS], sweep2[PARTS], sweepnow[PARTS], dihed[PARTS];  // whole degrees
  float semilen[PARTS], Croot[PARTS], Ctip[PARTS];                // m
  float xarm[PARTS], yarm[PARTS], zarm[PARTS];                    // m, root of the part
  int   diffRe[PARTS], diffRT[PARTS], varsweepEQ[PARTS];
  int   els[PARTS];
  float anginc[PARTS][ELEMENTS];   // degrees
  int   ailn[PARTS][ELEMENTS], splr[PARTS][ELEMENTS], flap[PARTS][ELEMENTS];
  int   slat[PARTS][ELEMENTS], sbrk[PARTS][ELEMENTS], drud[PARTS][ELEMENTS];
  int   elev[PARTS][ELEMENTS], rudd[PARTS][ELEMENTS];
  int   ailnEQ, splrEQ, flapEQ, slatEQ, sbrkEQ, drudEQ, elevEQ, ruddEQ;
  float s[PARTS][ELEMENTS];        // element area, m2
  float mac[PARTS][ELEMENTS];      // element mean chord, m
  float Re[PARTS][2][2];           // [part][root-tip][Reynolds index], millions
  float alpha_max[PARTS];          // stalling angle, degrees

  // ---- flaps and tail ----
  char  flapfile[STR_DIM];         // path in the "flaps" folder
  int   hstabtype;                 // 1 all-moving
  float hstbtrimmax;
  int   flyingstabEQ;
  float clflap[FLAP_SETTINGS], cdflap[FLAP_SETTINGS], cmflap[FLAP_SETTINGS];

  // ---- controls ----
  float ailn_crat, elev_crat, rudd_crat, splr_crat, drud_crat, sbrk_crat;
  float ailn_up, ailn_dn, elev_up, elev_dn, rudd_def, splr_def, drud_def, sbrk_def;  // degrees
  float slat_inc;                  // degrees of stalling angle gained with full slats
  int   con_smooth;                // surface finish 0..3

  // ---- bodies (12..18) ----
  float fuse_cd;
  int   fusewash, nace_eq, misc_eq;
  float misc_x, misc_y, misc_z;    // m
  float body_x[PARTS][BODY_SECTIONS][BODY_POINTS];
  float body_y[PARTS][BODY_SECTIONS][BODY_POINTS];
  float body_z[PARTS][BODY_SECTIONS][BODY_POINTS];

  // ---- mass ----
  float m_empty, m_max, m_fuel, m_jettison;  // kg
  int   jettisonEQ;

  // ---- gear ----
  int   gearEQ, retractEQ, skidEQ;
  float nwsteer;
  int   nwsteerEQ;
  float sgear;                     // m2
  float ngearx, ngearz, mgearx, mgeary, mgearz;
  float skidx, skidy, skidz, skidl;

  // ---- extras ----
  float jatox, jatoz, jatotheta, jatothrust, jatodur;
  int   jatoEQ;
  float stabroll, ailpitch, ailflaps;
  int   antiiceEQ, arrestingEQ, bitchinbettyEQ, autosbrkEQ, autofbrkEQ, autosweepEQ, autoslatEQ;
  float speedbrake_area, chute_area;  // m2
  int   fbrkEQ, chuteEQ;

  // ---- helicopter and reaction controls ----
  float elevcyclic, ailncyclic;
  float puffL, puffM, puffN;       // N m
  int   puffEQ;

  // ---- artificial stability ----
  float ASloV, AShiV;
  float ASmaxp1, ASp1, ASmaxh1, ASh1, ASmaxr1, ASr1;
  float ASmaxp2, ASp2, ASmaxh2, ASh2, ASmaxr2, ASr2;

  // ---- prepared geometry (finish_readin1, dump_geo) ----
  float AR[PARTS], e[PARTS], delta_fac[PARTS];
  float al_D_al0[PARTS], cl_D_cl0[PARTS], cm_D_cm0[PARTS];
  float slat_effect[PARTS];
  int   fwd_foil;
  int   in_propwash[PARTS][ENGINES][ELEMENTS];
  float lo_washdir[PARTS][ENGINES], max_washdir[PARTS][ENGINES], hi_washdir[PARTS][ENGINES];
  int   in_wash[PARTS][PARTS][ELEMENTS];   // [sending][receiving][element]
  float spec_wash[PARTS];
  float fuse_s_frn, fuse_s_sid, fuse_s_top;
  float fusexcent, fusezcent;
  float nace_s, misc_s;
  float Jxx_unitmass, Jyy_unitmass, Jzz_unitmass;   // m2
  float ngearcon, ngeardmp, mgearcon, mgeardmp, skidcon, skiddmp;
  float h_eqlbm, the_eqlbm;

  // ---- panel scaling (finish_readin2) ----
  int   ecam, tape;
  float ASpwr, Vmin, Vmax;
  int   has_ins[9];
  int   thro_x[ENGINES], prop_x[ENGINES], mixt_x[ENGINES];
  int   en_x[3][ENGINES], en_y[3];
  int   gsx1, gsx2, gsw, gsy1, gsyc, gsy2;
  int   ah_dim_int, ah_semidim_int;
  float ah_semidim_flt;
  int   ah_top_prim, ah_top_roll, ah_bot_prim, ah_bot_roll;
  int   ahx1_prim[AH_ROWS], ahx2_prim[AH_ROWS], ahx1_roll[AH_ROWS], ahx2_roll[AH_ROWS];
};
extern planestruct pln;

// Centre of gravity from the file, m from the file's origin.
extern float cgx, cgz;
// Panel locations 1..8 and the instruments 1..10 they hold, both ways.
enum { PANEL_INS = 11 };
extern int loc_of_ins[PANEL_INS];
extern int ins_of_loc[PANEL_INS];

// Section coefficients per part, Reynolds index (0 lower, 1 higher) and
// root-tip index (0 root, 1 tip). Lift is tabulated from 10 degrees outward
// (grid entries 100..270), drag over the whole grid; inside 10 degrees lift
// follows clM * alpha + clB.
struct airfoilstruct {
  float clpos[PARTS][2][2][AFL_LIFT];
  float cdpos[PARTS][2][2][AFL_DRAG];
  float clneg[PARTS][2][2][AFL_LIFT];
  float cdneg[PARTS][2][2][AFL_DRAG];
  float clM[PARTS][2][2], clB[PARTS][2][2];
  float cmal2[PARTS][2][2], cmal3[PARTS][2][2];
  float cm1[PARTS][2][2], cm2[PARTS][2][2], cm3[PARTS][2][2], cm4[PARTS][2][2];
  float al_zl[PARTS][2][2];
};
extern airfoilstruct afl;
