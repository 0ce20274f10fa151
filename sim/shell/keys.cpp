// The key handlers: most keys send a menu command or press the panel and the
// power quadrant where the mouse would, so that one path serves both.
#include "sim/shell/keys.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/do_con.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/flight/ott.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/menus.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"

static key_press quadrant(int x, int y) { return key_press{PRESS_QUADRANT, x, y}; }
static key_press panel(int x, int y) { return key_press{PRESS_PANEL, x, y}; }
static const key_press no_press = {PRESS_NONE, 0, 0};

static void press(key_press p) {
  if (p.where == PRESS_QUADRANT) enginecondrag(p.x, p.y);
  else if (p.where == PRESS_PANEL) panclick(p.x, p.y);
}

// ---- function keys: the power quadrant ----

key_press function_key_press(int code) {
  if (!set.eq_thr) {
    switch (code) {
      case 19: return quadrant(ins.osthr + 673, ins.thro[0] + 9);
      case 20: return quadrant(ins.osthr + 673, ins.thro[0] + 5);
      case 23: return quadrant(ins.oseng + 721, ins.prop[0] + 13);
      case 24: return quadrant(ins.oseng + 721, ins.prop[0] + 9);
      case 27: return quadrant(ins.osmix + 761, ins.mixt[0] + 13);
      case 28: return quadrant(ins.osmix + 761, ins.mixt[0] + 9);
      default: return no_press;
    }
  }
  // A lever per engine: the plain key moves it back, with Shift forward.
  int shift = code >= 31;
  int k = code - (shift ? 31 : 19);
  if (k < 0 || k > 11) return no_press;
  int e = k % 4;
  switch (k / 4) {
    case 0: return quadrant(pln.thro_x[e] + ins.osthr + 7, ins.thro[e] + (shift ? 5 : 9));
    case 1: return quadrant(pln.prop_x[e] + ins.oseng + 5, ins.prop[e] + (shift ? 9 : 13));
    default: return quadrant(pln.mixt_x[e] + ins.osmix + 5, ins.mixt[e] + (shift ? 9 : 13));
  }
}

void function_key(int code) { press(function_key_press(code)); }

// ---- the keypad: keyboard flying ----

void yoke_key(int code) {
  switch (code) {
    case 207: set.MK_roll = set.MK_hdng = 0; break;
    case 208: set.MK_ptch += 0.05f; break;
    case 209: set.MK_ptch -= 0.05f; break;
    case 210: set.MK_roll -= 0.1f; break;
    case 211: set.MK_roll += 0.1f; break;
    case 212: set.MK_hdng -= 0.1f; break;
    case 213: set.MK_hdng += 0.1f; break;
    default: break;
  }
  set.MK_ptch = fltlim(set.MK_ptch, -1, 1);
  set.MK_roll = fltlim(set.MK_roll, -1, 1);
  set.MK_hdng = fltlim(set.MK_hdng, -1, 1);
}

// ---- the arrows: the free view ----

void freeview_key(int code) {
  const float two_pi = 6.2831853f, half_pi = 1.5707963f;
  switch (code) {
    case 25: msc.freeviewxy = fltwrap(msc.freeviewxy + msc.prd, 0, two_pi); break;
    case 26: msc.freeviewxy = fltwrap(msc.freeviewxy - msc.prd, 0, two_pi); break;
    case 27: msc.freeviewz = fltlim(msc.freeviewz + msc.prd, 0, half_pi); break;
    case 28: msc.freeviewz = fltlim(msc.freeviewz - msc.prd, 0, half_pi); break;
    default: break;
  }
}

// ---- the replay camera ----

static const float DEG = 0.017453292519943295f;

// The next recorded slot after `from`, or `from` itself when none is recorded:
// one pass round the ring at most.
static int next_recorded(int from) {
  for (int k = 1; k <= PATH_SLOTS; k++) {
    int s = (from + k) % PATH_SLOTS;
    if (pat.inited[s]) return s;
  }
  return from;
}

static void replay_step(int points) {
  int s = intlim(pat.cntr_replay, 0, PATH_SLOTS - 1);
  for (int k = 0; k < points; k++) s = next_recorded(s);
  pat.cntr_replay = s;
  if (!pat.inited[s]) return;
  const float* p = pat.xyztpp[s];
  float the = p[3], psi = p[4];
  float span = fltmax2(pln.semilen[4], pln.semilen[6]);
  float d = pln.is_heli ? 10 * std::fabs(pln.body_x[12][BODY_SECTIONS - 1][0] - pln.body_x[12][0][0]) : 20 * span;
  float h = psi - 15 * DEG, v = the - 3 * DEG;
  msc.x_view = p[0] - d * std::sin(h) * std::cos(v);
  msc.y_view = p[1] - d * std::cos(h) * std::cos(v);
  msc.z_view = p[2] - d * std::sin(v);
  // The replay keys steer the view's camera (scn).
  scn.psi180rad = psi - 1 * DEG;
  scn.the180rad = the;
  scn.phi180rad = 0;
}

