// Time stepping: one frame of flight in two half-steps, the periodic updates,
// and the start of a flight.
#pragma once

void deg2integ();
void integ_v();
void integ_x();
void mod_evt();
void mod_semisec();
void mod_sec();
// Air data and angles from the present velocities and attitude, without moving.
void set_air_data();

// After a step that left the state broken (flt.nonfinite): clears what a new
// start does not, so that the next flight starts whole. The frame loop calls
// it before placing the aircraft again.
void recover_flight_state();

// ---- start of flight ----
void set_fltvars(int start);
void initpower(float throttle);
void setgear(int down);
