// The sound files: bad ones stop the program with their own message and
// never crash it; the shipped set is what the mixer expects, its loops join
// cleanly, and the generator makes it again byte for byte.
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "tests/sound/sound_fixture.h"
#include "tests/support/catch_fatal.h"
#include "tests/support/run_runner.h"

namespace sound {
namespace fs = std::filesystem;

typedef std::vector<unsigned char> bytes;

static void put(bytes& b, const char* id) { b.insert(b.end(), id, id + 4); }
static void put32(bytes& b, uint32_t v) {
  for (int i = 0; i < 4; i++) b.push_back((unsigned char)(v >> (8 * i)));
}
static void put16(bytes& b, uint32_t v) {
  b.push_back((unsigned char)v);
  b.push_back((unsigned char)(v >> 8));
}
static bytes fmt_chunk(int tag, int channels, int rate, int bits, uint32_t size = 16) {
  bytes b;
  put(b, "fmt ");
  put32(b, size);
  put16(b, tag);
  put16(b, channels);
  put32(b, rate);
  put32(b, rate * channels * bits / 8);
  put16(b, channels * bits / 8);
  put16(b, bits);
  b.resize(8 + size);
  return b;
}
static bytes data_chunk(uint32_t claimed, uint32_t present) {
  bytes b;
  put(b, "data");
  put32(b, claimed);
  for (uint32_t i = 0; i < present; i++) b.push_back((unsigned char)(i * 37));
  return b;
}
static bytes riff(const std::vector<bytes>& chunks) {
  bytes body;
  put(body, "WAVE");
  for (const bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
  bytes b;
  put(b, "RIFF");
  put32(b, (uint32_t)body.size());
  b.insert(b.end(), body.begin(), body.end());
  return b;
}

class WavTest : public SoundTest {
 protected:
  std::string dir, saved_app;
  void SetUp() override {
    SoundTest::SetUp();
    dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/sound/app" + std::to_string(getpid());
    fs::remove_all(dir);
    fs::create_directories(dir + "/sounds");
    saved_app = app_path;
    std::snprintf(app_path, STR_DIM, "%s/", dir.c_str());
  }
  void TearDown() override {
    std::snprintf(app_path, STR_DIM, "%s", saved_app.c_str());
    EXPECT_EQ(load(SND_DOT), "(no fatal)");  // the shipped clip back
    fs::remove_all(dir);
    SoundTest::TearDown();
  }
  std::string clip_path() { return dir + "/sounds/DOT.WAV"; }
  void write(const bytes& b) {
    fs::remove_all(clip_path());
    std::ofstream(clip_path(), std::ios::binary).write((const char*)b.data(), (std::streamsize)b.size());
  }
  // Loads the clip; the lines of the fatal alert it ended in, or "(no fatal)".
  static std::string load(int n) {
    return fatal_text([n] { fill_buffer(n); });
  }
  std::string first_line(const bytes& b) {
    write(b);
    std::string t = load(SND_DOT);
    return t.substr(0, t.find('\n'));
  }
};

TEST_F(WavTest, EachFaultGetsItsMessage) {
  bytes pcm_fmt = fmt_chunk(1, 1, 22050, 16);
  EXPECT_EQ(first_line(bytes{'h', 'e', 'l', 'l', 'o'}), "This is not a WAVE file.");
  EXPECT_EQ(first_line(riff({data_chunk(4, 4)})), "WAVE file is corrupted.");
  EXPECT_EQ(first_line(riff({fmt_chunk(1, 1, 22050, 16, 8), data_chunk(4, 4)})),
            "Failed to read format chunk opening sound.");
  EXPECT_EQ(first_line(riff({fmt_chunk(3, 1, 22050, 32), data_chunk(8, 8)})), "The sound file is not a PCM file.");
  EXPECT_EQ(first_line(riff({pcm_fmt})), "WAVE file has no data chunk.");
  EXPECT_EQ(first_line(riff({pcm_fmt, data_chunk(0, 0)})), "The sound-file data chunk has no data.");
  EXPECT_EQ(first_line(riff({pcm_fmt, data_chunk(100000, 100)})), "Failed to read data chunk opeing sound.");
  // The message names the file.
  write(riff({fmt_chunk(3, 1, 22050, 32), data_chunk(8, 8)}));
  EXPECT_NE(load(SND_DOT).find(clip_path()), std::string::npos);
}

TEST_F(WavTest, MissingFileFolderOrPipeCannotBeOpened) {
  std::string missing = "Failed to open sound file:\n" + clip_path() +
                        "\nMake sure the sounds are in the folder called 'sounds'.\n"
                        "If you messed up the sounds, copy them over from the cd-rom.";
  std::string not_file = "Failed to open sound file:\n" + clip_path() +
                         "\nIt is not a regular file (a folder, pipe or device).\n"
                         "If you messed up the sounds, copy them over from the cd-rom.";
  EXPECT_EQ(load(SND_DOT), missing);
  fs::create_directories(clip_path());
  EXPECT_EQ(load(SND_DOT), not_file);
  fs::remove_all(clip_path());
  ASSERT_EQ(mkfifo(clip_path().c_str(), 0600), 0);
  EXPECT_EQ(load(SND_DOT), not_file);  // and it did not wait for a writer
  fs::remove_all(clip_path());
  EXPECT_EQ(load(-1).substr(0, 29), "Requested sound out of range!");
}

TEST_F(WavTest, OtherPcmLayoutsLoadAtTheirOwnRate) {
  // 8-bit stereo at 11025 Hz, a chunk before the format and an odd-sized one
  // between: SDL turns it into the mixer's mono clip.
  bytes junk;
  put(junk, "LIST");
  put32(junk, 3);
  junk.insert(junk.end(), {1, 2, 3, 0});
  bytes data;
  put(data, "data");
  put32(data, 11025 * 2);
  for (int i = 0; i < 11025; i++) {
    unsigned char v = (unsigned char)(128 + 100 * std::sin(2 * M_PI * 440 * i / 11025.0));
    data.push_back(v);
    data.push_back(v);
  }
  write(riff({junk, fmt_chunk(1, 2, 11025, 8), data}));
  ASSERT_EQ(load(SND_DOT), "(no fatal)");
  int hz, cb;
  plat_clip_get(SND_DOT, &hz, &cb);
  EXPECT_EQ(hz, 11025);
  beepme(8);
  std::vector<float> s = capture(0.9);
  EXPECT_NEAR(rms(s, 1000, 10000), 100 / 128.0 / std::sqrt(2.0), 0.03);
  EXPECT_GT(strength_at(s, 440), 20 * strength_at(s, 880));
}

// A light fuzz beside the libFuzzer target: mutated and cut copies of a good
// file either load or end in one of the loader's messages.
TEST_F(WavTest, MutatedFilesNeverCrash) {
  bytes good = riff({fmt_chunk(1, 1, 22050, 16), data_chunk(2000, 2000)});
  std::mt19937 rng(7);
  const std::string known[] = {"(no fatal)", "This is not a WAVE file.", "WAVE file is corrupted.",
                               "Failed to read format chunk opening sound.", "The sound file is not a PCM file.",
                               "WAVE file has no data chunk.", "The sound-file data chunk has no data.",
                               "Failed to read data chunk opeing sound."};
  for (int round = 0; round < 400; round++) {
    bytes b = good;
    int flips = 1 + (int)(rng() % 6);
    for (int k = 0; k < flips; k++) b[rng() % 48] = (unsigned char)rng();
    if (round % 3 == 0) b.resize(rng() % b.size());
    std::string line = first_line(b);
    EXPECT_NE(std::find(std::begin(known), std::end(known), line), std::end(known)) << line;
  }
}

// ---- the shipped set ----

static bytes read_all(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return bytes(std::istreambuf_iterator<char>(f), {});
}
static uint32_t at32(const bytes& b, size_t i) { return b[i] | b[i + 1] << 8 | b[i + 2] << 16 | (uint32_t)b[i + 3] << 24; }
static std::string sounds_dir() { return std::string(TARVEL_SOURCE_DATA_DIR) + "/sounds"; }

TEST(ShippedSounds, EveryClipIs22050HzMono16BitPcm) {
  bytes head = riff({fmt_chunk(1, 1, 22050, 16)});
  put(head, "data");
  for (int n = 0; n < SOUNDS; n++) {
    bytes b = read_all(sounds_dir() + "/" + sound_file_name(n));
    ASSERT_GE(b.size(), 44u) << sound_file_name(n);
    EXPECT_TRUE(std::equal(head.begin() + 8, head.end(), b.begin() + 8)) << sound_file_name(n);
    EXPECT_EQ(at32(b, 4), b.size() - 8) << sound_file_name(n);
    EXPECT_EQ(at32(b, 40), b.size() - 44) << sound_file_name(n);
  }
}

TEST(ShippedSounds, LoopsJoinWithoutAClick) {
  for (int n : {SND_XP_RECIP, SND_XP_TURBO, SND_XP_JET, SND_XR_RECIP, SND_XR_TURBO, SND_WIND, SND_RAIN}) {
    bytes b = read_all(sounds_dir() + "/" + sound_file_name(n));
    size_t frames = (b.size() - 44) / 2;
    auto s = [&](size_t i) { return (double)(int16_t)(b[44 + 2 * i] | b[45 + 2 * i] << 8); };
    // The step from the last sample back to the first is an ordinary one.
    double sum = 0;
    for (size_t i = 0; i + 1 < frames; i++) sum += (s(i + 1) - s(i)) * (s(i + 1) - s(i));
    double step_rms = std::sqrt(sum / (double)(frames - 1));
    EXPECT_LT(std::fabs(s(0) - s(frames - 1)), 3 * step_rms) << sound_file_name(n);
  }
}

TEST(ShippedSounds, TheGeneratorMakesTheSameFiles) {
  std::string out = std::string(TARVEL_BUILD_DIR) + "/testtmp/sound/gen" + std::to_string(getpid());
  fs::remove_all(out);
  int voices = runner_test::run_shell("espeak-ng --version 2>/dev/null | grep -q 'NG text-to-speech: 1.51' && "
                                      "sox --version >/dev/null 2>&1").status == 0;
  runner_test::run_result r = runner_test::run_shell(std::string(TARVEL_BUILD_DIR) + "/soundgen " +
                                                     (voices ? "" : "--no-voices ") + out + " 2>&1");
  ASSERT_EQ(r.status, 0) << r.out;
  int compared = 0;
  for (const auto& e : fs::directory_iterator(out)) {
    std::string name = e.path().filename().string();
    EXPECT_TRUE(read_all(e.path().string()) == read_all(sounds_dir() + "/" + name)) << name << " differs";
    compared++;
  }
  EXPECT_EQ(compared, voices ? SOUNDS : 15);
  fs::remove_all(out);
}

}  // namespace sound
