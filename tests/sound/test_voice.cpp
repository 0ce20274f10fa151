// The controller's voice: queued without waiting, heard in the mix, shown
// over the view for its time, and the text kept whole when speech fails.
#include <unistd.h>
#include "basekit/bk_graph.h"
#include "sim/atc/voice.h"
#include "tests/sound/sound_fixture.h"

namespace sound {

class VoiceTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    atc.voice_out = atc.text_out = 1;
    atc.menu_up = 0;
    msc.elap_time = 100;
    drain();
  }
  // Renders the mix until the queued speech is all said (bounded).
  static std::vector<float> drain(double most_seconds = 60) {
    std::vector<float> all;
    for (int k = 0; k < most_seconds * 10 && plat_speech_busy(); k++) {
      std::vector<float> s = capture(0.1);
      all.insert(all.end(), s.begin(), s.end());
      if (rms(s) == 0) usleep(2000);  // the synthesiser has not caught up yet
    }
    return all;
  }
};

TEST_F(VoiceTest, SpeakingReturnsAtOnceAndTheMixCarriesTheVoice) {
  ASSERT_EQ(msc.speech_avail, 1) << "espeak-ng with an English voice is expected here";
  speakstring("November one two three, cleared to land runway two seven.");
  // Nothing was rendered yet: the call only queued the text.
  EXPECT_TRUE(plat_speech_busy());
  std::vector<float> s = drain();
  EXPECT_FALSE(plat_speech_busy());
  double seconds = 0;
  for (size_t i = 0; i + 2205 <= s.size(); i += 2205) seconds += rms(s, i, i + 2205) > 0.02 ? 0.1 : 0;
  EXPECT_GT(seconds, 1.5);  // a sentence of that length takes some seconds to say
  EXPECT_LT(seconds, 10.0);
  EXPECT_EQ(desk_alert_count(), 0);
}

TEST_F(VoiceTest, VoiceOffIsSilentButTheTextIsKept) {
  atc.voice_out = 0;
  speakstring("Wind two seven zero at five.");
  EXPECT_FALSE(plat_speech_busy());
  EXPECT_EQ(rms(capture(2)), 0.0);
  EXPECT_STREQ(atc.response, "Wind two seven zero at five.");
  EXPECT_FLOAT_EQ(atc.response_timeout, 100 + 0.1f * 28);
}

TEST_F(VoiceTest, LongTextIsCutInTheCopyNotInTheCallersBuffer) {
  atc.voice_out = 0;
  char text[600];
  std::memset(text, 'a', sizeof text);
  text[500] = 0;
  speakstring(text);
  EXPECT_EQ(std::strlen(atc.response), 399u);
  EXPECT_EQ(std::strlen(text), 500u);
  // A short text in a short buffer: nothing past its end is written.
  char small[16];
  std::memset(small, 'x', sizeof small);
  std::memcpy(small, "roger", 6);
  speakstring(small);
  for (size_t i = 6; i < sizeof small; i++) EXPECT_EQ(small[i], 'x');
  EXPECT_STREQ(atc.response, "roger");
}

TEST_F(VoiceTest, FailedSpeechAlertsAndStillShowsTheText) {
  // The engine gone from under a simulator that believes in it.
  plat_audio_quit();
  msc.speech_avail = 1;
  speakstring("Say again?");
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)).substr(0, 24), "Can't speak ATC command!");
  EXPECT_STREQ(atc.response, "Say again?");
  EXPECT_GT(atc.response_timeout, msc.elap_time);
  // Started again as at start-up.
  msc.sound_avail = init_sound();
  msc.speech_avail = initspeechsynth();
  EXPECT_EQ(msc.sound_avail, 1);
  EXPECT_EQ(msc.speech_avail, 1);
  // Without a voice at all (speech unavailable), only the text: no alert.
  desk_alert_record_clear();
  msc.speech_avail = 0;
  speakstring("Traffic, twelve o'clock.");
  EXPECT_EQ(desk_alert_count(), 0);
  EXPECT_FALSE(plat_speech_busy());
  EXPECT_STREQ(atc.response, "Traffic, twelve o'clock.");
  msc.speech_avail = 1;
}

static int pixels_of(int w, int color, int y0, int y1) {
  int row_bytes, dx, dy, k = 0;
  const uint8_t* p = gworld_pixels(w, &row_bytes, &dx, &dy);
  for (int y = y0; y < y1 && y < dy; y++)
    for (int x = 0; x < dx; x++) k += p[(size_t)y * row_bytes + x] == color;
  return k;
}

// The text over the view: a tenth of a second a character, in the text colour
// of the sky behind it, wrapped inside 635 pixels, hidden by the ATC menu.
TEST_F(VoiceTest, TextShowsForItsTimeAndWraps) {
  atc.voice_out = 0;
  scn.time = 1;
  atm.cld_type = 0;
  std::string words;
  while (words.size() < 200) words += "cleared ";
  words.resize(200);
  speakstring(words.c_str());
  if (!gw_inuse[3]) MACIBM_initgworld(3, 800, 120);
  auto draw = [](float at) {
    msc.elap_time = at;
    MACIBM_settogworld(3, 800, 120, 62);
    plot_atc_text();
  };
  draw(100 + 19.9f);
  EXPECT_GT(pixels_of(3, 11, 18, 25), 100);  // first line, black on a clear day
  EXPECT_GT(pixels_of(3, 11, 28, 35), 100);  // 200 characters need a second line
  int right = 0, row_bytes, dx, dy;
  const uint8_t* p = gworld_pixels(3, &row_bytes, &dx, &dy);
  for (int y = 0; y < dy; y++)
    for (int x = 0; x < dx; x++)
      if (p[(size_t)y * row_bytes + x] == 11) right = std::max(right, x);
  EXPECT_LE(right, 6 + 635);
  draw(100 + 20.1f);
  EXPECT_EQ(pixels_of(3, 11, 0, 120), 0);
  atc.menu_up = 1;
  draw(100 + 1);
  EXPECT_EQ(pixels_of(3, 11, 0, 120), 0);
  atc.menu_up = 0;
  scn.time = 3;  // at night the text is light
  draw(100 + 1);
  EXPECT_GT(pixels_of(3, 12, 18, 25), 100);
  MACIBM_disposegworld(3);
}

}  // namespace sound
