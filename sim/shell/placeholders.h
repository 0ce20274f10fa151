// Functions the frame loop and the window procedure call whose subsystems are
// still to be built. Each keeps the name its subsystem will give it; when the
// subsystem lands, its definition moves out of placeholders.cpp into the
// subsystem's own files and its declaration into the subsystem's header.
#pragma once

// ---- flight model ----
// Failures: the once-a-second draws and the systems' health (engines running,
// oil and hydraulics).
void failures_sec();

// ---- lights and sky ----
int  show_light(float depth, int index);
void cityplot(int i, int j, int tri, int n, int color);
void generalplot(float x, float y, float z, int color, int size);
int  pulse_color(int t);
void plotVASI(int r, int end);
void plotrunwaylights(int r, int end);
void plotnightsky();

// ---- lightning, snow and rain ----
void manage_strike();
void do_window_precip();

// ---- traffic, head-up display, own aircraft, ships ----
extern float traf_x[10][4], traf_y[10][4], traf_z[10][4];
void draw_a_plane(int index);
void plot_nrml_hud();
void plot_cool_hud();
void plot_plane();
void draw_a_carr(float x, float y, float z);
void draw_a_boat(float x, float y, float z);

// ---- panel ----
void updatepanel();
void panclick(int x, int y);
void enginecondrag(int x, int y);
void init_tape_colors();
void init_nav_pic(int kind);
// Radio steppers: add step to the field, wrapping in its range.
void NAVinc(int* mhz, int step);   // 108..117
void COMinc(int* mhz, int step);   // 118..134
void HUNinc(int* hundredths, int step);  // 0..95
void ADFinc(int* digit, int step); // 0..9
void XPNinc(int* digit, int step); // 0..7

// ---- ATC and speech ----
int  initspeechsynth();
void handle_plan(int pilot_call);
void controller_respond(const char* request);
void speakstring(const char* text);

// ---- sound ----
int  initsound();
void play_engine_and_windrain();
void stop_engine_and_windrain();
void maintain_engine_sound();
void maintain_windrain_sound();
void play_sound(int n);

// ---- data output and replay ----
void init_graph_choices();
void grfload();
void grfdrag();
void grfplot();
void grfclick();
void play_movie();
void plot_flight_path();
void set_rlt_grf_choices();
void clear_path();
void start_movie();
void stop_movie();

// ---- carrier ----
void init_carrier();

// ---- moving map ----
void plt_nrt_plot(int kind, int partial);
void plt_nrt_click(int redraw, int kind);

// ---- settings windows ----
void id_plot();  void id_click();
void namplot();  void namclick();
void wrlplot();  void wrlclick();
void latplot();  void latclick();
void whrplot();
void gidplot();  void gidclick();
void datplot();  void datclick();
void timplot();  void timclick();
void spaplot();  void spaclick();
void atmplot();  void atmclick();
void gndplot();  void gndclick();
void watplot();  void watclick();
void fltplot();  void fltclick();
void joyplot();  void joyclick();  void drawnull();
void fueplot();  void fueclick();
void wgtplot();  void wgtclick();
void relplot();  void relclick();
void insplot();  void insclick();
void eqpplot();  void eqpclick();
void sndplot();  void sndclick();
void wrnplot();  void wrnclick();
void isoplot();
void plnplot();  void plnclick();
void panplot();
