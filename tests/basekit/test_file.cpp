// Data-file streams: headers, scanning, checkpoints, saving, dialogs, paths.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csetjmp>
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

namespace {

namespace fs = std::filesystem;

std::jmp_buf fatal_jmp;
int fatal_status = -1;
void jump_back(int status) {
  fatal_status = status;
  std::longjmp(fatal_jmp, 1);
}

// Runs f, which must end in a fatal alert; returns that alert's lines joined
// by '\n', or "(no fatal)". The exit status is left in fatal_status.
template <class F> std::string fatal_text(F f) {
  hookstruct saved = hok;
  hok.end_process = jump_back;
  fatal_status = -1;
  desk_answer_clear();
  volatile int died = 0;
  if (setjmp(fatal_jmp) == 0)
    f();
  else
    died = 1;
  hok = saved;
  if (!died) return "(no fatal)";
  return desk_alert_text(desk_alert_count() - 1);
}

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
  std::string p = put("a.txt", "I\n1 version\n\n\n   -12 label\nnext line\n  +5\n.5 x\n-.25\n1.5e3 y\n2E-2\n12abc\n1e-50\n");
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
}

TEST_F(FileTest, BooleansAreTrueOnlyForOne) {
  std::string p = put("b.txt", "I\n1 version\n1\n2\n-1\n0\n1 1 3\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(bolscan("f"), 1);
  EXPECT_EQ(bolscan("f"), 0);
  EXPECT_EQ(bolscan("f"), 0);
  EXPECT_EQ(bolscan("f"), 0);
  EXPECT_EQ(bolscanNOSN("f"), 1);
  EXPECT_EQ(bolscanNOSN("f"), 1);
  EXPECT_EQ(bolscanNOSN("f"), 0);
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
      {"abc", 0, "intscan"},        {"-", 0, "intscan"},          {"99999999999", 0, "intscan"},
      {"1.5", 0, "(none)"},         {"x", 1, "fltscan"},          {"1e", 1, "fltscan"},
      {"1e39", 1, "fltscan"},       {"nan", 1, "fltscan"},        {"inf", 1, "fltscan"},
      {"-.", 1, "fltscan"},         {"", 0, "intscan"},           {"", 1, "fltscan"}};
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    std::string p = put("m.txt", std::string("I\n1 version\n") + b.text + "\n");
    ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
    if (std::strcmp(b.call, "(none)") == 0) {
      EXPECT_EQ(intscan("m.txt"), 1);  // an integer stops at the point
      continue;
    }
    EXPECT_EQ(fatal_text([&] { b.flt ? (void)fltscan("m.txt") : (void)intscan("m.txt"); }),
              scan_error(b.call, "m.txt"));
  }
  std::string p = put("n.txt", "I\n1 version\nabc\n");
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
  EXPECT_EQ(fatal_text([] { bolscanNOSN("n.txt"); }), scan_error("bolscanNOSN", "n.txt"));
  ASSERT_EQ(inf_open(p.c_str(), FTYPE_ANY_TEXT, 1, 1), 1);
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

