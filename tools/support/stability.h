// The aircraft's stability and control derivatives and its modes, measured
// from the flight model itself: small perturbations of the trimmed state
// put through the force assembly.
#pragma once

// The trimmed condition and the reference sizes the coefficients are made with.
struct stab_ref {
  float S, b, c;         // wing area m2, span m, mean chord S / b m
  float V, q;            // true airspeed m/s, dynamic pressure Pa
  float mass;            // kg
  float Ixx, Iyy, Izz;   // kg m2, as the flight model uses them
  float alpha, the;      // degrees
  float CL, CD;
};

// Per radian; the rates as p b / 2V, q c / 2V and r b / 2V. Signs as the
// textbooks give them: sideslip positive with the wind from the right,
// elevator positive trailing edge down, rudder positive trailing edge left;
// aileron positive rolling to the right.
struct stab_derivs {
  float CL_alpha, Cm_alpha, Cm_q, Cm_de;
  float CY_beta, Cl_beta, Cl_p, Cl_r, Cl_da;
  float Cn_beta, Cn_p, Cn_r, Cn_dr;
  float pb2v_full;       // steady roll rate at full aileron, p b / 2V, one degree of freedom
};

// One mode of the linear model. A pair of real roots of the longitudinal
// modes is reported as an overdamped pair (damping above 1, no period).
struct stab_mode {
  int   found;
  int   oscillatory;
  float omega;           // natural frequency, rad/s (0 for a single real root)
  float damping;         // damping ratio
  float period;          // s, oscillatory only
  float tau;             // s: 1 / -real part; negative when it diverges
};

struct stab_modes {
  stab_mode phugoid, short_period, dutch_roll, roll, spiral;
};

// All three from the present trimmed state, which each leaves as it found it.
stab_ref    stab_reference();
stab_derivs stab_measure();
// Longitudinal (u, w, q, pitch and, with a fixed-pitch propeller, its speed)
// and lateral (v, p, r, roll) blocks of the linearised equations of motion.
stab_modes  stab_linear_modes();
