// The table of numbered windows, and the actions taken when one closes.
#include "sim/shell/wintab.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/do_atc.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/failures.h"
#include "sim/flight/flt.h"
#include "sim/map/do_app.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/output/do_graph.h"
#include "sim/output/do_movie.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/panel.h"
#include "sim/shell/menus.h"
#include "sim/view/startscn.h"
#include "sim/windows/windows.h"

// ---- what the entries call ----

static void panel_press() { panclick(msc.mx, msc.my); }
static void area_chart_plot() { plt_nrt_plot(CHART_AREA, 0); }
static void area_chart_click() { plt_nrt_click(0, CHART_AREA); }
static void airport_chart_plot() { plt_nrt_plot(CHART_AIRPORT, 0); }
static void airport_chart_click() { plt_nrt_click(0, CHART_AIRPORT); }
static void area_chart_flash() { plt_nrt_flash(CHART_AREA); }
static void airport_chart_flash() { plt_nrt_flash(CHART_AIRPORT); }

// The location windows move the aircraft only when the user chose something in them.
static void goto_typed_airport() {
  if (window_edited(WIN_APT_ID)) gotofield(msc.apt_id_req, 0);
}
static void goto_named_airport() {
  int n = chosen_airport();
  if (n < 0) return;
  if (n != msc.loc_index) msc.rway_sel = 0;
  msc.loc_index = n;
  goto_chosen_airport();
}
static void world_map_closed() {
  set_palette_for_conditions(0);
  if (window_edited(WIN_WORLD)) set_up_env_with_request_latlon();
}
static void latlon_closed() {
  if (window_edited(WIN_LATLON)) set_up_env_with_request_latlon();
}
static void weather_closed() {
  if (window_edited(WIN_WX_ATMOSPHERE)) draw_thermal_map();
}

static void weight_check() {
  float total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  if (total > pln.m_max)
    MACIBM_alert("Your total weight is above the maximum allowable weight for the airplane!",
                 "You will be breaking several Federal Aviation Regulations by flying this thing!",
                 "You SHOULD reduce your fuel or fixed load.", "", 0);
}

// ---- the table ----

static const window_entry windows[] = {
    // index               title                     dx   dy   plot                click                repeats animate    zap
    {WIN_MAIN,             "Tarvel",                 800, 580, panplot,            panel_press,         1, nullptr,     nullptr},
    {WIN_APT_ID,           "Airport by ID",          176, 440, id_plot,            id_click,            1, nullptr,     goto_typed_airport},
    {WIN_APT_NAME,         "Airport by Name",        351, 176, namplot,            namclick,            1, nullptr,     goto_named_airport},
    {WIN_AREA_CHART,       "Low Enroute",            AREA_CHART_DX, AREA_CHART_DY, area_chart_plot, area_chart_click, 1, area_chart_flash, nullptr},
    // The world map and the equipment window are smaller than their first
    // sizes (800 x 450, 682 x 560) so that they fit on the screen whole.
    {WIN_WORLD,            "WORLD",                  760, 450, wrlplot,            wrlclick,            0, nullptr,     world_map_closed},
    {WIN_LATLON,           "Set Lat/Lon",            246, 165, latplot,            latclick,            0, nullptr,     latlon_closed},
    {WIN_WHERE_AM_I,       "Where Am I?",            531, 121, whrplot,            nullptr,             0, nullptr,     nullptr},
    {WIN_APT_IDS,          "Airport IDs",            351, 176, gidplot,            gidclick,            1, nullptr,     nullptr},
    {WIN_DATA_OUTPUT,      "Set Data Output",        620, 400, datplot,            datclick,            0, nullptr,     set_rlt_grf_choices},
    {WIN_TIME,             "Set Time Of Day",        183, 128, timplot,            timclick,            0, nullptr,     nullptr},
    {WIN_WX_SPACE,         "Set Weather Space",      197, 84,  spaplot,            spaclick,            0, nullptr,     nullptr},
    {WIN_WX_ATMOSPHERE,    "Set Weather Atmosphere", 618, 527, atmplot,            atmclick,            0, nullptr,     weather_closed},
    {WIN_WX_GROUND,        "Set Weather Ground",     197, 148, gndplot,            gndclick,            0, nullptr,     nullptr},
    {WIN_WX_WATER,         "Set Weather Water",      197, 271, watplot,            watclick,            0, nullptr,     nullptr},
    {WIN_FLIGHT_MODE,      "Set Flight Mode",        350, 474, fltplot,            fltclick,            1, nullptr,     nullptr},
    {WIN_JOYSTICK,         "Set Joystick Options",   539, 527, joyplot,            joyclick,            1, drawnull,    nullptr},
    {WIN_FUEL,             "Set Fuel Load",          270, 131, fueplot,            fueclick,            0, nullptr,     weight_check},
    {WIN_WEIGHTS,          "Set Weights",            436, 252, wgtplot,            wgtclick,            0, nullptr,     weight_check},
    {WIN_REL_REALISTIC,    "Set Reliability",        344, 345, relplot,            relclick,            0, nullptr,     nullptr},
    {WIN_REL_INSTRUMENT,   "Set Reliability",        350, 481, insplot,            insclick,            1, nullptr,     repair_instruments},
    {WIN_REL_EQUIPMENT,    "Set Reliability",        682, 540, eqpplot,            eqpclick,            1, nullptr,     repair_equipment},
    {WIN_SOUND,            "Set Sound",              293, 250, sndplot,            sndclick,            0, nullptr,     nullptr},
    {WIN_WARNINGS,         "Set Warnings",           550, 172, wrnplot,            wrnclick,            0, nullptr,     nullptr},
    {WIN_GRAPH,            "Graphics Output",        620, 420, grfplot,            grfclick,            1, grfdrag,     nullptr},
    {WIN_FLIGHT_PATH,      "3-D Flight Path",        600, 419, movie_plot,         nullptr,             0, play_movie,  stop_movie},
    {WIN_ISOMETRIC,        "Isometric Region",       760, 540, isoplot,            nullptr,             0, nullptr,     nullptr},
    {WIN_AIRPORT_CHART,    "",                       432, 494, airport_chart_plot, airport_chart_click, 1, airport_chart_flash, nullptr},
    {WIN_FLIGHT_PLAN,      "Flight Plan",            589, 415, plnplot,            plnclick,            1, nullptr,     file_flight_plan},
};

const window_entry* window_entry_of(int index) {
  for (const window_entry& w : windows)
    if (w.index == index) return &w;
  return nullptr;
}

void register_windows() {
  for (const window_entry& w : windows)
    if (w.index != WIN_MAIN && w.title) set_win_params(w.index, w.title, w.dx, w.dy, WIN_TYPE_SETTINGS);
}

void process_zap(int index) {
  const window_entry* w = window_entry_of(index);
  if (w && w->zap) w->zap();
  settings_window_closed(index);
}

int window_key(int index, int key, int character) {
  return index != WIN_MAIN && index <= WIN_LAST && settings_window_key(index, key, character);
}

void animate_windows() {
  for (const window_entry& w : windows)
    if (w.animate && mnw.up[w.index]) w.animate();
}
