// The preferences file and the situation files: one layout, read through the
// scanners with numbered checkpoints, written through ouf to a temporary file
// that replaces the old one only when it is whole.
#include "sim/shell/prefs.h"
#include <sys/stat.h>
#include <unistd.h>
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/output/do_graph.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/initgen.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

enum { ACF_VERSION = 35, GPS_CODES = 36 };

// The file being read, for the scanners' messages.
static char cur_file[STR_DIM];

// ---- aircraft paths ----

static int climbs_out(const char* s) {
  for (const char* p = s; (p = std::strstr(p, "..")) != nullptr; p += 2)
    if ((p == s || p[-1] == '/') && (p[2] == 0 || p[2] == '/')) return 1;
  return 0;
}

void stored_aircraft_path(const char* full, char* stored) {
  size_t n = std::strlen(app_path);
  if (n > 0 && std::strncmp(full, app_path, n) == 0 && full[n] == '/' && full[n + 1])
    std::snprintf(stored, STR_DIM, "%s", full + n + 1);
  else
    std::snprintf(stored, STR_DIM, "%s", full);
}

int resolve_aircraft_path(const char* stored, char* full) {
  full[0] = 0;
  if (!stored[0] || climbs_out(stored)) return 0;
  if (stored[0] == '/') {
    if (std::strlen(stored) >= STR_DIM - 1) return 0;
    std::snprintf(full, STR_DIM, "%s", stored);
    return 1;
  }
  return ap_dir("", stored, full);
}

static const char* base_name(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? slash + 1 : path;
}

static int is_readable_file(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode) && access(path, R_OK) == 0;
}

// An existing file named as the aircraft must at least be an aircraft file of
// this version; a missing one is left to the aircraft reader, which asks for another.
static int aircraft_ok_or_missing(const char* path) {
  if (!is_readable_file(path)) return 1;
  int ok = inf_open(path, FTYPE_ANY_TEXT, ACF_VERSION, 0);
  inf.close();
  return ok;
}

int headless_dialog_choice(int save, const char* folder, const char* ext, char* path, int path_size) {
  (void)folder;
  if (save || std::strcmp(ext, "acf") != 0) return 0;
  char p[STR_DIM];
  default_aircraft_path(p);
  if (!p[0] || (int)std::strlen(p) >= path_size) return 0;
  // Offering a file that cannot be opened would only bring the same question
  // back, for ever: say why and cancel, which ends the run with status 1.
  int kind = file_kind(p);
  if (kind != INF_OK || !aircraft_ok_or_missing(p)) {
    std::fprintf(stderr, "The default aircraft cannot be flown: %s\n%s\n", p,
                 kind != INF_OK ? inf_why_text(kind) : inf_why_text(inf_open_why));
    return 0;
  }
  std::snprintf(path, (size_t)path_size, "%s", p);
  return 1;
}

// ---- reading ----

static int last_airport() { return env.aptmax; }
static int last_navaid() { return env.navmax - 3; }  // the two slots above the file's are the carrier's

static int runway_exists(int apt, int rway_sel) {
  return apt >= 0 && apt <= env.aptmax && rway_sel >= 0 && rway_sel <= 5 && apt_len[apt][rway_sel / 2] > 1;
}

static int gps_ok() {
  const int codes[3] = {nav.gps_apt_index, nav.gps_vor_index, nav.gps_ndb_index};
  if (codes[0] < 0 || codes[0] > last_airport()) return 0;
  if (codes[1] < 0 || codes[1] > last_navaid() || codes[2] < 0 || codes[2] > last_navaid()) return 0;
  if (nav.gps_index_mode < 1 || nav.gps_index_mode > 3) return 0;
  int top = nav.gps_index_mode == 1 ? last_airport() : last_navaid();
  if (nav.gps_index < 0 || nav.gps_index > top) return 0;
  for (int k = 0; k < 4; k++)
    if (nav.gps_id[k] < 0 || nav.gps_id[k] > GPS_CODES) return 0;
  return 1;
}

static int in_range(int v, int lo, int hi) { return v >= lo && v <= hi; }

static void default_radios() {
  for (int r = 0; r < 2; r++) {
    nav.nf[r] = 111;
    nav.nf100[r] = 70;
    nav.cf[r] = 121;
    nav.cf100[r] = 0;
  }
  nav.adf1 = 2;
  nav.adf2 = 1;
  nav.adf3 = 0;
}

