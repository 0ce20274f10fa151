// The aircraft put straight onto a runway or into the air near an airport,
// for runs, tests and benchmarks that draw the view without a flight model
// moving it.
#pragma once

// At the threshold of runway end rway_sel (0..5: runway rway_sel / 2, its
// second end when odd) of airport apt, or height_m above its field, heading
// along its first runway. Both make apt the local airport.
void place_on_runway(int apt, int rway_sel);
void place_over_airport(int apt, float height_m);
