// The simulator's entry, start-up sequence and frame loop.
#pragma once

// The program's entry: clears the records, opens the main window, then
// simulates. Returns only when the main window cannot be made.
int  tarvel_winmain();
void simulate();