int PREFScheckpoint(int n) {
  show_init();
  rln(cur_file);
  int got = intscan(cur_file);
  if (scan_failed || got != n) return 0;
  rln(cur_file);
  return !scan_failed;
}

static float fs() { return fltscan(cur_file); }
static int is() { return intscan(cur_file); }
static int bs() { return bolscan(cur_file); }
// Settings checked against what they can be: a number far outside (a damping
// of 1e12, a wave direction of 3e38) fails the read with a message naming it.
static float fr(const char* field, float lo, float hi) { return fltscan_in(cur_file, field, lo, hi); }
static float frNOSN(const char* field, float lo, float hi) { return fltscanNOSN_in(cur_file, field, lo, hi); }
static int ir(const char* field, int lo, int hi) { return intscan_in(cur_file, field, lo, hi); }

static int read_aircraft_names() {
  char stored[STR_DIM];
  stringscan(pln.C_file, cur_file, STR_DIM);
  stringscan(stored, cur_file, STR_DIM);
  if (scan_failed || !resolve_aircraft_path(stored, pln.C_path)) return 0;
  // The name is the path's own, whatever the line before it says.
  std::snprintf(pln.C_file, STR_DIM, "%s", base_name(pln.C_path));
  return 1;
}

static void read_weather() {
  ins.baro = fr("altimeter setting (inches)", 15, 40);
  // The preferences hold settings of many records (atm, ins, nav, atc, rel, scn): read straight into them.
  atm.baro = fr("barometer (inches)", 15, 40);
  atm.rain_tstm = fr("precipitation level", 0, 10);
  atm.wind_tbl = fr("turbulence level", 0, 10);
  atm.burst_prob = fr("microburst level", 0, 10);
  atm.change_clouds = bs();
  atm.change_vis = bs();
  atm.change_precip = bs();
  atm.change_turb = bs();
  atm.change_micro = bs();
  atm.cld_type = is();
  atm.topsMSL = fr("cloud tops (m)", -1000, 40000);
  atm.baseMSL = fr("cloud bases (m)", -1000, 40000);
  atm.vis = fr("visibility (m)", 0, 1e6f);
  for (int i = 0; i < 9; i++) {
    atm.wnddir[i] = frNOSN("wind direction", -720, 720);
    atm.wndspd[i] = frNOSN("wind speed (m/s)", 0, 200);
    atm.shrdir[i] = frNOSN("wind shear direction", -720, 720);
    atm.shrspd[i] = frNOSN("wind shear speed (m/s)", 0, 200);
    atm.tbl[i] = frNOSN("turbulence of a wind layer", 0, 100);
    rln(cur_file);
  }
}

static void read_switches_and_joystick() {
  msc.sound_on = bs();
  atc.voice_out = bs();
  atc.text_out = bs();
  msc.warn_frame = bs();
  msc.warn_overspeed = bs();
  msc.warn_flaps = bs();
  msc.warn_bb = bs();
  // The disk column is never kept from one run to the next.
  for (int i = 0; i < DATA_ITEMS; i++) {
    intscanNOSN(cur_file);
    set.Bdsk[i] = 0;
    set.Brlt[i] = intscanNOSN(cur_file) != 0;
    set.Bgrf[i] = intscanNOSN(cur_file) != 0;
    rln(cur_file);
  }
  set.damp = fr("damping", 0, 1);
  set.joy_rat_ptch = fr("joystick pitch ratio", 0, 100);
  set.joy_rat_hdng = fr("joystick heading ratio", 0, 100);
  set.joy_rat_roll = fr("joystick roll ratio", 0, 100);
  set.eq_ped = bs();
  set.eq_avi = bs();
  set.eq_thr = bs();
  set.eq_col = bs();
  set.fcon_force_rat = fr("force feedback ratio", 0, 100);
  set.NZptch = fr("pitch null zone", 0, 1);
  set.NZroll = fr("roll null zone", 0, 1);
  for (int k = 0; k < JOY_RESPONSES; k++) set.joy_response[k] = ir("joystick button use", 0, 99);
}

static void int_pair(int* a, int* b) {
  *a = intscanNOSN(cur_file);
  *b = intscanNOSN(cur_file);
  rln(cur_file);
}

