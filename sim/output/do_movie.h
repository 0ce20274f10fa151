// The flight-path trail: its recording, the 3-D flight-path window and the
// replay view.
#pragma once

void clear_path();
void start_movie();
void stop_movie();
void play_movie();        // one replay step while the window is open
void plot_flight_path();  // the trail drawn into the view