static void replay_key(int c) {
  float step = msc.mousedown ? msc.prd * 2000 : 100;
  float psi = scn.psi180rad, the = scn.the180rad;
  switch (c) {
    case 'I': case 'i': case 'K': case 'k': {
      float s = (c == 'I' || c == 'i') ? step : -step;
      msc.x_view += s * std::sin(psi) * std::cos(the);
      msc.y_view += s * std::cos(psi) * std::cos(the);
      msc.z_view += s * std::sin(the);
      break;
    }
    case 'J': case 'j': case 'L': case 'l': {
      float s = (c == 'L' || c == 'l') ? step : -step;
      msc.x_view += s * std::cos(psi);
      msc.y_view -= s * std::sin(psi);
      break;
    }
    case 'C': case 'c':
      scn.psi180rad = fltwrap(psi + 0.5f * msc.prd, -3.1415927f, 3.1415927f);
      msc.x_view = pat.centroid_x - pat.circ_rad * std::sin(scn.psi180rad);
      msc.y_view = pat.centroid_y - pat.circ_rad * std::cos(scn.psi180rad);
      break;
    case 'F': replay_step(4); break;
    case 'f': replay_step(1); break;
    default: break;
  }
}

// ---- the characters ----

// q turns the view left in 45-degree steps, e right.
static void turn_view(int left) {
  static const int ring[8] = {VIEW_FORWARD, VIEW_LEFT45,  VIEW_LEFT90,  VIEW_LEFT135,
                              VIEW_BACK,    VIEW_RIGHT135, VIEW_RIGHT90, VIEW_RIGHT45};
  for (int k = 0; k < 8; k++)
    if (ring[k] == set.view_type) return handlemenu(ring[(k + (left ? 1 : 7)) % 8]);
  handlemenu(left ? VIEW_LEFT45 : VIEW_RIGHT45);
}

// The lever is pressed at the next detent's row.
static key_press flap_notch(int up) {
  int r = ins.flap, row;
  if (up) row = r < 462 ? 446 : r < 477 ? 454 : r < 493 ? 468 : 484;
  else row = r < 450 ? 454 : r < 461 ? 468 : r < 476 ? 484 : 500;
  return quadrant(ins.oseng + 650, row);
}

static key_press slat_notch(int up) {
  int r = ins.slat;
  return quadrant(ins.oseng + 688, up ? (r < 479 ? 463 : 473) : (r < 468 ? 473 : 483));
}

static key_press speedbrake_notch(int up) {
  int r = ins.sbrk, row;
  if (up) row = r < 469 ? 453 : r < 479 ? 463 : 473;
  else row = r < 458 ? 463 : r < 468 ? 473 : 483;
  return quadrant(ins.oseng + 726, row);
}

// Shift and a letter tune the radios; 1 MHz, 5 hundredths or one digit a press.
static int radio_key(int c) {
  int nav1 = pln.supptype == 1 || pln.supptype == 7;
  switch (c) {
    case 'Q': case 'W': if (nav1) COMinc(&nav.cf[0], c == 'W' ? 1 : -1); return 1;
    case 'E': case 'R': if (nav1) HUNinc(&nav.cf100[0], c == 'R' ? 5 : -5); return 1;
    case 'T': case 'Y': if (nav1) NAVinc(&nav.nf[0], c == 'Y' ? 1 : -1); return 1;
    case 'U': case 'I': if (nav1) HUNinc(&nav.nf100[0], c == 'I' ? 5 : -5); return 1;
    case 'A': case 'S': COMinc(&nav.cf[1], c == 'S' ? 1 : -1); return 1;
    case 'D': case 'F': HUNinc(&nav.cf100[1], c == 'F' ? 5 : -5); return 1;
    case 'G': case 'H': NAVinc(&nav.nf[1], c == 'H' ? 1 : -1); return 1;
    case 'J': case 'K': HUNinc(&nav.nf100[1], c == 'K' ? 5 : -5); return 1;
    case 'O': case 'P': ADFinc(&nav.adf1, c == 'P' ? 1 : -1); return 1;
    case 'L': case ':': ADFinc(&nav.adf2, c == ':' ? 1 : -1); return 1;
    case '>': case '?': ADFinc(&nav.adf3, c == '?' ? 1 : -1); return 1;
    case 'Z': case 'X': XPNinc(&nav.tran1, c == 'X' ? 1 : -1); return 1;
    case 'C': case 'V': XPNinc(&nav.tran2, c == 'V' ? 1 : -1); return 1;
    case 'B': case 'N': XPNinc(&nav.tran3, c == 'N' ? 1 : -1); return 1;
    case 'M': case '<': XPNinc(&nav.tran4, c == '<' ? 1 : -1); return 1;
    default: return 0;
  }
}

