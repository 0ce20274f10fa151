// The loops and effects as the mix plays them: pitch and loudness laws read
// back from the voices and measured in the captured signal.
#include "tests/sound/sound_fixture.h"

namespace sound {

static double gain_of(int centibels) { return std::pow(10.0, centibels / 2000.0); }

// The clip itself, at its own rate, for comparing with what the mix made.
static double clip_rms(int n, double seconds) {
  plat_clip_set(n, PLAT_MIX_RATE, 0);
  plat_clip_play(n, 1);
  double r = rms(capture(seconds));
  plat_clip_stop(n);
  return r;
}

class EngineTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    ASSERT_NE(std::string(pln.C_file).find("Trainer"), std::string::npos);
    ASSERT_EQ(pln.entype, 1);
    ASSERT_EQ(pln.is_heli, 0);
    flt.vind = 0;
    atm.rain_tstm = 1;
  }
  static void trainer_at(float rpm, float throttle) {
    for (int e = 0; e < ENGINES; e++) {
      flt.tac[e] = rpm * con.rpmtorsc;
      flt.thro[e] = throttle;
      flt.mixt_powr_rat[e] = 1;
    }
  }
};

TEST_F(EngineTest, TrainerAt2500RpmFullThrottlePlaysItsLoopAtPitchOneAndMinus907) {
  double own = clip_rms(SND_XP_RECIP, 2);
  trainer_at(2500, 1);
  play_engine_and_windrain();
  int hz = 0, cb = 0;
  plat_clip_get(SND_XP_RECIP, &hz, &cb);
  EXPECT_EQ(hz, 22050);
  EXPECT_EQ(cb, -907);
  EXPECT_TRUE(plat_clip_playing(SND_XP_RECIP));
  capture(0.1);  // past the resampler's start
  std::vector<float> s = capture(2);
  // The wind at rest adds nothing: the level is the engine's alone.
  EXPECT_NEAR(rms(s) / own, gain_of(-907), 0.02 * gain_of(-907));
  EXPECT_NEAR(fundamental(s), 2500.0 / 60 * 2, 0.5);  // four cylinders: two firings a turn
}

TEST_F(EngineTest, PitchRisesWithRpmInTheCapturedSignal) {
  trainer_at(1500, 0.3f);
  play_engine_and_windrain();
  capture(0.2);
  double low = fundamental(capture(2));
  trainer_at(2500, 1);
  maintain_engine_sound();
  capture(0.2);
  double high = fundamental(capture(2));
  EXPECT_NEAR(low, 1500.0 / 60 * 2, 0.5);
  EXPECT_NEAR(high, 2500.0 / 60 * 2, 0.5);
}

TEST_F(EngineTest, LoudnessFollowsThrottleAndEngineKinds) {
  int hz, cb;
  trainer_at(2500, 0);  // r 1, p 0: loudness 0.5 in 0.5..1
  play_engine_and_windrain();
  plat_clip_get(SND_XP_RECIP, &hz, &cb);
  EXPECT_EQ(cb, (int)(-5000 + 5000 * std::sqrt(0.75 * 0.67)));
  // A jet: pitch the square root of the N1 ratio, loudness in 0.9..1.
  pln.entype = 3;
  for (int e = 0; e < ENGINES; e++) flt.n1_[e] = 64;
  maintain_engine_sound();
  plat_clip_get(SND_XP_JET, &hz, &cb);
  EXPECT_EQ(hz, 17640);
  // A helicopter with two engines takes the first engine's figures.
  pln.entype = 2;
  pln.is_heli = 1;
  pln.numen = 2;
  flt.tac[0] = 400 * con.rpmtorsc;
  flt.tac[1] = 0;
  flt.thro[0] = 1;
  flt.thro[1] = 0;
  EXPECT_EQ(ret_engsnd_en(), SND_XR_TURBO);
  maintain_engine_sound();
  plat_clip_get(SND_XR_TURBO, &hz, &cb);
  EXPECT_EQ(hz, 22050);
  EXPECT_EQ(cb, -907);
}

TEST_F(EngineTest, WindIsSilentAtRestAndFullAtVne) {
  pln.entype = 0;  // the wind alone
  play_engine_and_windrain();
  int hz, cb;
  plat_clip_get(SND_WIND, &hz, &cb);
  EXPECT_EQ(cb, -5000);
  EXPECT_EQ(hz, 100);  // pitch 0 is the lowest rate, not a stop
  EXPECT_EQ(rms(capture(1)), 0.0);
  double own = clip_rms(SND_WIND, 2);
  flt.vind = pln.Vne;
  play_engine_and_windrain();
  plat_clip_get(SND_WIND, &hz, &cb);
  EXPECT_EQ(hz, 22050);
  EXPECT_EQ(cb, -907);
  capture(0.1);
  EXPECT_NEAR(rms(capture(2)) / own, gain_of(-907), 0.03 * gain_of(-907));
}

TEST_F(SoundTest, ThunderFromHalfLevelAndNothingBelowThreeTenths) {
  play_thunder(0.29f);
  EXPECT_FALSE(plat_clip_playing(SND_THUNDER));
  EXPECT_EQ(rms(capture(0.5)), 0.0);
  play_thunder(0.5f);
  int hz, cb;
  plat_clip_get(SND_THUNDER, &hz, &cb);
  EXPECT_EQ(hz, 11025);
  EXPECT_EQ(cb, -2106);
  EXPECT_GT(rms(capture(3)), 0.01);
  // The six-second clip at half its rate lasts twelve, and plays once.
  capture(5);
  EXPECT_TRUE(plat_clip_playing(SND_THUNDER));
  capture(5);
  EXPECT_FALSE(plat_clip_playing(SND_THUNDER));
  EXPECT_EQ(rms(capture(0.5)), 0.0);
}