static void read_radios() {
  nav.vol[0] = frNOSN("nav volume", 0, 10);
  nav.vol[1] = frNOSN("nav volume", 0, 10);
  rln(cur_file);
  int_pair(&nav.nf[0], &nav.nf100[0]);
  int_pair(&nav.nf[1], &nav.nf100[1]);
  int_pair(&nav.cf[0], &nav.cf100[0]);
  int_pair(&nav.cf[1], &nav.cf100[1]);
  nav.adf1 = intscanNOSN(cur_file);
  nav.adf2 = intscanNOSN(cur_file);
  nav.adf3 = intscanNOSN(cur_file);
  rln(cur_file);
  nav.obs[0] = fr("course selector 1", -720, 720);
  nav.obs[1] = fr("course selector 2", -720, 720);
  nav.dmesel = is();
  nav.gps_index_mode = is();
  nav.gps_index = is();
  nav.gps_apt_index = is();
  nav.gps_vor_index = is();
  nav.gps_ndb_index = is();
  for (int k = 0; k < 4; k++) nav.gps_id[k] = is();
}

// Values that index tables are checked as they come: a bad one fails the
// read like a checkpoint out of place, before anything looks it up.
int grab_prefs() {
  if (!read_aircraft_names() || !PREFScheckpoint(100)) return 0;
  msc.loc_index = is();
  if (scan_failed || !in_range(msc.loc_index, 0, env.aptmax)) return 0;
  set_region_from_apt(msc.loc_index);
  msc.rway_sel = is();
  scn.time = is();
  atm.temp_SL = fr("sea-level temperature (F)", -200, 200);
  if (scan_failed || !runway_exists(msc.loc_index, msc.rway_sel) || !in_range(scn.time, 1, 4)) return 0;
  if (!PREFScheckpoint(101)) return 0;
  read_weather();
  if (scan_failed || !in_range(atm.cld_type, 0, 1) || !PREFScheckpoint(102)) return 0;
  atm.wave_amp = fr("wave height (m)", 0, 100);
  atm.wave_length = fr("wave length (m)", 0, 10000);
  atm.wave_speed = fr("wave speed (m/s)", 0, 1000);
  atm.wave_dir = flt_to_int(fr("wave direction", -720, 720));
  atm.meteorite_code = is();
  atm.rway_fric_code = is();
  atm.thermal_part = atm.thermal_vvi = 0;
  if (scan_failed || !in_range(atm.meteorite_code, 1, 4) || !in_range(atm.rway_fric_code, 1, 3)) return 0;
  if (!PREFScheckpoint(103)) return 0;
  read_switches_and_joystick();
  if (scan_failed || !PREFScheckpoint(104)) return 0;
  read_radios();
  if (scan_failed || !in_range(nav.dmesel, 0, 1) || !gps_ok()) return 0;
  if (!in_range(nav.adf1, 0, 9) || !in_range(nav.adf2, 0, 9) || !in_range(nav.adf3, 0, 9)) return 0;
  if (!PREFScheckpoint(105)) return 0;
  msc.prd = fltlim(fs(), 0.01f, 0.1f);
  msc.logtime = bs();
  rel.total_fail_entry = fr("total failure chance", 0, 1000);
  if (scan_failed) return 0;
  MACIBM_check_menu(7, 711, msc.logtime);
  if (set.eq_avi) default_radios();
  return 1;
}

// ---- the desktop's lines, after the last item of the preferences file only ----
// Files written before them end at the last item and read as before; a
// program that predates them stops reading before them.

static uint32_t joysticks_known;
static int joysticks_known_valid;

static void grab_desktop_prefs() {
  joysticks_known_valid = 0;
  if (!PREFScheckpoint(106)) {
    scan_failed = 0;
    return;
  }
  int full = bs(), whole = bs(), joys = is();
  if (scan_failed) {
    scan_failed = 0;
    return;
  }
  plat_prefer_fullscreen(full);
  plat_prefer_whole_scale(whole);
  joysticks_known = (uint32_t)joys;
  joysticks_known_valid = 1;
  // The axes chosen in the joystick window came later still: a file that
  // ends before them, or holds one out of range, leaves the usual axes.
  int axis[4];
  for (int& a : axis) a = is();
  if (scan_failed) {
    scan_failed = 0;
    return;
  }
  for (int c = 0; c < 4; c++)
    if (in_range(axis[c], 0, PLAT_JOY_AXES)) set.joy_axis[c] = axis[c];
}

