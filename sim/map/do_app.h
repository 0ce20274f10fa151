// The moving map: the area chart around the aircraft (window 3, chart type
// 19) and the airport chart (window 26, chart type 18).
#pragma once

void init_nav_pic(int kind);  // the map symbols' outlines, kinds 1..3
void plt_nrt_plot(int kind, int partial);
void plt_nrt_click(int redraw, int kind);