TEST_F(SoundTest, RainStartsOnlyBelowTheTopsAboveFreezingWithPrecipitation) {
  struct { int above_tops; float temp_f, tstm; int rains; } cases[] = {
      {0, 60, 3, 1}, {1, 60, 3, 0}, {0, 32, 3, 0}, {0, 33, 3, 1}, {0, 60, 1, 0}, {0, 60, 1.2f, 1},
  };
  for (const auto& c : cases) {
    plat_clip_stop(SND_RAIN);
    scn.abovetops = c.above_tops;
    atm.temp_SL = c.temp_f;
    atm.rain_tstm = c.tstm;
    play_engine_and_windrain();
    EXPECT_EQ(plat_clip_playing(SND_RAIN), c.rains) << c.above_tops << " " << c.temp_f << " " << c.tstm;
  }
  // Its pitch and loudness grow with the rain and the airspeed: k = 0.5 at rest.
  atm.rain_rat = 0.8f;
  flt.vind = 0;
  maintain_windrain_sound();
  int hz, cb;
  plat_clip_get(SND_RAIN, &hz, &cb);
  EXPECT_EQ(hz, 8820);
  EXPECT_EQ(cb, (int)(-5000 + 5000 * std::sqrt(0.4 * 0.67)));
  scn.abovetops = 0;
}

TEST_F(SoundTest, WithSoundOffEveryCallIsSilent) {
  msc.sound_on = 0;
  flt.vind = pln.Vne;
  for (int n = -3; n < SOUNDS + 3; n++) {
    play_buffer(n, 1);
    set_frq_vol(1, 1, 0, 1, n);
  }
  play_engine_and_windrain();
  play_thunder(1);
  beepme(8);
  beepme(9);
  EXPECT_EQ(playing_count(), 0);
  EXPECT_EQ(rms(capture(1)), 0.0);
  EXPECT_EQ(desk_alert_count(), 0);
  // Switched off while a loop plays: the next maintenance tick stops it.
  msc.sound_on = 1;
  play_buffer(SND_STALL, 1);
  msc.sound_on = 0;
  maintain_windrain_sound();
  EXPECT_EQ(playing_count(), 0);
  // Before the simulation runs, nothing plays either.
  msc.sound_on = 1;
  msc.ready_to_update = 0;
  play_buffer(SND_ALERT, 0);
  EXPECT_EQ(playing_count(), 0);
}

// Every call checks the sound number, not only the loader.
TEST_F(SoundTest, OutOfRangeNumbersAreIgnoredEverywhere) {
  for (int n : {-1, (int)SOUNDS, (int)PLAT_CLIPS, 1000000, -1000000}) {
    play_buffer(n, 1);
    set_frq_vol(0.5f, 0.5f, 0, 1, n);
    stop_buffer(n);
  }
  EXPECT_EQ(playing_count(), 0);
  EXPECT_EQ(desk_alert_count(), 0);
}

TEST_F(SoundTest, FrequencyAndVolumeLaws) {
  int hz, cb;
  set_frq_vol(0, 0, 0, 1, SND_ABOUT);
  plat_clip_get(SND_ABOUT, &hz, &cb);
  EXPECT_EQ(hz, 100);
  EXPECT_EQ(cb, -5000);
  set_frq_vol(10, 1, 1, 1, SND_ABOUT);  // limited at both ends
  plat_clip_get(SND_ABOUT, &hz, &cb);
  EXPECT_EQ(hz, 100000);
  EXPECT_EQ(cb, -907);
  set_frq_vol(2, 2, 0, 1, SND_ABOUT);
  plat_clip_get(SND_ABOUT, &hz, &cb);
  EXPECT_EQ(hz, 44100);
  EXPECT_EQ(cb, 0);
  // A loudness below nothing, or undefined, is silence rather than garbage.
  set_frq_vol(NAN, -3, 0, 1, SND_ABOUT);
  plat_clip_get(SND_ABOUT, &hz, &cb);
  EXPECT_EQ(hz, 100);
  EXPECT_EQ(cb, -5000);
}

TEST_F(SoundTest, MorseDotsAndDashes) {
  beepme(8);
  EXPECT_TRUE(plat_clip_playing(SND_DOT));
  std::vector<float> dot = capture(0.5);
  beepme(9);
  EXPECT_TRUE(plat_clip_playing(SND_DASH));
  std::vector<float> dash = capture(0.5);
  auto sounding = [](const std::vector<float>& s) {
    size_t k = 0;
    for (float x : s) k += std::fabs(x) > 0.05f;
    return (double)k / PLAT_MIX_RATE;
  };
  // A dash lasts three dots, both at the ident tone.
  EXPECT_NEAR(sounding(dash) / sounding(dot), 3.0, 0.3);
  EXPECT_GT(strength_at(dash, 1020), 10 * strength_at(dash, 800));
  beepme(7);
  EXPECT_EQ(playing_count(), 0);
}

}  // namespace sound
