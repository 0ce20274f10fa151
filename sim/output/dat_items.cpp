// The catalogue of output items and the three channels they are published on.
#include "sim/output/dat_items.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_const.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/world/env.h"

static const char* const labels[OUT_ITEMS_DEFINED] = {
    "FREQ /sec",
    "TIME rtio",
    "TIME  sec",
    "DRAT part",
    " RHO sft3",
    "ALPH  deg BETA  deg",
    "HPTH  deg",
    "VPTH  deg",
    "THT1 part THT2 part THT3 part THT4 part",
    "PRP1  rpm PRP2  rpm PRP3  rpm PRP4  rpm",
    "SWP1  deg SWP2  deg HSWP  deg TVEC  deg",
    "ELEV yoke AILN yoke RUDD yoke",
    "ELEV surf AILN surf RUDD surf",
    "TRIM  deg FLAP part SLAT part",
    "GEAR  0/1 WBRK part WBRK part SPBK  0/1",
    "Vtru ktas Vind kias",
    " VVI  fpm",
    "MACH    #",
    "   A ktas",
    "   Q  psf",
    "   M ftlb    L ftlb    N ftlb",
    "Qdot d/ss Pdot d/ss Rdot d/ss",
    "   Q  d/s    P  d/s    R  d/s",
    "PTCH  deg ROLL  deg",
    "HDNG true HDNG  mag MVAR  deg",
    "dist   ft dist   nm",
    " LAT  deg  LON  deg  ALT   ft",
    "   G unit",
    "POWR 1,hp POWR 2,hp POWR 3,hp POWR 4,hp",
    "THST 1,lb THST 2,lb THST 3,lb THST 4,lb",
    "NTRQ ftlb NTRQ ftlb NTRQ ftlb NTRQ ftlb",
    "RPM1  rpm RPM2  rpm RPM3  rpm RPM4  rpm",
    "PTCH  deg PTCH  deg PTCH  deg PTCH  deg",
    "PWSH   kt PWSH   kt PWSH   kt PWSH   kt",
    "MP 1 inhg MP 2 inhg MP 3 inhg MP 4 inhg",
    "N1 1 pcnt N1 2 pcnt N1 3 pcnt N1 4 pcnt",
    "FF 1  rat FF 2  rat FF 3  rat FF 4  rat",
    "LIFT   lb DRAG   lb SIDE   lb",
    "NORM   lb AXIL   lb SIDE   lb",
    "NOSE f,lb LEFT f,lb RIGT f,lb",
    " L/D  rat",
    "PEF1  rat PEF2  rat PEF3  rat PEF4  rat",
    "AILN  deg AILN  deg",
    "SPLR  deg SPLR  deg",
    "ELEV  deg ELEV  deg",
    "RUDD  deg",
    "DRUD  deg DRUD  deg",
    "CYCL  deg CYCL  deg",
    "PALD   lb FUEL   lb JETI   lb",
    "EMPTY  lb GROS   lb",
    "FF#1 lb/h FF#2 lb/h FF#3 lb/h FF#4 lb/h",
};

const char* item_label(int item) {
  static char padded[OUT_ITEMS_DEFINED][40];
  if (item < 0 || item >= OUT_ITEMS_DEFINED) return "";
  if (!padded[item][0]) std::snprintf(padded[item], sizeof padded[item], "%-39s", labels[item]);
  return padded[item];
}

int item_column(int item, int col, char name[5], char unit[5]) {
  const char* l = item_label(item);
  name[0] = unit[0] = 0;
  if (!l[0] || col < 0 || col >= OUT_COLUMNS) return 0;
  std::memcpy(name, l + 10 * col, 4);
  std::memcpy(unit, l + 10 * col + 5, 4);
  name[4] = unit[4] = 0;
  return name[3] != ' ';
}

float clamp_out(float v) {
  if (v != v) return 0;
  if (v > 9.9e9f) return 9.9e9f;
  if (v < -9.9e9f) return -9.9e9f;
  return v;
}

static float wrap_pm180(float a) {
  if (!std::isfinite(a)) return a;
  a = std::fmod(a, 360.0f);
  if (a > 180) a -= 360;
  if (a < -180) a += 360;
  return a;
}

static void four(float v[4], const float* src, float k, float add = 0) {
  for (int i = 0; i < 4; i++) v[i] = src[i] * k + add;
}

