// Data-file streams: headers, scanning, checkpoints, saving, dialogs, paths.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "tests/support/catch_fatal.h"

namespace {

namespace fs = std::filesystem;

std::string scan_error(const char* call, const char* file) {
  return std::string("File-scanning error!\n") + call + "\nfile:\n" + file;
}

class FileTest : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/file/" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
    desk_answer_clear();
  }
  void TearDown() override {
    if (inf.is_open()) inf.close();
    inf.clear();
    if (ouf.is_open()) ouf.close();
    ouf.clear();
  }
  std::string put(const std::string& name, const std::string& bytes) {
    std::string p = dir + "/" + name;
    std::ofstream f(p, std::ios::binary);
    f << bytes;
    return p;
  }
  static std::string slurp(const std::string& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
  }
  static std::string replace_all(std::string s, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size()) s.replace(at, from.size(), to);
    return s;
  }
};

const char* const sample =
    "I\n35 version\n12 propeller count\n\n100 checkpoint\n\n3.5 wing span\n"
    "A Name Of The Plane\n7 8 9.25\n1 flag\n";

TEST_F(FileTest, ReadsTheSameWithEveryLineEnd) {
  const struct { const char* eol; char x_eln; } kinds[] = {{"\n", '\n'}, {"\r\n", '\n'}, {"\r", '\r'}};
  for (const auto& k : kinds) {
    std::string p = put("plane.acf", replace_all(sample, "\n", k.eol));
    ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 35, 1), 1);
    EXPECT_EQ(x_eln, k.x_eln);
    EXPECT_EQ(inf_is_bin, 0);
    EXPECT_EQ(intscan("f"), 12);
    checkpoint(100);
    EXPECT_FLOAT_EQ(fltscan("f"), 3.5f);
    char s[STR_DIM];
    stringscan(s, "f", STR_DIM);
    EXPECT_STREQ(s, "A Name Of The Plane");
    EXPECT_EQ(intscanNOSN("f"), 7);
    EXPECT_EQ(intscanNOSN("f"), 8);
    EXPECT_FLOAT_EQ(fltscan("f"), 9.25f);
    EXPECT_EQ(bolscan("f"), 1);
  }
}

