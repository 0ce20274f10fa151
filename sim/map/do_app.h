// The moving map: the area chart around the aircraft (window 3, chart kind
// 19) and the airport chart (window 26, chart kind 18).
#pragma once

enum { CHART_AIRPORT = 18, CHART_AREA = 19 };
// The area chart's window; its map is the window less the 71-pixel column
// on the right and the 80-pixel strip at the bottom.
enum { AREA_CHART_DX = 640, AREA_CHART_DY = 500 };

void init_nav_pic(int kind);  // the map symbols' outlines, kinds 1..3
void plt_nrt_plot(int kind, int partial);
void plt_nrt_click(int redraw, int kind);
void plt_nrt_flash(int kind);  // the aircraft symbol's flashing, once a frame while a chart is open

// Local metres to window pixels, and back (the middle of the pixel).
int   pixelxfinder(float x, int kind);
int   pixelyfinder(float y, int kind);
float twodxcalc(int px, int kind);
float twodycalc(int py, int kind);
// The map rectangle of a chart in window pixels, right and bottom included.
void  chart_map_rect(int kind, int* left, int* top, int* right, int* bottom);
// The placement of a chart opened afresh: zoom 1, the origin at the region's
// corner (area chart) or 25,950 m west and south of the airport.
void  reset_chart(int kind);
// The buttons of the right-hand column, as a click at window pixel (x, y).
enum { CHART_ZOOM_IN = 1, CHART_ZOOM_OUT, CHART_UP, CHART_DOWN, CHART_LEFT, CHART_RIGHT, CHART_CENTRE,
       CHART_GS_LEFT, CHART_GS_RIGHT };
int   chart_button_at(int kind, int x, int y);
void  chart_button(int kind, int button);
// An airport name in at most two lines, split at the blank or hyphen nearest
// its middle; returns the number of lines.
int   split_name(const char* name, char* line1, char* line2, int size);
void  plot_sea_and_navaids(int kind, int left, int top, int right, int bottom);
