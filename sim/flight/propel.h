// Engines: propellers and rotors, jets, fuel flow.
#pragma once

void  props();
void  jets();
float burnin_fuel(float pow_thr);  // kg/s for an engine giving pow_thr (W, or N for a jet)
