// The air at the aircraft and the wind.
#pragma once

void atm_at_height(float h);  // density, temperature, speed of sound at h metres
void wxcalc();                 // wind update, at every event