int joysticks_changed() { return !joysticks_known_valid || joysticks_known != plat_joy_fingerprint(); }

// ---- the records a read may change, kept so that a failed read changes nothing ----

static miscstruct msc_kept;
static environmentstruct env_kept;
static scenerystruct scn_kept;
static atmospherestruct atm_kept;
static inststruct ins_kept;
static atcstruct atc_kept;
static settingstruct set_kept;
static navstruct nav_kept;
static relstruct rel_kept;
static char file_kept[STR_DIM], path_kept[STR_DIM];

static void keep_records() {
  msc_kept = msc;
  env_kept = env;
  scn_kept = scn;
  atm_kept = atm;
  ins_kept = ins;
  atc_kept = atc;
  set_kept = set;
  nav_kept = nav;
  rel_kept = rel;
  std::memcpy(file_kept, pln.C_file, STR_DIM);
  std::memcpy(path_kept, pln.C_path, STR_DIM);
}

static void restore_records() {
  msc = msc_kept;
  env = env_kept;
  scn = scn_kept;
  atm = atm_kept;
  ins = ins_kept;
  atc = atc_kept;
  set = set_kept;
  nav = nav_kept;
  rel = rel_kept;
  std::memcpy(pln.C_file, file_kept, STR_DIM);
  std::memcpy(pln.C_path, path_kept, STR_DIM);
  if (mnw.menu[7]) MACIBM_check_menu(7, 711, msc.logtime);
}

// Why the last read could not open its file (INF_*).
static int prefs_open_why = INF_OK;

// Reads a preferences layout, and the situation lines when sit is given;
// scanning errors fall back instead of ending the program.
static int read_prefs_file(const char* path, float* sit) {
  keep_records();
  std::snprintf(cur_file, sizeof cur_file, "%s", path);
  scan_soft = 1;
  scan_failed = 0;
  scan_problem[0][0] = 0;
  int opened = inf_open(path, FTYPE_ANY_TEXT, PREFS_VERSION, 0);
  prefs_open_why = inf_open_why;
  int ok = opened && grab_prefs();
  if (ok && sit) {
    // Metres from the region's corner (no farther than half way round the
    // Earth), degrees, m/s.
    sit[0] = fr("situation's east position (m)", -2.1e7f, 2.1e7f);
    sit[1] = fr("situation's north position (m)", -2.1e7f, 2.1e7f);
    sit[2] = fr("situation's heading", -3600, 3600);
    sit[3] = fr("situation's height (m)", -1000, 40000);
    sit[4] = fr("situation's speed (m/s)", 0, 2000);
  }
  ok = ok && !scan_failed;
  if (ok && !sit) grab_desktop_prefs();
  inf.close();
  scan_soft = 0;
  scan_failed = 0;
  if (ok) ok = aircraft_ok_or_missing(pln.C_path);
  if (!ok) restore_records();
  return ok;
}

// ---- defaults ----

static void choose_first_aircraft() {
  MACIBM_alert("Welcome to Tarvel.",
               "Since you have never flown with us before, you will now select an aircraft to start your flying "
               "in Tarvel.",
               "", "", 0);
  // The dialog opens where the shipped aircraft are, the default one ready for Enter.
  ap_dir("Aircraft", "Trainer", pln.C_path);
  pln.C_file[0] = 0;
  if (!MACIBM_open(pln.C_file, pln.C_path, FTYPE_AIRCRAFT))
    MACIBM_exitalert("I did not get a valid aircraft from you.",
                     "If you want to try again, navigate to the same folder that this program is in.",
                     "Then select an aircraft file.", "Aircraft files have a '.acf' suffix.");
}

static int last_ksbd() {
  int found = 0;
  for (int n = 0; n <= env.aptmax; n++)
    if (std::strncmp(apt_id[n], "KSBD", 4) == 0) found = n;
  return found;
}

