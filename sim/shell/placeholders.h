// Functions the frame loop and the window procedure call whose subsystems are
// still to be built. Each keeps the name its subsystem will give it; when the
// subsystem lands, its definition moves out of placeholders.cpp into the
// subsystem's own files and its declaration into the subsystem's header.
#pragma once

// ---- preferences, keys and menus ----
void initprefs();
void write_prefs();
void set_up_menus();
void handlemenu(int command);
void handle_simkey(int character);
void function_key(int code);
void yoke_key(int code);
void freeview_key(int code);
void process_zap(int window);


// ---- flight model ----
void cal_stick();

// ---- crash handling ----
void bendmetal(int severe);

// ---- view ----
void start_looking();

// ---- panel ----
void updatepanel();
void panclick(int x, int y);
void enginecondrag(int x, int y);
void init_tape_colors();
void init_nav_pic(int kind);

// ---- ATC and speech ----
int  initspeechsynth();
void handle_plan(int pilot_call);
void controller_respond(const char* request);

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
