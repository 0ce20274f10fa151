// Lightning, snow and rain in the view.
#pragma once

void manage_strike();     // strikes, bolts, the sky's flicker and the thunder
void do_window_precip();  // snowfall and rain on the windshield
