// The aircraft carrier and the frigate: their geometry and their picture.
#pragma once

// Builds the carrier's hull, deck, markings, wires, lights and island into car.
void init_carrier();
// Draws the ship standing at (x, y, z) (its cell's centre) and puts its
// localizer and glide slope in the navaid table's last two slots.
void draw_a_carr(float x, float y, float z);
void draw_a_boat(float x, float y, float z);
// The lens cell lit at a glide angle (degrees): 68 (far too low) .. 72 (far too high).
int  lens_cell(float angle);
// The carrier's localizer and glide slope for a ship at (x, y, z).
void carrier_aids(float x, float y, float z);
