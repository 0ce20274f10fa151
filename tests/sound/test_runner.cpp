// A take-off recorded by the runner: the engine's sound in the WAV file rises
// with the throttle, in pitch and in loudness.
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include "tests/sound/sound_fixture.h"
#include "tests/support/run_runner.h"

namespace sound {

static std::vector<float> read_wav(const std::string& path, int* rate) {
  std::ifstream f(path, std::ios::binary);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(f)), {});
  std::vector<float> s;
  if (b.size() < 44) return s;
  *rate = b[24] | b[25] << 8 | b[26] << 16;
  for (size_t i = 44; i + 1 < b.size(); i += 2) s.push_back((int16_t)(b[i] | b[i + 1] << 8) / 32768.0f);
  return s;
}

static std::vector<float> window(const std::vector<float>& s, double from, double to) {
  size_t a = (size_t)(from * PLAT_MIX_RATE), z = std::min(s.size(), (size_t)(to * PLAT_MIX_RATE));
  return a < z ? std::vector<float>(s.begin() + (long)a, s.begin() + (long)z) : std::vector<float>();
}

TEST(RunnerAudio, TakeOffRecordsTheEngineRisingWithTheThrottle) {
  std::string dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/sound";
  std::filesystem::create_directories(dir);
  std::string wav = dir + "/takeoff" + std::to_string(getpid()) + ".wav";
  std::string script = dir + "/takeoff" + std::to_string(getpid()) + ".txt";
  std::ofstream(script) << "1 throttle 0\n1 brakes 1\n200 brakes 0\n200 throttle 1\n";
  runner_test::run_result r =
      runner_test::run("--frames 400 --step 0.05 --script " + script + " --audio-out " + wav);
  ASSERT_EQ(r.status, 0) << r.out;
  int rate = 0;
  std::vector<float> s = read_wav(wav, &rate);
  EXPECT_EQ(rate, 22050);
  // Twenty seconds of simulation make twenty seconds of sound.
  EXPECT_NEAR((double)s.size() / PLAT_MIX_RATE, 20.0, 0.05);
  std::vector<float> idle = window(s, 5, 9), full = window(s, 15, 19);
  double f_idle = fundamental(idle, 8, 300), f_full = fundamental(full, 8, 300);
  EXPECT_GT(f_full, 1.5 * f_idle) << f_idle << " -> " << f_full;
  EXPECT_GT(f_full, 60);  // near the 83 Hz of 2500 rpm
  EXPECT_GT(rms(full), 1.5 * rms(idle));
  std::remove(wav.c_str());
  std::remove(script.c_str());
}

// No sound device: the alert once, then a silent flight.
TEST(RunnerAudio, WithoutASoundDeviceTheFlightGoesOnSilent) {
  runner_test::run_result r = runner_test::run_shell(std::string("cd ") + TARVEL_BUILD_DIR +
                                                     " && SDL_AUDIODRIVER=no-such-device ./tarvel-headless "
                                                     "--frames 40 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  size_t at = r.out.find("Sound init failure!");
  ASSERT_NE(at, std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("Sound init failure!", at + 1), std::string::npos);
  EXPECT_NE(r.out.find("Pretend you are wearing ANR headsets!"), std::string::npos);
  EXPECT_NE(r.out.find("frames done"), std::string::npos);
}

TEST(RunnerAudio, UnwritableAudioFileIsRefused) {
  runner_test::run_result r = runner_test::run("--frames 1 --audio-out /nonexistent-folder/x.wav");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("cannot write /nonexistent-folder/x.wav"), std::string::npos);
}

}  // namespace sound