void item_values(int item, float v[OUT_COLUMNS]) {
  for (int c = 0; c < OUT_COLUMNS; c++) v[c] = OUT_NONE;
  const float lbh = con.kgstolbs * 3600.0f;
  switch (item) {
    case 0: v[0] = 1.0f / msc.prd; break;
    case 1: v[0] = msc.rtrat; break;
    case 2: v[0] = msc.elap_time; break;
    case 3: v[0] = atm.crtsig; break;
    case 4: v[0] = atm.rho * con.medtoend; break;
    case 5: v[0] = flt.Alpha, v[1] = flt.Beta; break;
    case 6: v[0] = flt.hpath; break;
    case 7: v[0] = wrap_pm180(flt.vpath); break;
    case 8: four(v, flt.thro, 1, 0.005f); break;
    case 9: four(v, flt.prop, con.rsctorpm); break;
    case 10:
      v[0] = (float)pln.sweepnow[4], v[1] = (float)pln.sweepnow[6], v[2] = (float)pln.sweepnow[8];
      v[3] = pln.vertcant[0];
      break;
    case 11: v[0] = set.YK_ptch, v[1] = set.YK_roll, v[2] = set.YK_hdng; break;
    case 12: v[0] = set.FC_ptch, v[1] = set.FC_roll, v[2] = set.FC_hdng; break;
    case 13: v[0] = flt.trim, v[1] = flt.flap * 0.02f, v[2] = flt.slat; break;
    case 14:
      v[0] = set.gear_handle ? 1.0f : 0.0f, v[1] = set.toe_brake[0], v[2] = set.toe_brake[1];
      v[3] = flt.sbrk;
      break;
    case 15: v[0] = flt.av * con.msctokts, v[1] = flt.vind; break;
    case 16: v[0] = flt.vu * con.msctofpm; break;
    case 17: v[0] = flt.av / atm.a; break;
    case 18: v[0] = atm.a * con.msctokts; break;
    case 19: v[0] = flt.Qstatic * con.meptoenp; break;
    case 20: v[0] = flt.M * con.nmtoftlb, v[1] = flt.L * con.nmtoftlb, v[2] = flt.N * con.nmtoftlb; break;
    case 21: v[0] = flt.Qdot, v[1] = flt.Pdot, v[2] = flt.Rdot; break;
    case 22: v[0] = flt.Q, v[1] = flt.P, v[2] = flt.R; break;
    case 23: v[0] = flt.the180, v[1] = flt.phi180; break;
    case 24: v[0] = flt.psi, v[1] = flt.magpsi, v[2] = (float)env.mvar; break;
    case 25: v[0] = flt.dist * con.mtrstoft, v[1] = flt.dist * con.mtrstonm; break;
    case 26: v[0] = flt.lat, v[1] = flt.lon, v[2] = flt.h * con.mtrstoft; break;
    case 27: {
      float az = flt.az + con.g;
      v[0] = std::sqrt(flt.ax * flt.ax + flt.ay * flt.ay + az * az) / con.g;
      break;
    }
    case 28: four(v, flt.power, con.watttohp); break;
    case 29: four(v, flt.thrust, con.ntntolbs); break;
    case 30: four(v, flt.trq, con.nmtoftlb); break;
    case 31: four(v, flt.tac, con.rsctorpm); break;
    case 32: four(v, flt.proppitch, 1); break;
    case 33: four(v, flt.DVinc, con.msctokts); break;
    case 34: four(v, flt.mpr, 1); break;
    case 35: four(v, flt.n1_, 1); break;
    case 36: case 50: four(v, flt.ff_, lbh); break;
    case 37:
      v[0] = flt.fnrmlaero * con.ntntolbs, v[1] = -flt.faxilaero * con.ntntolbs;
      v[2] = flt.fsideaero * con.ntntolbs;
      break;
    case 38:
      v[0] = flt.fnrmlprop * con.ntntolbs, v[1] = flt.faxilprop * con.ntntolbs;
      v[2] = flt.fsideprop * con.ntntolbs;
      break;
    case 39:
      for (int i = 0; i < 3; i++) v[i] = flt.gearf[i] * con.ntntolbs;
      break;
    // At rest, or for a jet's zero shaft power, these are 0 / 0: the clamp reads them as 0.
    case 40: v[0] = -flt.fnrmlaero / flt.faxilaero; break;
    case 41:
      for (int i = 0; i < 4; i++) v[i] = flt.thrust[i] * flt.av / flt.power[i];
      break;
    case 42: v[0] = flt.lailndef, v[1] = flt.railndef; break;
    case 43: v[0] = flt.lsplrdef, v[1] = flt.rsplrdef; break;
    case 44: v[0] = flt.lhstbdef, v[1] = flt.rhstbdef; break;
    case 45: v[0] = flt.ruddef; break;
    case 46: v[0] = flt.ldruddef, v[1] = flt.rdruddef; break;
    case 47: v[0] = flt.elevcyclic, v[1] = flt.ailncyclic; break;
    case 48:
      v[0] = flt.m_fixed * con.kgstolbs, v[1] = flt.m_fuel * con.kgstolbs, v[2] = flt.m_jettison * con.kgstolbs;
      break;
    case 49: v[0] = pln.m_empty * con.kgstolbs, v[1] = flt.m_total * con.kgstolbs; break;
    default: break;
  }
  for (int c = 0; c < OUT_COLUMNS; c++) v[c] = clamp_out(v[c]);
}