void hardprefs() {
  choose_first_aircraft();
  msc.loc_index = last_ksbd();
  set_region_from_apt(msc.loc_index);
  msc.rway_sel = 0;
  scn.time = 2;
  // The defaults of the same settings, in the same records.
  atm.temp_SL = 59;
  ins.baro = atm.baro = 29.92f;
  atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1.0f;
  atm.change_clouds = atm.change_vis = atm.change_precip = atm.change_turb = atm.change_micro = 1;
  atm.cld_type = 1;
  atm.topsMSL = 5000 * con.fttomtrs;
  atm.baseMSL = 4000 * con.fttomtrs;
  atm.vis = 10 * con.nmtomtrs;
  for (int i = 0; i < 9; i++) atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0;
  atm.wave_amp = 0.3f;
  atm.wave_length = 10;
  atm.wave_speed = 2;
  atm.wave_dir = 0;
  atm.thermal_part = atm.thermal_vvi = 0;
  atm.meteorite_code = 2;
  atm.rway_fric_code = 1;
  msc.sound_on = atc.voice_out = atc.text_out = 1;
  msc.warn_frame = msc.warn_overspeed = msc.warn_flaps = msc.warn_bb = 1;
  for (int i = 0; i < DATA_ITEMS; i++) set.Bdsk[i] = set.Brlt[i] = set.Bgrf[i] = 0;
  set.damp = 0;
  set.joy_rat_ptch = set.joy_rat_hdng = set.joy_rat_roll = set.fcon_force_rat = 1.0f;
  set.eq_ped = set.eq_avi = set.eq_thr = set.eq_col = 0;
  set.NZptch = set.NZroll = 0.01f;
  for (int& a : set.joy_axis) a = 0;
  static const int responses[JOY_RESPONSES] = {2, 1, 5, 6, 22, 21, 19, 20, 15, 16, 11, 12, 10, 9, 17, 18};
  for (int k = 0; k < JOY_RESPONSES; k++) set.joy_response[k] = responses[k];
  nav.vol[0] = nav.vol[1] = 0.5f;
  default_radios();
  nav.obs[0] = nav.obs[1] = 0;
  nav.dmesel = 0;
  nav.gps_index_mode = 1;
  // A smaller database than the world's keeps the GPS inside its tables.
  nav.gps_index = nav.gps_apt_index = intlim(1600, 0, intmax2(last_airport(), 0));
  nav.gps_vor_index = intlim(2100, 0, intmax2(last_navaid(), 0));
  nav.gps_ndb_index = intlim(700, 0, intmax2(last_navaid(), 0));
  for (int k = 0; k < 4; k++) nav.gps_id[k] = 11;
  msc.prd = 0.05f;
  rel.total_fail_entry = 1.0f;
}

// Why the preferences were not used, when that is worth telling: the file
// is spoilt by an error (and where the settings from before it are), holds a
// number out of range, or is no file that can be read. A missing file or
// another version is the ordinary first start and says nothing.
static void tell_why_defaults(int spoilt, const char* why) {
  if (spoilt) {
    char bak[STR_DIM + 8];
    std::snprintf(bak, sizeof bak, "%s.bak", prefs_path);
    int have_bak = is_readable_file(bak);
    MACIBM_alert("Tarvel started with its default settings because it last ended with this error:", why,
                 have_bak ? "Your settings from before it are kept in:" : "There were no settings to keep.",
                 have_bak ? bak : "", 0);
  } else if (scan_problem[0][0]) {
    MACIBM_alert(scan_problem[1], scan_problem[2], "Tarvel starts with its default settings instead.", "", 0);
  } else if (prefs_open_why == INF_NOT_FILE || prefs_open_why == INF_UNREADABLE) {
    MACIBM_alert("The preferences file could not be read:", prefs_path, inf_why_text(prefs_open_why),
                 "Tarvel starts with its default settings instead.", 0);
  }
}

void initprefs() {
  char why[STR_DIM];
  int spoilt = prefs_path[0] && prefs_spoilt(prefs_path, why, sizeof why);
  if (!prefs_path[0] || !read_prefs_file(prefs_path, nullptr)) {
    tell_why_defaults(spoilt, why);
    hardprefs();
  }
  if (msc.loc_index >= 0 && msc.loc_index <= env.aptmax) {
    // The region is chosen from the aircraft's position, kept in flt until the flight is placed.
    flt.lat = apt_lat[msc.loc_index][0];
    flt.lon = apt_lon[msc.loc_index][0];
  }
  set_rlt_grf_choices();
}