TEST_F(FileTest, ValuesSkipLeadingBlankLinesAndLeaveTheNextLine) {
  std::string p = put("a.txt", "I\n1 version\n\n\n   -12 label\nnext line\n  +5\n.5 x\n-.25\n1.5e3 y\n2E-2\n12abc\n1e-50\n"
                               "1\n2\n-1\n1 1 3\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(intscan("f"), -12);
  char s[STR_DIM];
  stringscan(s, "f", STR_DIM);
  EXPECT_STREQ(s, "next line");
  EXPECT_EQ(intscan("f"), 5);
  EXPECT_FLOAT_EQ(fltscan("f"), 0.5f);
  EXPECT_FLOAT_EQ(fltscan("f"), -0.25f);
  EXPECT_FLOAT_EQ(fltscan("f"), 1500.0f);
  EXPECT_FLOAT_EQ(fltscan("f"), 0.02f);
  EXPECT_EQ(intscan("f"), 12);  // a label glued to the number is still a label
  EXPECT_EQ(fltscan("f"), 0.0f);  // too small for a float: zero, not an error
  // Booleans are true only for 1.
  EXPECT_EQ(bolscan("f"), 1);
  EXPECT_EQ(bolscan("f") + bolscan("f"), 0);
  EXPECT_EQ(bolscanNOSN("f") + bolscanNOSN("f") * 10 + bolscanNOSN("f") * 100, 11);
}

TEST_F(FileTest, StringScanKeepsAtMostDimMinusTwo) {
  std::string p = put("s.txt", "I\n1 version\nabcdefg\nab\n\nxyz\nlast\r\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  char s[8];
  std::memset(s, 'Q', sizeof s);
  stringscan(s, "f", 5);
  EXPECT_STREQ(s, "abc");
  EXPECT_EQ(s[5], 'Q');  // nothing written past dim
  stringscan(s, "f", 5);
  EXPECT_STREQ(s, "ab");
  stringscan(s, "f", 5);
  EXPECT_STREQ(s, "");
  stringscan(s, "f", 1);  // no room for anything but the terminator
  EXPECT_STREQ(s, "");
  stringscan(s, "f", 8);
  EXPECT_STREQ(s, "last");  // CR and LF both dropped
}

TEST_F(FileTest, MissingLastLineEndIsFatalInTheLineSkip) {
  std::string p = put("t.txt", "I\n1 version\n12 label");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(fatal_text([] { intscan("t.txt"); }), scan_error("rln middle", "t.txt"));
  EXPECT_EQ(fatal_status, 1);

  // A value at the very end, read without the line skip, is still good.
  p = put("u.txt", "I\n1 version\n3 4");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(intscanNOSN("u"), 3);
  EXPECT_EQ(intscanNOSN("u"), 4);
  EXPECT_EQ(fatal_text([] { intscanNOSN("u.txt"); }), scan_error("intscanNOSN", "u.txt"));
}

TEST_F(FileTest, MalformedValuesAreFatalNamingTheCall) {
  const struct { const char* text; int flt; const char* call; } bad[] = {
      {"abc", 0, "intscan"},   {"-", 0, "intscan"},    {"99999999999", 0, "intscan"}, {"", 0, "intscan"},
      {"x", 1, "fltscan"},     {"1e", 1, "fltscan"},   {"1e39", 1, "fltscan"},        {"nan", 1, "fltscan"},
      {"inf", 1, "fltscan"},   {"-.", 1, "fltscan"},   {"", 1, "fltscan"}};
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    std::string p = put("m.txt", std::string("I\n1 version\n") + b.text + "\n");
    ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
    EXPECT_EQ(fatal_text([&] { b.flt ? (void)fltscan("m.txt") : (void)intscan("m.txt"); }),
              scan_error(b.call, "m.txt"));
  }
  std::string p = put("n.txt", "I\n1 version\n1.5\nabc\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(intscan("n.txt"), 1);  // an integer stops at the point
  EXPECT_EQ(fatal_text([] { bolscanNOSN("n.txt"); }), scan_error("bolscanNOSN", "n.txt"));
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  rln("n.txt");
  EXPECT_EQ(fatal_text([] { fltscanNOSN("n.txt"); }), scan_error("fltscanNOSN", "n.txt"));
  p = put("o.txt", "I\n1 version\nabc");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(fatal_text([] {
              char s[STR_DIM];
              stringscan(s, "o.txt", STR_DIM);
            }),
            scan_error("stringscan", "o.txt"));
}

TEST_F(FileTest, CheckpointsGuardTheOrderOfItems) {
  std::string p = put("c.acf", "I\n35 version\n5 x\n\n114 checkpoint\n\n6 y\n\n7 checkpoint\n\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_AIRCRAFT, 35, 1), 1);
  EXPECT_EQ(intscan("c"), 5);
  checkpoint(114);
  EXPECT_EQ(intscan("c"), 6);
  EXPECT_EQ(fatal_text([] { checkpoint(115); }),
            "An error occurred during read-in of the aircraft file.\n"
            "Either the file has been corrupted,or it is not really an aircraft file.\n"
            "Wanted checkpoint 115, but got point 7.\n" + p);
  EXPECT_EQ(fatal_status, 1);
}

std::string le4(int v) {
  unsigned u = (unsigned)v;
  return std::string{(char)(u & 255), (char)((u >> 8) & 255), (char)((u >> 16) & 255), (char)(u >> 24)};
}
std::string be4(int v) {
  std::string s = le4(v);
  return std::string(s.rbegin(), s.rend());
}
int float_bits(float f) {
  int i;
  std::memcpy(&i, &f, 4);
  return i;
}

TEST_F(FileTest, BinaryFilesFollowTheirByteOrderMark) {
  for (int big = 0; big < 2; big++) {
    auto w = big ? be4 : le4;
    std::string body = std::string(big ? "a" : "i") + w(400) + w(-7) + w(float_bits(2.5f)) + w(1) +
                       w(321) + std::string("ab\0\0\0\0\0\0", 8) + std::string("ABCDEFGH");
    std::string p = put("b.env", body);
    ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_BINARY, 400, 1), 1);
    EXPECT_EQ(inf_is_bin, 1);
    EXPECT_EQ(rev_inf_bin, big);
    rln("b");  // nothing in binary
    EXPECT_EQ(intscan("b"), -7);
    EXPECT_FLOAT_EQ(fltscanNOSN("b"), 2.5f);
    EXPECT_EQ(bolscan("b"), 1);
    checkpoint(321);
    char s[16];
    std::memset(s, 'Q', sizeof s);
    stringscan(s, "b", 8);
    EXPECT_STREQ(s, "ab");
    stringscan(s, "b", 8);  // a field filled to the end still ends
    EXPECT_STREQ(s, "ABCDEFG");
    EXPECT_EQ(s[8], 'Q');
    EXPECT_EQ(fatal_text([] { intscan("b.env"); }), scan_error("intscan", "b.env"));
  }
  EXPECT_EQ(inf_open(put("x.env", "x" + le4(400)).c_str(), FTYPE_ANY_BINARY, 400, 1), 0);
  EXPECT_EQ(inf_open(put("t.env", std::string("i\x90\x01", 3)).c_str(), FTYPE_ANY_BINARY, 400, 0), 0);

  std::string p = put("nan.env", "i" + le4(400) + le4(0x7fc00000));
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_BINARY, 400, 1), 1);
  EXPECT_EQ(fatal_text([] { fltscan("nan.env"); }), scan_error("fltscan", "nan.env"));
}

