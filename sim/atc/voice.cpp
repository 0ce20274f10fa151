// The controller's voice: each transmission is kept for "say again", shown
// over the view for a tenth of a second a character and queued for speech,
// which is synthesised off the frame loop and never waited for.
#include "sim/atc/voice.h"
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/atc/atc.h"
#include "sim/flight/atm.h"
#include "sim/msc.h"
#include "sim/view/scn.h"

int initspeechsynth() { return plat_speech_init(); }

void speakstring(const char* text) {
  // The cut is made in the copy: the caller's text may be shorter than the
  // record, or not ours to write.
  std::snprintf(atc.response, sizeof atc.response, "%s", text ? text : "");
  if (atc.text_out) atc.response_timeout = msc.elap_time + 0.1f * (float)std::strlen(atc.response);
  if (msc.speech_avail && atc.voice_out && !plat_speech_say(atc.response))
    MACIBM_alert("Can't speak ATC command!", "", "", "", 0);
}

void plot_atc_text() {
  if (!atc.text_out || atc.menu_up || !atc.response[0] || !(msc.elap_time < atc.response_timeout)) return;
  // Dark on a clear daylight sky, light on anything darker.
  int color = scn.time == 1 && (atm.cld_type == 0 || scn.abovetops) ? 11 : 12;
  const int x = 6, top = 25 - 7, width = 635, height = 80;
  if (locked) {
    HS_plot_string(x, top, color, atc.response, x + width, 1);
    return;
  }
  // Through a surface keyed on black (11): black text takes the darkest grey.
  int px = x, py = top;
  MACIBM_startsurf3(x, top, width, height, 11, &px, &py, 0);
  HS_plot_string(px, py, color == 11 ? 22 : color, atc.response, px + width, 1);
  MACIBM_finishsurf3();
}
