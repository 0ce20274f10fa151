// Landing on the ships: whether the aircraft is over the carrier's deck or the
// frigate's pad, the carrier's arresting wires and the end of a catapult shot.
#pragma once

// A ship-frame point (x across, y along, bow at 0) over the carrier's deck:
// the main deck or either extension beyond its sides.
int   over_carrier_deck(float x, float y);
// Between wires 0 and 4, where the hook can catch one.
int   in_wire_zone(float x, float y);
// The deceleration a caught wire gives at ground speed v (m/s): it stops the
// aircraft in 100 m.
float trap_accel_for(float v);
// Each frame before the forces: the decks under the aircraft (env.over_carr,
// env.carrz, env.over_boat and the boat's position), the wire caught or let
// go, and the catapult's shot ending as the aircraft leaves the deck.
void  ship_decks();