// A pipe, a folder or a device is never opened for reading: nothing blocks.
// A missing, torn or scribbled file is no reason to stop the program; only a
// wrong version, asked to be loud, is fatal.
TEST_F(FileTest, OpenFailsQuietlySayingWhyOrLoudlyAsAsked) {
  int before = desk_alert_count();
  std::string fifo = dir + "/pipe.prf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const struct { std::string path; int loud, why; } cases[] = {
      {fifo, 1, INF_NOT_FILE},
      {dir, 1, INF_NOT_FILE},
      {"/dev/zero", 0, INF_NOT_FILE},
      {dir + "/none.acf", 1, INF_MISSING},
      {put("e.prf", ""), 1, INF_NOT_DATA},
      {put("f.prf", "I"), 0, INF_NOT_DATA},
      {put("g.prf", "X\n38 version\n1\n"), 0, INF_NOT_DATA},
      {put("h.prf", "I\n-1 version\nz\nz\n"), 0, INF_BAD_VERSION},
      {put("v37", "I\n37 version\n"), 0, INF_BAD_VERSION},
      {put("i.prf", "I\nzz\n"), 0, -1},
      {put("j.prf", "I\n"), 0, -1},
      {put("k.prf", "I\n38 version"), 0, -1}};  // only a header: nothing to read
  for (const auto& c : cases) {
    EXPECT_EQ(inf_open(c.path.c_str(), FTYPE_ANY_TEXT, 38, c.loud), 0) << c.path;
    if (c.why >= 0) {
      EXPECT_EQ(inf_open_why, c.why) << c.path;
    }
  }
  EXPECT_EQ(desk_alert_count(), before);
  EXPECT_EQ(plat_fopen_regular(fifo.c_str()), nullptr);
  std::FILE* f = plat_fopen_regular(put("ok", "x").c_str());
  ASSERT_NE(f, nullptr);
  std::fclose(f);

  std::string p = put("old.acf", "I\n34 version\n1\n");
  EXPECT_EQ(fatal_text([&] { inf_open(p.c_str(), FTYPE_AIRCRAFT, 35, 1); }),
            "The following file is the wrong version for this version of Tarvel:\n" + p +
                "\nThrow that file away. You should only use the files that came with the program.\n"
                "You may have to re-install Tarvel from the CD.");
  EXPECT_EQ(fatal_status, 1);
}