// ---- display formats ----

struct digdec { signed char dig[4], dec[4]; };

static digdec format_of(int item) {
  auto all = [](int d, int e) { return digdec{{(signed char)d, (signed char)d, (signed char)d, (signed char)d},
                                               {(signed char)e, (signed char)e, (signed char)e, (signed char)e}}; };
  switch (item) {
    case 0: case 2: case 6: case 7: return all(4, 1);
    case 1: return all(3, 2);
    case 3: return all(4, 3);
    case 4: return all(4, 4);
    case 5: return all(4, 1);
    case 8: return all(3, 2);
    case 9: case 28: case 29: case 30: case 31: case 36: case 50: return all(4, 0);
    case 10: return all(3, 0);
    case 11: case 12: return all(3, 2);
    case 13: return {{4, 3, 3, 3}, {2, 2, 2, 2}};
    case 14: return {{1, 3, 3, 1}, {0, 2, 2, 0}};
    case 15: case 25: case 49: return all(4, 0);
    case 16: case 19: return all(4, 0);
    case 17: case 40: return all(4, 2);
    case 18: return all(3, 0);
    case 20: case 37: case 38: case 39: case 48: return all(4, 0);
    case 21: return all(3, 0);
    case 22: return all(4, 1);
    case 23: return all(3, 0);
    case 24: return {{3, 3, 2, 2}, {0, 0, 0, 0}};
    case 26: return {{3, 4, 4, 4}, {1, 1, 0, 0}};
    case 27: return all(3, 1);
    case 32: return all(2, 0);
    case 33: case 34: case 35: return all(3, 0);
    case 41: return all(4, 3);
    case 42: case 43: case 44: case 45: case 46: case 47: return all(3, 1);
    default: return all(4, 1);
  }
}

void set_dig_dec(int item, int dig[OUT_COLUMNS], int dec[OUT_COLUMNS]) {
  digdec f = format_of(item);
  for (int c = 0; c < OUT_COLUMNS; c++) dig[c] = f.dig[c], dec[c] = f.dec[c];
}

void rlt_value_text(float v, int dig, int dec, char* text, int size) {
  v = clamp_out(v);
  if (std::fabs(v) < 9999.0f) {
    std::snprintf(text, size, "%*.*f", dig + (dec > 0 ? dec + 1 : 0), dec, v);
    return;
  }
  // 9.9E9: one decimal of mantissa, the exponent without sign or leading zeros.
  int e = flt_to_int(std::floor(std::log10(std::fabs(v))));
  float m = v / std::pow(10.0f, (float)e);
  if (std::fabs(m) >= 9.95f) m /= 10, e++;
  std::snprintf(text, size, "%.1fE%d", m, e);
}

// ---- the back ends ----

// A column's name or unit as the data file shows it: blanks become "_".
static void underscored(const char* four, char* out) {
  for (int i = 0; i < 4; i++) out[i] = four[i] == ' ' ? '_' : four[i];
  out[4] = 0;
}

static const int curve_color[OUT_COLUMNS] = {17, 43, 36, 12};