TEST_F(FileTest, OpenFailsQuietlyOrLoudlyAsAsked) {
  int before = desk_alert_count();
  EXPECT_EQ(inf_open((dir + "/none.prf").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open((dir + "/none.acf").c_str(), FTYPE_ANY_TEXT, 35, 1), 0);
  EXPECT_EQ(inf_open(dir.c_str(), FTYPE_ANY_TEXT, 35, 1), 0);  // a folder
  EXPECT_EQ(inf_open(put("e.prf", "").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open(put("f.prf", "I").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open(put("g.prf", "X\n38 version\n1\n").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open(put("h.prf", "I\n-1 version\nz\nz\n").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  // A torn or scribbled header is no reason to stop the program.
  EXPECT_EQ(inf_open(put("i.prf", "I\nzz\n").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open(put("j.prf", "I\n").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(desk_alert_count(), before);
  // Only a header: nothing to read, so not a good stream.
  EXPECT_EQ(inf_open(put("k.prf", "I\n38 version").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);

  std::string p = put("old.acf", "I\n34 version\n1\n");
  EXPECT_EQ(fatal_text([&] { inf_open(p.c_str(), FTYPE_AIRCRAFT, 35, 1); }),
            "The following file is the wrong version for this version of Tarvel:\n" + p +
                "\nThrow that file away. You should only use the files that came with the program.\n"
                "You may have to re-install Tarvel from the CD.");
  EXPECT_EQ(fatal_status, 1);
}

TEST_F(FileTest, WritersProduceWhatReadersRead) {
  std::string p = dir + "/Tarvel Ririzuz.prf";
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_ANY_TEXT, 38), 1);
  ouf << 100 << " checkpoint\n" << 0.1f << " label\n" << 123456.789f << " big\n" << -2.5e-7f << " tiny\n"
      << std::nanf("") << " nan\n" << -INFINITY << " inf\n";
  ASSERT_EQ(ouf_close(), 1);
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

// A decimal comma in the user's locale must not reach the files.
struct comma : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
};

TEST_F(FileTest, NumbersAreWrittenInTheCLocale) {
  std::locale old = std::locale::global(std::locale(std::locale::classic(), new comma));
  std::string p = dir + "/loc.sit";
  ASSERT_EQ(ouf_open(p.c_str(), FTYPE_SITUATION, 38), 1);
  ouf << 2.5f << " x\n";
  EXPECT_EQ(ouf_close(), 1);
  std::locale::global(old);
  EXPECT_EQ(slurp(p), "I\n38 version\n2.5 x\n");
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

TEST_F(FileTest, SaveRefusesMissingFoldersAndEmptyNames) {
  int before = desk_alert_count();
  EXPECT_EQ(ouf_open((dir + "/no such folder/x.sit").c_str(), FTYPE_SITUATION, 38), 0);
  EXPECT_EQ(ouf_open("", FTYPE_SITUATION, 38), 0);
  EXPECT_EQ(desk_alert_count(), before + 2);
  int files = 0;
  for (auto it = fs::directory_iterator(dir); it != fs::directory_iterator(); ++it) files++;
  EXPECT_EQ(files, 0);  // no temporary left from the failed attempts
}

TEST_F(FileTest, SaveRefusesReadOnlyFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
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

TEST_F(FileTest, APathThatDoesNotFitIsRefusedWithAMessage) {
  int before = desk_alert_count();
  std::string longer = dir + "/" + std::string(STR_DIM, 'n') + ".prf";
  EXPECT_EQ(ouf_open(longer.c_str(), FTYPE_ANY_TEXT, 38), 0);
  ASSERT_EQ(desk_alert_count(), before + 1);
  EXPECT_NE(std::string(desk_alert_text(before)).find("its path is too long"), std::string::npos);
  int files = 0;
  for (auto it = fs::directory_iterator(dir); it != fs::directory_iterator(); ++it) files++;
  EXPECT_EQ(files, 0);
}

// A pipe, a folder or a device is never opened for reading: nothing blocks.
TEST_F(FileTest, OnlyRegularFilesAreOpened) {
  std::string fifo = dir + "/pipe.prf";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(inf_open(fifo.c_str(), FTYPE_ANY_TEXT, 38, 1), 0);
  EXPECT_EQ(inf_open_why, INF_NOT_FILE);
  EXPECT_EQ(plat_fopen_regular(fifo.c_str()), nullptr);
  EXPECT_EQ(inf_open(dir.c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open_why, INF_NOT_FILE);
  EXPECT_EQ(inf_open("/dev/zero", FTYPE_ANY_BINARY, 3, 0), 0);
  EXPECT_EQ(inf_open_why, INF_NOT_FILE);
  EXPECT_EQ(inf_open((dir + "/none").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open_why, INF_MISSING);
  EXPECT_EQ(inf_open(put("empty", "").c_str(), FTYPE_ANY_TEXT, 38, 1), 0);
  EXPECT_EQ(inf_open_why, INF_NOT_DATA);
  EXPECT_EQ(inf_open(put("v37", "I\n37 version\n").c_str(), FTYPE_ANY_TEXT, 38, 0), 0);
  EXPECT_EQ(inf_open_why, INF_BAD_VERSION);
  std::FILE* f = plat_fopen_regular(put("ok", "x").c_str());
  ASSERT_NE(f, nullptr);
  std::fclose(f);
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
  EXPECT_STREQ(def_ext, "acf");
  set_up_IBM_filter(FTYPE_ANY_BINARY);  // no filter of its own: the last one stays
  EXPECT_STREQ(filter_str, "Aircraft (*.acf)");
  set_up_IBM_filter(FTYPE_ANY_TEXT);
  EXPECT_STREQ(filter_str, "Any (*.*)");
  EXPECT_STREQ(def_ext, "*");
  // Overlong names are cut, never written past the buffer.
  std::string huge(1000, 'n');
  int used = build_IBM_filter(huge.c_str(), "afl");
  EXPECT_LE(used, STR_DIM);
  EXPECT_EQ(filter_str[used - 1], 0);
  EXPECT_EQ(filter_str[used - 2], 0);
}

int sounds_stopped, sounds_restarted;
void count_stop() { sounds_stopped++; }
void count_restart() { sounds_restarted++; }

TEST_F(FileTest, DialogsFillPathAndNameOrLeaveThemOnCancel) {
  hookstruct saved = hok;
  hok.stop_sounds = count_stop;
  hok.restart_sounds = count_restart;
  sounds_stopped = sounds_restarted = 0;
  char file[STR_DIM] = "", path[STR_DIM] = "";

  desk_answer_push_path("/home/pilot/planes/Trainer.acf");
  EXPECT_EQ(MACIBM_open(file, path, FTYPE_AIRCRAFT), 1);
  EXPECT_STREQ(path, "/home/pilot/planes/Trainer.acf");
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

  EXPECT_EQ(sounds_stopped, 4);
  EXPECT_EQ(sounds_restarted, 4);
  hok = saved;
}

TEST(FilePaths, ApDirStaysInsideTheApplicationFolder) {
  char saved[STR_DIM];
  std::strcpy(saved, app_path);
  std::strcpy(app_path, "/opt/tarvel/data");
  char p[STR_DIM];
  EXPECT_EQ(ap_dir("", "world.rwx", p), 1);
  EXPECT_STREQ(p, "/opt/tarvel/data/world.rwx");
  EXPECT_EQ(ap_dir("flaps", "Trainer.flp", p), 1);
  EXPECT_STREQ(p, "/opt/tarvel/data/flaps/Trainer.flp");
  EXPECT_EQ(ap_dir("DATA", "+030-090\\+034-084.env", p), 1);
  EXPECT_STREQ(p, "/opt/tarvel/data/DATA/+030-090/+034-084.env");
  EXPECT_EQ(ap_dir("airfoils", "..odd name..afl", p), 1);

  const char* escapes[][2] = {{"flaps", "../../../etc/passwd"}, {"", ".."}, {"airfoils", "a/../../b"},
                              {"..", "x"}, {"DATA", "..\\..\\secret"}};
  for (auto& e : escapes) {
    std::strcpy(p, "unchanged");
    EXPECT_EQ(ap_dir(e[0], e[1], p), 0) << e[0] << " " << e[1];
    EXPECT_STREQ(p, "");
  }
  std::string longname(STR_DIM, 'x');
  EXPECT_EQ(ap_dir("DATA", longname.c_str(), p), 0);
  EXPECT_STREQ(p, "");

  std::strcpy(app_path, "/opt/tarvel/data/");  // a trailing separator is not doubled
  ap_dir("", "x", p);
  EXPECT_STREQ(p, "/opt/tarvel/data/x");
  std::strcpy(app_path, saved);
}

}  // namespace
