// The panel's pictures, read once from the data folder, and the engine
// gauges' scales, chosen by the kind of engine and machine.
#include <cstdio>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/propel.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"

// ---------------------------------------------------------------- pictures

static const int picture_ids[] = {128, 129, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152, 153,
                                  154, 155, 156, 157, 158, 159, 160, 161, 163, 169, 170, 171, 172, 173,
                                  174, 175, 176, 177, 178, 179, 180, 181, 182, 183, 184, 185, 186, 187,
                                  188, 189, 190, 191, 192, 193, 194, 195, 196, 197, 198, 199, 206};
static int pictures_read = 0;
int panel_pictures_read() { return pictures_read; }

void init_panel_pictures() {
  for (int id : picture_ids) {
    char name[32], path[STR_DIM];
    std::snprintf(name, sizeof name, "%d.png", id);
    if (!ap_dir("panel", name, path) || !load_bitmap_file(id, path)) {
      // A file that is there but no picture, or no regular file, says which.
      int kind = path[0] ? file_kind(path) : INF_MISSING;
      MACIBM_exitalert("A picture of the instrument panel is missing or cannot be read:", path[0] ? path : name,
                       kind == INF_MISSING ? "Tarvel needs every picture of the folder \"panel\" in its data folder."
                       : kind == INF_OK    ? "It is not an 8-bit palette PNG picture."
                                           : inf_why_text(kind),
                       "Reinstall the data folder, or run tools/panelart/panelart.py to draw them again.");
    }
  }
  pictures_read = 1;
}

// ---------------------------------------------------------------- engine gauges

// What a row of an engine column shows: 0 none, 1 EGT, 2 RPM, 3 manifold
// pressure, 4 torque, 5 N1, 6 fuel flow, 7 rotor RPM.
int engine_row_kind(int r) {
  static const int plane[4][3] = {{0, 0, 0}, {1, 2, 3}, {0, 2, 4}, {0, 5, 6}};
  static const int heli[4][3] = {{0, 0, 0}, {7, 4, 3}, {7, 4, 5}, {7, 4, 5}};
  int t = intlim(pln.entype, 0, 3);
  int k = pln.is_heli ? heli[t][r] : plane[t][r];
  if (!pln.is_heli && t == 1 && r == 2 && !pln.varpitchEQ) k = 0;
  return k;
}

static const char* const gauge_label[8] = {"", "EGT", "RPM", "MP", "TRQ", "N1", "FF", "RRPM"};

static int gauge_max(int kind) {
  switch (kind) {
    case 2: case 7: return tac_max();
    case 3: return mpr_max();
    case 4: return trq_max();
    case 5: return n1__max();
    case 6: return ff__max();
    default: return 0;
  }
}

static void init_gauge(int kind, int x, int y) {
  if (kind == 0) return;
  if (kind == 1) {
    if (!pln.ecam) pbitmap(x - 28, y - 8, BMP_EGT);
    return;
  }
  int m = gauge_max(kind);
  if (!pln.tape && !pln.ecam) pbitmap(x - 32, y - 32, BMP_ENGINE_DIAL);
  // Green and red ranges where the engine data give them.
  if (kind == 2 || kind == 7) {
    tape_arc_mark(12, x, y, 20, 21, flt_to_int(pln.omegamingreen * con.rsctorpm), flt_to_int(pln.omegamaxgreen * con.rsctorpm),
                  pln.tape, m);
    int red = flt_to_int(pln.omegamax * con.rsctorpm);
    tape_arc_mark(18, x, y, 19, 22, red, red + m / 60 + 1, pln.tape, m);
  } else if (kind == 5) {
    tape_arc_mark(12, x, y, 20, 21, 60, 100, pln.tape, m);
  }
  tape_arc(gauge_label[kind], x, y, m, pln.tape);
}

void standard_engine_init() {
  ins.tactoINS = ins.n1_toINS = ins.mprtoINS = ins.trqtoINS = ins.ff_toINS = 0;
  float span = pln.tape || pln.ecam ? 100.0f : 270.0f;  // the engine page shows tapes
  if (tac_max() > 0) ins.tactoINS = span / tac_max();
  ins.n1_toINS = span / n1__max();
  ins.mprtoINS = span / mpr_max();
  if (trq_max() > 0) ins.trqtoINS = span / trq_max();
  if (ff__max() > 0) ins.ff_toINS = span / ff__max();
  if (pln.ecam) return;
  int engines = intlim(pln.numen, 0, ENGINES);
  if (pln.is_heli) engines = intmin2(engines, 1);
  int columns = pln.tape ? 1 : engines;
  for (int r = 0; r < 3; r++)
    for (int n = 0; n < columns; n++) init_gauge(engine_row_kind(r), ins.oseng + pln.en_x[r][n], pln.en_y[r]);
}