TEST_F(FileTest, WritersProduceWhatReadersReadInTheCLocale) {
  // A decimal comma in the user's locale must not reach the files.
  struct comma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
  };
  std::locale old = std::locale::global(std::locale(std::locale::classic(), new comma));
  std::string p = dir + "/Tarvel Ririzuz.prf";
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_ANY_TEXT, 38), 1);
  ouf << 100 << " checkpoint\n" << 0.1f << " label\n" << 123456.789f << " big\n" << -2.5e-7f << " tiny\n"
      << std::nanf("") << " nan\n" << -INFINITY << " inf\n";
  ASSERT_EQ(ouf_close(), 1);
  std::locale::global(old);
  EXPECT_EQ(slurp(p), "I\n38 version\n100 checkpoint\n0.1 label\n123457 big\n-2.5e-07 tiny\n0 nan\n0 inf\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 38, 0), 1);
  EXPECT_EQ(intscan("p"), 100);
  EXPECT_FLOAT_EQ(fltscan("p"), 0.1f);
  EXPECT_FLOAT_EQ(fltscan("p"), 123457.0f);
  EXPECT_FLOAT_EQ(fltscan("p"), -2.5e-7f);
  EXPECT_EQ(fltscan("p"), 0.0f);
  EXPECT_EQ(fltscan("p"), 0.0f);

  std::string b = dir + "/w.env";
  ASSERT_EQ(ouf_open(b.c_str(), FTYPE_ANY_BINARY, 400), 1);
  int v = 77;
  ouf.write((const char*)&v, 4);
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_EQ(slurp(b), "i" + le4(400) + le4(77));
}

TEST_F(FileTest, SavingReplacesTheOldFileOnlyWhenComplete) {
  std::string p = put("plane.acf", "old contents\n");
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_ANY_TEXT, 35), 1);
  ouf << 1 << " new\n";
  ouf.flush();
  EXPECT_EQ(slurp(p), "old contents\n");  // still whole while the save runs
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_EQ(slurp(p), "I\n35 version\n1 new\n");

  // A write that fails on the way keeps the old file and says so.
  int before = desk_alert_count();
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_ANY_TEXT, 35), 1);
  ouf << 2 << " half\n";
  ouf.setstate(std::ios::badbit);
  EXPECT_EQ(ouf_close(), 0);
  EXPECT_EQ(slurp(p), "I\n35 version\n1 new\n");
  ASSERT_EQ(desk_alert_count(), before + 1);
  EXPECT_EQ(std::string(desk_alert_text(before)),
            "I could not save the file! Could your disk be full?\n" + p +
                "\nCould the file be flagged as read-only? This happens if you copy it from a CD!\n"
                "Try alt-tab to put this app in the background and then make the file writable in its Properties "
                "(or with chmod u+w).");

  // No temporary file is left behind either way.
  int files = 0;
  for (auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 1);

  // A writer that closes ouf itself has its file in place before it is read back.
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_ANY_TEXT, 35), 1);
  ouf << 3 << " closed by hand\n";
  ouf.close();
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 35, 1), 1);
  EXPECT_EQ(intscan("p"), 3);
}

// A missing folder, an empty name, a path that does not fit or a read-only
// file: refused with a message, the old file kept, no temporary left.
TEST_F(FileTest, SaveRefusesWhatItCannotWriteWhole) {
  int before = desk_alert_count();
  EXPECT_EQ(ouf_open((dir + "/no such folder/x.sit").c_str(), FTYPE_SITUATION, 38), 0);
  EXPECT_EQ(ouf_open("", FTYPE_SITUATION, 38), 0);
  std::string longer = dir + "/" + std::string(STR_DIM, 'n') + ".prf";
  EXPECT_EQ(ouf_open(longer.c_str(), FTYPE_ANY_TEXT, 38), 0);
  ASSERT_EQ(desk_alert_count(), before + 3);
  EXPECT_NE(std::string(desk_alert_text(before + 2)).find("its path is too long"), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir));
  if (geteuid() == 0) return;  // root may write read-only files
  std::string p = put("ro.sit", "keep me\n");
  chmod(p.c_str(), 0444);
  EXPECT_EQ(ouf_open(p.c_str(), FTYPE_SITUATION, 38), 0);
  EXPECT_EQ(slurp(p), "keep me\n");
}

