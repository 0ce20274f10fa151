// The end of a flight in a crash, and the new flight on the runway.
#pragma once

// severe 1 for the hard-impact picture, 0 for the ordinary one: the picture,
// the sound and the jolt, what went wrong, and the new flight set up.
void bendmetal(int severe);
// Ends the flight when the flight model's last step met the ground too hard;
// the frame loop calls it right after each step.
void handle_crash();
int  crash_count();  // crashes since the program started
