// Air traffic control: the controller's answers to the pilot's requests and
// the phases of a filed flight plan.
#pragma once

void handle_plan(int pilot_call);
void controller_respond(const char* request);
// The flight-plan window closed: the plan to its arrival airport goes on file.
void file_flight_plan();
// The flight-plan window, which fills fpl.
void plnplot();
void plnclick();