// A link planted where a file is saved is replaced by the file: its target,
// wherever it points, is never written.
TEST_F(FileTest, SavingAtALinkReplacesTheLinkAndLeavesItsTarget) {
  std::string target = put("target.txt", "precious\n");
  std::string link = dir + "/link.prf";
  fs::create_symlink(target, link);
  ASSERT_EQ(ouf_open(link.c_str(), FTYPE_ANY_TEXT, 38), 1);
  ouf << 5 << " x\n";
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_FALSE(fs::is_symlink(link));
  EXPECT_EQ(slurp(link), "I\n38 version\n5 x\n");
  EXPECT_EQ(slurp(target), "precious\n");
  // A dangling link (to a file it would create) is not followed either.
  std::string link2 = dir + "/dangling.prf";
  fs::create_symlink(dir + "/made-through-link", link2);
  ASSERT_EQ(save_text_file(link2.c_str(), "text\n"), 1);
  EXPECT_FALSE(fs::exists(dir + "/made-through-link"));
  EXPECT_EQ(slurp(link2), "text\n");
}

// What a save cut short (kill -9 between the temporary file and its rename)
// leaves is removed at the next start; the user's files stay.
TEST_F(FileTest, StrayTemporaryFilesAreRemoved) {
  put("Tarvel Ririzuz.prf", "mine\n");
  put("Tarvel Ririzuz.prf.Ab12Cd.tmp~", "half");
  put("old.sit.tmp~", "half");
  std::string target = put("elsewhere.txt", "keep\n");
  fs::create_symlink(target, dir + "/planted.tmp~");
  EXPECT_EQ(remove_stray_temps(dir.c_str()), 3);
  EXPECT_EQ(slurp(dir + "/Tarvel Ririzuz.prf"), "mine\n");
  EXPECT_EQ(slurp(target), "keep\n");
  EXPECT_FALSE(fs::exists(dir + "/old.sit.tmp~"));
  EXPECT_EQ(remove_stray_temps((dir + "/none").c_str()), 0);

  // Anywhere else (a situation in the user's own folder), the next save of
  // the same file clears what an interrupted save of it left.
  fs::create_directories(dir + "/trips");
  std::string sit = put("trips/flight.sit", "old\n");
  put("trips/flight.sit.Qw34Er.tmp~", "half");
  put("trips/other.sit.Qw34Er.tmp~", "not ours");
  ASSERT_EQ(ouf_open(sit.c_str(), FTYPE_SITUATION, 38), 1);
  ASSERT_EQ(ouf_close(), 1);
  EXPECT_FALSE(fs::exists(dir + "/trips/flight.sit.Qw34Er.tmp~"));
  EXPECT_TRUE(fs::exists(dir + "/trips/other.sit.Qw34Er.tmp~"));
}

TEST_F(FileTest, NumbersOutOfRangeNameFileFieldAndValue) {
  std::string p = put("r.txt", "I\n38 version\n3e38 damping\n0.5 damping\n7 count\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 38, 1), 1);
  std::string text = fatal_text([&] { fltscan_in(p.c_str(), "damping", 0, 1); });
  EXPECT_EQ(text, "A number in a data file is out of range!\n" + p +
                      "\nThe damping is 3e+38, but it must lie between 0 and 1.\n"
                      "The file may be corrupted: revert to a back-up or write it again.");
  EXPECT_EQ(fatal_status, 1);
  // Soft readers get scan_failed and the lines instead, and the value clamped.
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 38, 1), 1);
  scan_soft = 1;
  scan_failed = 0;
  EXPECT_EQ(fltscan_in(p.c_str(), "damping", 0, 1), 1.0f);
  EXPECT_EQ(scan_failed, 1);
  EXPECT_EQ(std::string(scan_problem[2]), "The damping is 3e+38, but it must lie between 0 and 1.");
  scan_soft = 0;
  scan_failed = 0;
  // In range, nothing happens.
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 38, 1), 1);
  rln("r");
  EXPECT_EQ(fltscan_in(p.c_str(), "damping", 0, 1), 0.5f);
  EXPECT_EQ(intscan_in(p.c_str(), "count", 0, 10), 7);
}

