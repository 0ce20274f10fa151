// The flight state written by the flight model and read by everything else.
#pragma once
#include "sim/aircraft/pln.h"

enum { CRASH_NONE = 0, CRASH_ORDINARY = 1, CRASH_SEVERE = 2 };

struct flightstruct {
  double x, y, z;         // world position, m (x east, y north, z up)
  float psi, the, phi;    // heading, pitch, roll, degrees
  int   cell_i, cell_j, cell_tri;  // terrain grid cell and triangle under the aircraft
  // Set by the aircraft reader: the starting load, kg, and the broken-off flag.
  float m_fuel, m_jettison, m_fixed;
  int   over_vne;         // the forward lifting surface has broken off
  int   over_vfe;         // told of flaps out above Vfe, until they are asked up again

  // ---- flight model: position, attitude and rates ----
  float h;                          // height, m (z as float)
  double vx, vy, vz;                // world velocity, m/s
  float ax, ay, az;                 // world acceleration, m/s2
  float the180, psi180, phi180;     // attitude in -180..180
  float sinthe, costhe, sinpsi, cospsi, sinphi, cosphi;
  float sinphi_path, cosphi_path;   // roll of the air-path frame
  float P, Q, R;                    // body rates, deg/s
  float Prad, Qrad, Rrad;           // body rates, rad/s
  float Pdot, Qdot, Rdot;           // body angular accelerations, deg/s2
  float thedot, psidot, phidot;     // Euler-angle rates, deg/s

  // ---- flight model: air data ----
  float v, av, machno, vaxial;      // ground speed, true airspeed (m/s), Mach, body-axis airspeed
  float vind;                       // indicated airspeed, knots
  float Qstatic, Qratio;            // dynamic pressure (Pa), (vind / Vne)^2
  float dist, vu;                   // distance flown (m), vertical speed (m/s)
  float hpath, vpath, ahpath, avpath;  // ground and air path heading and climb, degrees
  float sinhpath, coshpath, sinvpath, cosvpath;
  float sinahpath, cosahpath, sinavpath, cosavpath;
  float Alpha, Beta;                // angle of attack and sideslip, degrees
  float sinAlpha, cosAlpha, sinBeta, cosBeta;
  float lat, lon;                   // degrees
  float h_ind;                      // indicated altitude, m
  float magpsi;                     // magnetic heading, degrees
  int   psi_int, magpsi_int;

  // ---- flight model: force and moment sums (N, N m), aircraft and path axes ----
  float faxilprop, fsideprop, fnrmlprop;
  float faxilaero, fsideaero, fnrmlaero;
  float faxilgear, fsidegear, fnrmlgear;
  float L, M, N;

  // ---- flight model: per part and element (parts 0..18, elements 0..7) ----
  float v_el[PARTS][ELEMENTS], alpha[PARTS][ELEMENTS], deldir[PARTS][ELEMENTS];
  float slat_effect[PARTS], alpha_max[PARTS];
  float CLgrndeffect[PARTS], CDIgrndeffect[PARTS];
  int   stalled[PARTS];

  // ---- flight model: contact ----
  int   onsurface;
  float gearf[3];                   // wheel normal forces, N
  int   wired;                      // caught by the arresting wire
  int   cat_stage;                  // 27 held on the catapult, 28 launching, 29 free
  // An impact ends the step where it happens; the frame loop then ends the
  // flight. 0 none, CRASH_ORDINARY, CRASH_SEVERE.
  int   crash;
  // A step left the state infinite, not a number, or flung far beyond any
  // flight: the frame loop resets the flight to the runway and tells the
  // user, counting it as a crash. Nothing else reads the state meanwhile.
  int   nonfinite;

  // ---- flight model: masses ----
  float m_total;                    // kg

  // ---- flight model: control surfaces (degrees) and trims ----
  float lailndef, railndef, lsplrdef, rsplrdef, ldruddef, rdruddef;
  float lhstbdef, rhstbdef, ruddef;
  float elevcyclic, ailncyclic;
  float trim, ail_trim, rud_trim;
  float sbrk;                       // speedbrake, 0..2 (-1 armed)
  int   flap, flaprequest;          // flap setting 0..50
  float slat, slatrequest;          // slat deployment 0..1
  float swee, sweerequest;          // variable sweep 0..1
  float vectrequest;                // thrust-vector angle asked for, degrees
  float jatoleft;                   // rocket burn left, s

  // ---- engines (per engine) ----
  float thro[ENGINES], throrequest[ENGINES], prop[ENGINES], mixt[ENGINES], proppitch[ENGINES];
  float tac[ENGINES], trq[ENGINES], Dtq[ENGINES], power[ENGINES], thrust[ENGINES];
  float DVinc[ENGINES];                   // propwash speed increment behind each disc, m/s
  float ringthrust[ENGINES][ELEMENTS], ringDVinc[ENGINES][ELEMENTS];
  float n1_[ENGINES], mpr[ENGINES], ff_[ENGINES], egt[ENGINES], parteqlbmthrust[ENGINES];
  float mixt_powr_rat[ENGINES], mixt_temp_rat[ENGINES];
  int   eng_running[ENGINES], revving_thrust[ENGINES], after_burning[ENGINES];
};
extern flightstruct flt;