static int view_key(int c) {
  static const struct {
    char key;
    int command;
  } keys[] = {{'w', VIEW_FORWARD}, {'s', VIEW_DOWN4},     {'x', VIEW_DOWN8},     {'z', VIEW_BACK},
              {'v', VIEW_SATELLITE}, {'t', VIEW_TOWER},  {'#', VIEW_RUNWAY},    {'@', VIEW_SPOT},
              {'a', VIEW_CHASE}, {'c', VIEW_CIRCLE},     {'|', VIEW_FREE},      {'r', VIEW_ABOVE40},
              {'f', VIEW_ABOVE10}, {'_', VIEW_HUD},      {'+', VIEW_NOHUD},     {'=', CMD_ZOOM_IN},
              {'-', CMD_ZOOM_OUT}, {'d', CMD_LOW_ENROUTE}};
  for (const auto& k : keys)
    if (k.key == c) {
      handlemenu(k.command);
      return 1;
    }
  return 0;
}

key_press simkey_press(int c) {
  int r = ins.osrad;
  switch (c) {
    case '.': return quadrant(ins.osthr + 673, flt.revving_thrust[0] ? 558 : 570);
    case '1': return flap_notch(1);
    case '2': return flap_notch(0);
    case '3': return slat_notch(1);
    case '4': return slat_notch(0);
    case '5': return speedbrake_notch(1);
    case '6': return speedbrake_notch(0);
    case '[': return quadrant(ins.ostrm + 787, 524);
    case ']': return quadrant(ins.ostrm + 787, 564);
    case 'p': return panel(ins.ospau + 745, 260);
    case 'b': return panel(r + 494, 560);
    case 'g': return panel(r + 609, 520);
    case '7': return panel(r + 580, 530);
    case '8': return panel(r + 590, 530);
    case '9': return panel(r + 580, 560);
    case '0': return panel(r + 590, 560);
    case '!': return panel(r + 493, 481);
    case '$': return panel(r + 516, 481);
    case '%': return panel(r + 536, 481);
    case '^': return panel(r + 556, 481);
    case '&': return panel(r + 579, 481);
    case '*': return panel(r + 619, 481);
    default: break;
  }
  int y6 = ins.y_loc[6] + 40 + (pln.paneltype == 2 ? 27 : 0);
  switch (c) {
    case 'y': return panel(ins.x_loc[6] + 30, y6);
    case 'u': return panel(ins.x_loc[6] + 65, y6);
    case 'n': return panel(ins.x_loc[6] - 55, y6);
    case 'm': return panel(ins.x_loc[6] - 20, y6);
    case 'i': return panel(ins.x_loc[10], ins.y_loc[10] - 10);
    case 'o': return panel(ins.x_loc[10], ins.y_loc[10] + 10);
    case 'h': return panel(ins.x_loc[4] - 45, ins.y_loc[4] + 26);
    case 'j': return panel(ins.x_loc[4] - 10, ins.y_loc[4] + 26);
    case 'k': return panel(ins.x_loc[4] - 40, ins.y_loc[4] + 26);
    case 'l': return panel(ins.x_loc[4] - 30, ins.y_loc[4] + 26);
    default: return no_press;
  }
}

void handle_simkey(int c) {
  if (c == ',') return handlemenu(CMD_LAMP);
  if (set.view_type == VIEW_REPLAY) return replay_key(c);
  switch (c) {
    case ' ':
      if (flt.cat_stage == 27) {
        // Space on the catapult launches: the key writes the flight state.
        flt.cat_stage = 28;
      } else {
        // Space shows the ATC menu (atc).
        atc.menu_up = !atc.menu_up;
        atc.menu_level = 5;
      }
      return;
    case 'q': return turn_view(1);
    case 'e': return turn_view(0);
    case '/': return cal_stick();
    case '.': msc.dragtime = 2.0f; break;  // the reverse lever moves at once
    case '!':  // the autopilot's disconnect
      // The disconnect key sets the autopilot's modes (ott) directly.
      ott.HDSLCT = 1;
      ott.NAV[0] = ott.NAV[1] = ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
      break;
    default: break;
  }
  if (view_key(c)) return;
  key_press p = simkey_press(c);
  if (p.where != PRESS_NONE) {
    press(p);
    if (c == '!' && pln.bitchinbettyEQ && msc.warn_bb) play_buffer(SND_CAUTION, 0);
    return;
  }
  radio_key(c);
}

void do_button_deeds() {
  button_deed d;
  while (take_button_deed(&d)) {
    switch (d.kind) {
      case DEED_KEY: handle_simkey(d.a); break;
      case DEED_FREEVIEW_KEY: freeview_key(d.a); break;
      case DEED_YOKE_KEY: yoke_key(d.a); break;
      case DEED_MENU: handlemenu(d.a); break;
      case DEED_PANEL: panclick(d.a, d.b); break;
      case DEED_QUADRANT: enginecondrag(d.a, d.b); break;
      default: break;
    }
  }
}