TEST_F(FileTest, FiltersNameTheTypeAndItsPattern) {
  EXPECT_EQ(build_IBM_filter("Aircraft", "acf"), 24);
  EXPECT_EQ(std::string(filter_str, 24), std::string("Aircraft (*.acf)\0*.acf\0\0", 24));
  set_up_IBM_filter(FTYPE_ANY_TEXT);
  EXPECT_STREQ(filter_str, "Any (*.*)");
  EXPECT_STREQ(def_ext, "*");
  // Overlong names are cut, never written past the buffer.
  int used = build_IBM_filter(std::string(1000, 'n').c_str(), "afl");
  EXPECT_LE(used, STR_DIM);
  EXPECT_EQ(filter_str[used - 1] | filter_str[used - 2], 0);
}

int sounds_stopped, sounds_restarted;

// The save dialog adds the type's extension; sounds pause while it is open.
TEST_F(FileTest, DialogsFillPathAndNameOrLeaveThemOnCancel) {
  hookstruct saved = hok;
  hok.stop_sounds = [] { sounds_stopped++; };
  hok.restart_sounds = [] { sounds_restarted++; };
  sounds_stopped = sounds_restarted = 0;
  char file[STR_DIM] = "", path[STR_DIM] = "";
  desk_answer_push_path("/home/pilot/planes/Trainer.acf");
  EXPECT_EQ(MACIBM_open(file, path, FTYPE_AIRCRAFT), 1);
  EXPECT_STREQ(file, "Trainer.acf");
  desk_answer_push_cancel();
  EXPECT_EQ(MACIBM_open(file, path, FTYPE_AIRFOIL), 0);
  EXPECT_STREQ(path, "/home/pilot/planes/Trainer.acf");
  desk_answer_push_path("/home/pilot/flight one");
  EXPECT_EQ(MACIBM_save(file, path, FTYPE_SITUATION), 1);
  EXPECT_STREQ(path, "/home/pilot/flight one.sit");
  EXPECT_STREQ(file, "flight one.sit");
  desk_answer_push_path("/home/pilot/notes");
  EXPECT_EQ(MACIBM_save(file, path, FTYPE_ANY_TEXT), 1);
  EXPECT_STREQ(file, "notes");
  EXPECT_EQ(sounds_stopped * 10 + sounds_restarted, 44);
  hok = saved;
}

TEST(FilePaths, ApDirStaysInsideTheApplicationFolder) {
  char saved[STR_DIM];
  std::strcpy(saved, app_path);
  std::strcpy(app_path, "/opt/tarvel/data/");  // a trailing separator is not doubled
  char p[STR_DIM];
  EXPECT_EQ(ap_dir("", "world.rwx", p), 1);
  EXPECT_STREQ(p, "/opt/tarvel/data/world.rwx");
  std::strcpy(app_path, "/opt/tarvel/data");
  EXPECT_EQ(ap_dir("DATA", "+030-090\\+034-084.env", p), 1);
  EXPECT_STREQ(p, "/opt/tarvel/data/DATA/+030-090/+034-084.env");
  EXPECT_EQ(ap_dir("airfoils", "..odd name..afl", p), 1);
  std::string longname(STR_DIM, 'x');
  const char* escapes[][2] = {{"flaps", "../../../etc/passwd"}, {"", ".."}, {"airfoils", "a/../../b"},
                              {"..", "x"}, {"DATA", "..\\..\\secret"}, {"DATA", longname.c_str()}};
  for (auto& e : escapes) {
    std::strcpy(p, "unchanged");
    EXPECT_EQ(ap_dir(e[0], e[1], p), 0) << e[0] << " " << e[1];
    EXPECT_STREQ(p, "");
  }
  std::strcpy(app_path, saved);
}

}  // namespace
