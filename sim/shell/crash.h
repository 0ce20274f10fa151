// The end of a flight in a crash, and the new flight on the runway.
#pragma once

// severe 1 for the hard-impact picture, 0 for the ordinary one. Runs inside the
// flight-model step and returns to it with the new flight set up.
void bendmetal(int severe);
int  crash_count();  // crashes since the program started
