// Steady straight flight at a given airspeed: the attitude, flight path and
// trims with which the aircraft flies on hands off.
#pragma once

struct trim_result {
  int   ok;                  // every acceleration within the tolerance
  float alpha, gamma;        // angle of attack and flight-path angle, degrees
  float the, phi;            // pitch and roll, degrees
  float trim, ail_trim, rud_trim;
  float residual;            // what is left of the accelerations (m/s2, and deg/s2 / 10)
  int   iterations;
};

// At the present position and throttle, for true airspeed tas (m/s) along
// heading (degrees): climbing or level where the engines can, gliding where
// they cannot. Leaves the aircraft in the trimmed state, pilot hands off.
trim_result find_trim(float tas, float heading);