void sub_out_label(int mode, int place, const char* label) {
  if (!label || !label[0]) return;
  char name[5], unit[5];
  for (int col = 0; col < OUT_COLUMNS; col++) {
    std::memcpy(name, label + 10 * col, 4);
    std::memcpy(unit, label + 10 * col + 5, 4);
    name[4] = unit[4] = 0;
    if (name[3] == ' ') continue;
    if (mode == OUT_FILE) {
      if (!bbx) return;
      char n[5], u[5];
      underscored(name, n);
      underscored(unit, u);
      std::fprintf(bbx, "%s,%s | ", n, u);
    } else if (mode == OUT_GRAPH) {
      char text[16];
      std::snprintf(text, sizeof text, "%s %s", name, unit);
      MACIBM_drstring(curve_color[col], 6, place - 22 + 15 * col, text, 4);
    } else if (mode == OUT_SCREEN) {
      int x, y;
      rlt_slot_xy(place, &x, &y);
      x += 30 * col;
      MACIBM_drstring(11, x + 1, y - 9, name, 5);
      MACIBM_drstring(55, x, y - 10, name, 5);
      MACIBM_drstring(11, x + 1, y + 11, unit, 5);
      MACIBM_drstring(55, x, y + 10, unit, 5);
    }
  }
}

void out_label(int mode, int item, int place) {
  if (item < 0 || item >= OUT_ITEMS_DEFINED) return;
  sub_out_label(mode, place, item_label(item));
}

// A value in seven-segment digits of size 3, the point a single pixel.
static void seg_text(int x, int y, const char* text, int color) {
  const int size = 3, step = size + 2;
  for (const char* p = text; *p; p++) {
    char c = *p;
    if (c >= '0' && c <= '9') digit(x, y, size, color, c - '0', 0);
    else if (c == '-') digit(x, y, size, color, 10, 0);
    else if (c == 'E') lightleds(x, y, size, color, 1, 1, 0, 1, 1, 0, 1, 0);
    else if (c == '.') {
      MACIBM_fillrect(color, x, y + 2 * size, 0, 0);
      x += 2;
      continue;
    } else if (c != ' ') continue;
    x += step;
  }
}

void sub_out_dat(int mode, int item, int place, float v1, float v2, float v3, float v4) {
  float v[OUT_COLUMNS] = {clamp_out(v1), clamp_out(v2), clamp_out(v3), clamp_out(v4)};
  if (mode == OUT_FILE) {
    if (!bbx) return;
    for (float x : v)
      if (std::fabs(x - OUT_NONE) > 0.01f) std::fprintf(bbx, "%9.2f | ", x);
  } else if (mode == OUT_GRAPH) {
    if (place < 0 || place >= GRAPH_CHANNELS || grf.cntr < 0 || grf.cntr >= GRAPH_SAMPLES) return;
    grf.data1[grf.cntr][place] = v[0];
    grf.data2[grf.cntr][place] = v[1];
    grf.data3[grf.cntr][place] = v[2];
    grf.data4[grf.cntr][place] = v[3];
  } else if (mode == OUT_SCREEN) {
    int dig[OUT_COLUMNS], dec[OUT_COLUMNS], x, y;
    set_dig_dec(item, dig, dec);
    rlt_slot_xy(place, &x, &y);
    for (int col = 0; col < OUT_COLUMNS; col++) {
      if (!(std::fabs(v[col] - OUT_NONE) > 0.001f)) continue;
      char text[24];
      rlt_value_text(v[col], dig[col], dec[col], text, sizeof text);
      const char* t = text;
      while (*t == ' ') t++;
      seg_text(x + 30 * col + 1, y - 2, t, 11);
      seg_text(x + 30 * col, y - 3, t, 17);
    }
  }
}

void out_dat(int mode, int item, int place) {
  if (item < 0 || item >= OUT_ITEMS_DEFINED) return;
  float v[OUT_COLUMNS];
  item_values(item, v);
  sub_out_dat(mode, item, place, v[0], v[1], v[2], v[3]);
}

// ---- the screen channel ----

void rlt_slot_xy(int slot, int* x, int* y) {
  int right = slot >= 5;
  *x = (right ? 665 : 0) + 10;
  *y = 30 + 40 * (right ? slot - 5 : slot);
}

void print_data_items() {
  // The catapult's "Space bar to launch." prompt has the screen to itself.
  if (!set.rltout || set.view_type == VIEW_REPLAY || flt.cat_stage == 27) return;
  for (int s = 0; s < RLT_SLOTS; s++) {
    if (set.rltsel[s] < 0) continue;
    out_label(OUT_SCREEN, set.rltsel[s], s);
    out_dat(OUT_SCREEN, set.rltsel[s], s);
  }
}