// ---- writing ----

static void wcp(int n) { ouf << "\n" << n << " checkpoint\n\n"; }
static int b01(int v) { return v ? 1 : 0; }

void dump_prefs() {
  ouf.unsetf(std::ios::floatfield);
  ouf.precision(6);
  char stored[STR_DIM];
  stored_aircraft_path(pln.C_path, stored);
  ouf << base_name(pln.C_path) << "\n" << stored << "\n";
  wcp(100);
  ouf << msc.loc_index << " apt start \n" << msc.rway_sel << " rway selection\n";
  ouf << scn.time << " time\n" << atm.temp_SL << " temp\n";
  wcp(101);
  const float wx[5] = {ins.baro, atm.baro, atm.rain_tstm, atm.wind_tbl, atm.burst_prob};
  for (float v : wx) ouf << v << " wx\n";
  const int change[5] = {atm.change_clouds, atm.change_vis, atm.change_precip, atm.change_turb, atm.change_micro};
  for (int v : change) ouf << b01(v) << " prefs on/off\n";
  ouf << atm.cld_type << " cld type\n" << atm.topsMSL << " tops,  m\n";
  ouf << atm.baseMSL << " bases, m\n" << atm.vis << " vis,   km\n";
  for (int i = 0; i < 9; i++)
    ouf << atm.wnddir[i] << " " << atm.wndspd[i] << " " << atm.shrdir[i] << " " << atm.shrspd[i] << " "
        << atm.tbl[i] << "  wx data\n";
  wcp(102);
  ouf << atm.wave_amp << " wave stuff, metric\n" << atm.wave_length << " wave stuff, metric\n";
  ouf << atm.wave_speed << " wave stuff, metric\n" << atm.wave_dir << " wave stuff, metric\n";
  ouf << atm.meteorite_code << " more stuff\n" << atm.rway_fric_code << " more stuff\n";
  wcp(103);
  const int switches[7] = {msc.sound_on,     atc.voice_out,  atc.text_out, msc.warn_frame,
                           msc.warn_overspeed, msc.warn_flaps, msc.warn_bb};
  for (int v : switches) ouf << b01(v) << " prefs on/off\n";
  for (int i = 0; i < DATA_ITEMS; i++)
    ouf << b01(set.Bdsk[i]) << " " << b01(set.Brlt[i]) << " " << b01(set.Bgrf[i]) << "\n";
  ouf << set.damp << " damping\n";
  ouf << set.joy_rat_ptch << " joystick ratio (sensitivity)\n" << set.joy_rat_hdng << " joystick ratio (sensitivity)\n";
  ouf << set.joy_rat_roll << " joystick ratio (sensitivity)\n";
  ouf << b01(set.eq_ped) << " nwheel steering type\n" << b01(set.eq_avi) << " nwheel steering type\n";
  ouf << b01(set.eq_thr) << " recip hel throt type\n" << b01(set.eq_col) << " prefs on/off\n";
  ouf << set.fcon_force_rat << " force rat\n" << set.NZptch << " nullzone\n" << set.NZroll << " nullzone\n";
  for (int k = 0; k < JOY_RESPONSES; k++) ouf << set.joy_response[k] << " joy use\n";
  wcp(104);
  ouf << nav.vol[0] << " " << nav.vol[1] << " nav volumes\n";
  ouf << nav.nf[0] << " " << nav.nf100[0] << " nav 1\n" << nav.nf[1] << " " << nav.nf100[1] << " nav 2\n";
  ouf << nav.cf[0] << " " << nav.cf100[0] << " com 1\n" << nav.cf[1] << " " << nav.cf100[1] << " com 2\n";
  ouf << nav.adf1 << " " << nav.adf2 << " " << nav.adf3 << " adf\n";
  ouf << nav.obs[0] << " obs 1\n" << nav.obs[1] << " obs 2\n" << nav.dmesel << " dme mode\n";
  ouf << nav.gps_index_mode << " gps mode\n";
  const int gps[4] = {nav.gps_index, nav.gps_apt_index, nav.gps_vor_index, nav.gps_ndb_index};
  for (int v : gps) ouf << v << " gps index\n";
  for (int k = 0; k < 4; k++) ouf << nav.gps_id[k] << " gps id code\n";
  wcp(105);
  ouf << msc.prd << " period\n" << b01(msc.logtime) << " note time flown\n";
  ouf << rel.total_fail_entry << " total failure chance\n";
}

