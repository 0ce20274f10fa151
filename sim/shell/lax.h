// The simulator's entry, start-up sequence and frame loop.
#pragma once

// Clears the records, installs the simulator's hooks and opens the main window;
// 1 on success.
int  tarvel_start();
void simulate();           // start-up, then the frame loop; never returns
void simulate_startup();   // the start-up sequence
void simulate_frame();     // one pass of the frame loop
void time_step_governor(); // every tenth frame of a running simulation
// Frames between runs of the slow task, about a tenth of a second of frames.
int  evup_for_step(float prd);
// Pins the time step (headless runs); 0 hands it back to the governor.
void set_fixed_time_step(float prd);
