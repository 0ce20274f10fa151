// The flight model's forces: element aerodynamics (section coefficients,
// finite-wing, Reynolds, control, ground-effect and Mach corrections) and the
// assembly of every element, body, gear and engine force into the sums that
// move the aircraft.
#pragma once

// ---- element aerodynamics ----
void  anyfoil(float alpha, float* cl, float* cd, float* cm, int EN, int Re, int RT, int el);
void  Fco_subsonic(float modcl, float modcd, float modcm, float* cl, float* cd, float* cm, int EN, int el);
void  Fco_supersonic(float modcl, float modcd, float modcm, float* cl, float* cd, float* cm, int EN, int el);
void  supersonic_flatplate(float alpha, float* cl, float* cd, float machno, float foil_rat);
float F_el_force(float modcl, float modcd, float modcm, float* lift, float* drag, float* momt, int EN, int el);
void  set_con_eff(int EN, int con_type, float rat, float def, float* cl, float* cd, float* cm, const char* str);
float induce_alpha(float clmod, int EN);
// Slat factors and ground-effect factors, twice a second.
void  set_slat_and_grndeffect();

// ---- force assembly ----
void  set_a1();
void  set_a2();
void  addFaprop(float faxil, float y, float z);
void  addFsprop(float fside, float x, float z);
void  addFnprop(float fnrml, float x, float y);
void  addFagear(float faxil, float y, float z);
void  addFsgear(float fside, float x, float z);
void  addFngear(float fnrml, float x, float y);
void  addFaero(float faxil_path, float fside_path, float fnrml_path, float x, float y, float z);
float dampedforce(float p, float v, float k, float gamma);
float the_dot_now();
float phi_dot_now();
// 1 when the flaps of lifting part `part` move with the lever: always while
// they move together, else only on the side that keeps them. Reads only.
int   flaps_work_on(int part);
// The share of propeller n's wash that reaches surface part at wash direction phi.
float wash_share(int part, int n, float phi);
// Forgets the downwash and touch-down memories (a fresh program).
void  clear_force_memory();
