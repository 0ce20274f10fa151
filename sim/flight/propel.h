// Engines: propellers and rotors, jets, fuel flow and the engine gauges' scales.
#pragma once

void  props();                               // every propeller engine (entype 1 and 2)
void  jets();                                // every jet engine (entype 3)
void  apropengine(int n);                    // engine torque of propeller engine n
void  aprop(int n, float x, float y, float z);  // blade-element forces of propeller n, hub at x, y, z
void  ajet(int n, float x, float y, float z);   // thrust of jet n
float burnin_fuel(float pow_thr);            // kg/s for an engine giving pow_thr (W, or N for a jet)
void  reset_rotor_moments();                 // forgets the smoothed rotor moments

// ---- gauge scales ----
int   gage_me(float x);                      // the next tick step above x
int   tac_max();                             // propeller speed, rpm
int   n1__max();
int   mpr_max();
int   trq_max();                             // torque, ft lb
int   ff__max();                             // fuel flow, lb/h
void  set_mod(int data, int* tickmod, int* numbmod, int* labelrat);
