// The flight-path trail: its recording, the 3-D flight-path window and the
// replay view.
#pragma once

void clear_path();
// One sample when the aircraft has moved more than 10 m in x or y since the
// newest; the slot after it is emptied, so one empty slot always separates
// the newest sample from the oldest.
void record_path();
// The mean of the held samples and the largest horizontal distance from it
// plus 4000 m; with no sample, the aircraft's position and 4000 m.
void path_centroid();
void start_movie();
void stop_movie();
void play_movie();        // one replay step while the window is open
void plot_flight_path();  // the trail drawn into the view (the replay view only)
void movie_plot();        // the window around the replayed view
