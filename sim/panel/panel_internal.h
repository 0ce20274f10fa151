// Shared by the panel's own files: drawing into the main window with an
// eraser that puts back the panel's static picture, the gauge pieces, and
// the per-instrument routines the update calls.
#pragma once
#include <stdint.h>

// The panel's pictures (bitmap resources read from the "panel" folder).
enum {
  BMP_PANEL = 128, BMP_PANEL_HELI = 129,
  BMP_MAP_MODE0 = 142,      // 142..147: mode 0, 1, 2, off and on
  BMP_AP_OFF = 148, BMP_AP_ON = 149, BMP_SWITCH_OFF = 150, BMP_SWITCH_ON = 151,
  BMP_HUD_DIM = 152, BMP_HUD_BRIGHT = 153,
  BMP_MARKER = 154,         // 154..159: outer, middle, inner, each dark then lit
  BMP_GEAR_UP = 160, BMP_GEAR_DOWN = 161, BMP_TRIM = 163, BMP_TRIM_MARK = 169,
  BMP_SLAT = 170, BMP_SBRK = 171, BMP_SWEE = 172, BMP_VECT = 173, BMP_THRO = 174, BMP_PROP = 175,
  BMP_MIXT = 176, BMP_FLAP = 177,
  BMP_ASI = 178, BMP_AH = 179, BMP_ALT = 180, BMP_TSI = 181, BMP_DG = 182, BMP_VVI = 183,
  BMP_EFIS = 184, BMP_SUPP_VOR = 185, BMP_SUPP_MAP = 186, BMP_SUPP_ROUND = 187, BMP_SUPP_RADALT = 188,
  BMP_SUPP_VARIO = 189, BMP_SUPP_RADAR = 190, BMP_CLOCK = 191, BMP_ADF = 192, BMP_ENGINE_DIAL = 193,
  BMP_EGT = 194, BMP_ECAM = 195, BMP_ECAM_FCTL = 196, BMP_ECAM_HYD = 197, BMP_RADIOS = 198, BMP_GPS = 199,
  BMP_STATUS = 206
};

// Instrument numbers.
enum {
  INS_ASI = 1, INS_AH = 2, INS_ALT = 3, INS_SUPP = 4, INS_TSI = 5, INS_HSI = 6, INS_VVI = 7, INS_ADF = 8,
  INS_EFIS = 9, INS_BARO_KNOB = 10
};
// Supplementary instrument kinds (pln.supptype).
enum { SUPP_VOR = 1, SUPP_STORM = 2, SUPP_MAP = 3, SUPP_RADALT = 4, SUPP_VARIO = 5, SUPP_RADAR = 6, SUPP_RMI = 7 };

enum { PANEL_W = 800, PANEL_H = 580, PANEL_TOP = 247 };
enum { ERASE = -1 };  // the colour that puts back the static picture underneath

// ---- the drawing target (graphnif.cpp) ----
// Makes the main window current; 0 when there is none to draw into.
int  panel_begin();
// Keeps the panel as panplot has drawn it, before anything moves on it.
void static_capture();
int  static_captured();
// The static picture exists and the main window is the target.
int  panel_can_paint();
float panel_dt();
// Exactly w x h pixels (not the fillrect convention); ERASE restores.
void pfill(int colour, int x, int y, int w, int h);
void ppoint(int colour, int x, int y);
// The line walk of MACIBM_line (end point excluded), clipped to the window.
void pline(int colour, int x0, int y0, int x1, int y1);
// Only the pixels that lie inside a row-extent outline (the attitude ball).
void pline_inside(int colour, int x0, int y0, int x1, int y1, int cy, int top, const int* x1s, const int* x2s,
                  int rows, int cx);
uint8_t ppixel(int x, int y);  // 0 outside the window
void pbitmap(int x, int y, int id);
// The 5 x 7 font over what is there; ERASE puts back the static picture under the string.
void ptext(int colour, int x, int y, const char* s);

// ---- gauge pieces (graphnif.cpp) ----
void needle(int x, int y, int angle, int length, int colour, int style);
void pole(int x, int y, int angle, int inner, int outer, int colour);
void init_tickmark(int x, int y, int inner, int outer, int angle, int colour);
void tape(int x, int y, int old_h, int new_h);
void tape_arc(const char* label, int x, int y, int maxval, int is_tape);
void tape_arc_mark(int colour, int x, int y, int r1, int r2, int from, int to, int is_tape, int scale_max);
void fuel_pointer(int position, int colour);
void EFIS_light(int x, int y, int lit);
void plot_dg(int x, int y, int radius, int heading, int colour);
void intnum_erase(int x, int y, int value, int digits, int colour, int size, int gap);

// ---- pre-rendered columns (p_in_cen.cpp) ----
void v_tape_4(int x, int y, int digit, int sub_row);  // one rolling digit, 5 x 9
void h_tape_window(const uint8_t (*cols)[12], int ncols, int first_col, int x, int y, int w);

// ---- set-ups (p_in_bas.cpp, p_in_cen.cpp) ----
void standard_engine_init();
int  panel_pictures_read();
void init_as();
void init_vvi();
void init_ecam();
int  engine_row_kind(int row);  // which gauge a row of the engine column holds

// ---- updates (p_up_*.cpp) ----
void panel_gyros();
void update_status_line();
void update_oat();
void update_clock();
void update_fuel();
void update_reply_light();
void update_compass();
void update_stall();
void update_GPWS();
void update_airspeed();
void update_arthoriz();
void update_alt();
void update_vvi();
void update_turnslip();
void update_HSI_DG();
void update_radalt();
void update_vari();
void update_stormscope();
void update_glass(int kind);
void standard_engine_update();
void update_ecam();
void update_burn(int engine);
void update_efis_dme();
// Radio displays drawn from the receivers' record.
void update_morse();
void update_VORandGS(int h, int v);
void update_DME();
void update_ADF();
void update_RMI();
void update_GPS();
void plotnavfrq_all();

// ---- controls painted by the clicks (dasclick.cpp) ----
// A lever's identifier: its knob's picture, plus 1000 x the engine's number from engine 2 on.
inline int lever_id(int base, int engine) { return engine ? (engine + 1) * 1000 + base : base; }
void init_handle(int id);
void plotflap();
void plottrim();
void plotbrakes();
void plotswee();
void plotvect();
void update_a_gearlight(int gear);
void plot_ap_values();
void plot_ap_buttons();
void plot_trim_marks();
void engine_gauge_at(int r, int n, int* x, int* y);
void engine_gauges_forget();
void update_tape_gauge(int r, int n, int kind);