void write_prefs() {
  // Before the region lists exist nothing worth keeping has been set up.
  if (!msc.ready_to_update || env.apt_list_max < 0) return;
  if (!prefs_path[0]) {
    MACIBM_alert("Your settings could not be saved.", prefs_problem, "", "", 0);
    return;
  }
  if (!ouf_open(prefs_path, FTYPE_ANY_TEXT, PREFS_VERSION)) return;
  dump_prefs();
  wcp(106);
  ouf << b01(plat_fullscreen_choice()) << " full screen\n";
  ouf << b01(plat_whole_scale_choice()) << " whole-factor scaling\n";
  ouf << (int)plat_joy_fingerprint() << " joysticks seen\n";
  for (int a : set.joy_axis) ouf << a << " joystick axis\n";  // pitch, roll, yaw, throttle
  ouf_close();
}

// ---- situations ----

// The fresh frame of the region around an airport: x east and y north in
// metres from its south-west corner, as a region load lays it out.
static void fresh_region_corner(int apt, int* lat_sou, int* lon_wes) {
  *lat_sou = intlim(bk::round(apt_lat[apt][0] - 1.0f), -89, 87);
  *lon_wes = ((bk::round(apt_lon[apt][0] - 1.5f) + 180) % 360 + 360) % 360 - 180;
}

// Where the aircraft is in the frame of the region the file's reader will
// load (the one around its starting airport): after a slide that is not the
// loaded region, so the position goes through latitude and longitude.
static void situation_xy(float* x, float* y) {
  float deg_m = env_y_of_lat(env.lat_sou + 1.0f) - env_y_of_lat((float)env.lat_sou);
  if (!(deg_m > 0) || msc.loc_index < 0 || msc.loc_index > env.aptmax) {
    *x = (float)flt.x;
    *y = (float)flt.y;
    return;
  }
  float lat = env.lat_sou + ((float)flt.y - env_y_of_lat((float)env.lat_sou)) / deg_m;
  // x grows with longitude along the row: find the longitude by halving.
  double lo = env.lon_wes - 2.0, hi = env.lon_wes + 5.0;
  for (int k = 0; k < 50; k++) {
    double mid = 0.5 * (lo + hi);
    if (env_x_of_latlon(lat, (float)mid) < (float)flt.x) lo = mid;
    else hi = mid;
  }
  double lon = 0.5 * (lo + hi);
  int lat_sou, lon_wes;
  fresh_region_corner(msc.loc_index, &lat_sou, &lon_wes);
  *y = (lat - lat_sou) * deg_m;
  *x = (float)((lon - lon_wes) * deg_m * std::cos(lat * 0.017453292519943295));
}

int write_situation(const char* path) {
  if (!ouf_open(path, FTYPE_ANY_TEXT, PREFS_VERSION)) return 0;
  dump_prefs();
  float x, y;
  situation_xy(&x, &y);
  const float sit[5] = {x, y, (float)flt.psi, (float)flt.z, (float)flt.v};
  for (float v : sit) ouf << v << " situation data\n";
  return ouf_close();
}

int read_situation(const char* path, const char* file) {
  if (!is_readable_file(path)) {
    MACIBM_alert("Couldn't open file:", file, "Couldn't open path:", path, 0);
    return 0;
  }
  float sit[5];
  int ok = read_prefs_file(path, sit);
  // A situation's aircraft must be there: it is loaded at once.
  if (ok && !is_readable_file(pln.C_path)) {
    restore_records();
    ok = 0;
  }
  if (!ok) {
    if (scan_problem[0][0]) MACIBM_alert(scan_problem[0], scan_problem[1], scan_problem[2], scan_problem[3], 0);
    MACIBM_alert("Couldn't read prefs file!", "Are situation and Tarvel the same version?",
                 "I cannot read this situation.", "We will just pretend this never happened.", 0);
    return 0;
  }
  set.cus_x = sit[0];
  set.cus_y = sit[1];
  set.cus_psi = sit[2];
  set.cus_z = sit[3];
  set.cus_v = sit[4];
  return 1;
}
