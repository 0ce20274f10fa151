// Broken copies of the shipped files end with their message, naming the file,
// and never read past an array.
#include <sys/stat.h>
#include <cmath>
#include <filesystem>
#include "acft_fixture.h"
#include "sim/aircraft/pln.h"

using namespace acft;

namespace {

class BrokenTest : public AircraftTest {
 protected:
  Acf a = shipped("Trainer");
  // Replaces the line of an airfoil file that starts with the given angle.
  void set_foil_row(const char* name, const std::string& angle, const std::string& row, int nth = 0) {
    auto lines = read_lines(foil(name));
    for (auto& l : lines)
      if (l.rfind(angle + " ", 0) == 0 && nth-- == 0) {
        l = row;
        break;
      }
    write_lines(foil(name), lines);
  }
  void set_foil_line(const char* name, int index, const std::string& text) {
    auto lines = read_lines(foil(name));
    lines.at(index) = text;
    write_lines(foil(name), lines);
  }
};

TEST_F(BrokenTest, TruncatedFileEndsWithAScanningErrorAndStatusOne) {
  a.lines.resize(a.lines.size() / 2);
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "File-scanning error!")) << text;
  EXPECT_TRUE(contains(text, "Test.acf")) << text;
  EXPECT_EQ(fatal_status, 1);
  EXPECT_EXIT(load(a), ::testing::ExitedWithCode(1), "File-scanning error!");
}

TEST_F(BrokenTest, WrongVersionOrACheckpointOutOfPlaceIsFatalNamingTheFile) {
  Acf b = a;
  b.lines[1] = "34 version";
  std::string text = load_fatal(b);
  EXPECT_TRUE(contains(text, "wrong version")) << text;
  EXPECT_TRUE(contains(text, "Test.acf")) << text;
  EXPECT_EQ(fatal_status, 1);
  a.lines[a.block(117)] = "118 checkpoint";
  text = load_fatal(a);
  EXPECT_TRUE(contains(text, "Wanted checkpoint 117, but got point 118.")) << text;
  EXPECT_FALSE(contains(text, "file used by checkpoint")) << text;
  EXPECT_TRUE(contains(text, pln.C_path)) << text;
  EXPECT_EQ(fatal_status, 1);
}

TEST_F(BrokenTest, NonNumbersWhereNumbersStand) {
  Acf b = a;
  b.set(101, "numen", "one");
  std::string text = load_fatal(b);
  EXPECT_EQ(text, std::string("File-scanning error!\nintscan\nfile:\n") + pln.C_path);
  b = a;
  b.set(117, "m_max lb", "x2400");
  EXPECT_TRUE(contains(load_fatal(b), "File-scanning error!\nfltscan")) << load_fatal(b);
  b = a;
  b.set(121, "ASloV", "nan");
  EXPECT_TRUE(contains(load_fatal(b), "File-scanning error!"));
}

TEST_F(BrokenTest, ValuesOutOfRangeAreRefused) {
  std::string ngearx = a.get(118, "ngearx ft");
  struct Case {
    int cp;
    const char *label, *value, *message;
    int cp2 = 0;  // a second edit, where one is needed
    const char *label2 = "", *value2 = "";
  };
  const Case cases[] = {
      {101, "numen", "5", "Invalid engine count!"},
      {101, "numen", "-1", "Invalid engine count!"},
      {106, "els", "9", "Invalid element count!"},      // left wing 1, present
      {106, "els", "0", "Invalid element count!"},
      {105, "els", "-3", "Invalid element count!"},
      {104, "els", "12", "Invalid element count!"},     // even on an absent part
      {100, "instrument in panel location 3", "9", "Invalid panel specification!"},
      {100, "instrument in panel location 6", "-2", "Invalid panel specification!"},
      {100, "Vso", "0", "You entered a Vso of zero!"},
      {100, "Vs", "0", "You entered a Vs  of zero!"},
      {100, "Vne", "0", "You entered a Vne of zero!"},
      {117, "m_empty lb", "0", "You have entered an empty weight of zero!"},
      {117, "m_max lb", "1", "You have entered a maximum weight of zero!"},
      {100, "instrument in panel location 4", "5", "THREE WIDE INSTRUMENTS ON EACH ROW"},  // four wide in the upper row
      {100, "is_heli", "1", "Helicopters cannot have instruments in the right-most column!"},
      {118, "mgearx ft", ngearx.c_str(), "Invalid landing gear!"},  // no wheelbase
      {118, "skidEQ", "1", "Invalid skids!", 118, "skidl ft", "0"},
      {102, "semilen ft", "0", "Invalid propeller!"},  // a propeller without a size
  };
  for (const Case& c : cases) {
    Acf b = a;
    b.set(c.cp, c.label, c.value);
    if (c.cp2) b.set(c.cp2, c.label2, c.value2);
    std::string text = load_fatal(b);
    EXPECT_TRUE(contains(text, c.message)) << c.label << " " << c.value << ": " << text;
    EXPECT_EQ(fatal_status, 1) << c.label;
  }
}

// Well-formed but far outside what an aircraft can be: each is refused where
// it is read, naming the file, the field and the value, so that nothing huge
// reaches the flight model.
TEST_F(BrokenTest, ExtremeNumbersAreRefusedNamingFieldAndValue) {
  struct Case { int cp; const char* label; const char* value; const char* field; };
  const Case cases[] = {
      {101, "pmax hp", "3e38", "engine power pmax (hp)"},
      {117, "m_max lb", "3e38", "maximum weight (m_max, lb)"},
      {102, "numblades", "2000000000", "number of blades (numblades)"},
      {106, "semilen ft", "3e38", "semi-length (semilen, ft)"},
      {106, "Croot ft", "3e38", "root chord (Croot, ft)"},
      {106, "Croot ft", "-2", "root chord (Croot, ft)"},
      {121, "ASloV", "1e30", "number"},
  };
  for (const Case& c : cases) {
    Acf b = a;
    b.set(c.cp, c.label, c.value);
    std::string text = load_fatal(b);
    EXPECT_TRUE(contains(text, "A number in a data file is out of range!")) << c.label << ": " << text;
    EXPECT_TRUE(contains(text, pln.C_path)) << c.label << ": " << text;
    EXPECT_TRUE(contains(text, std::string("The ") + c.field + " is ")) << c.label << ": " << text;
    EXPECT_EQ(fatal_status, 1) << c.label;
  }
}

TEST_F(BrokenTest, ExtremeFlapCoefficientIsRefused) {
  auto lines = read_lines(dir + "/flaps/Trainer.flp");
  lines[7] = "2 3e38 0.00007 -0.01319";
  write_lines(dir + "/flaps/Trainer.flp", lines);
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "The flap lift coefficient is 3e+38")) << text;
  EXPECT_TRUE(contains(text, dir + "/flaps/Trainer.flp")) << text;
}

// A file that is there but empty, garbage or no regular file says so: it is
// not "missing", and a pipe never blocks the load.
TEST_F(BrokenTest, EmptyGarbageOrPipeFilesSayWhatIsWrong) {
  std::string flp = dir + "/flaps/Trainer.flp";
  write_lines(flp, {});
  std::string text = load_fatal(a);
  EXPECT_FALSE(contains(text, "could not be found")) << text;
  EXPECT_TRUE(contains(text, "could not be read")) << text;
  EXPECT_TRUE(contains(text, "empty or not a data file")) << text;
  EXPECT_TRUE(contains(text, flp)) << text;

  std::filesystem::remove(flp);
  ASSERT_EQ(mkfifo(flp.c_str(), 0600), 0);
  text = load_fatal(a);
  EXPECT_TRUE(contains(text, "not a regular file")) << text;
  std::filesystem::remove(flp);

  write_lines(foil("N2412_Re3.afl"), {"garbage", "more garbage"});
  text = load_fatal(a);
  EXPECT_TRUE(contains(text, "could not be read")) << text;
  EXPECT_TRUE(contains(text, "The name of the airfoil file is: " + foil("N2412_Re3.afl"))) << text;
}

TEST_F(BrokenTest, AnEmptyAircraftFileIsNotCalledMissing) {
  Acf b = a;
  b.lines.clear();
  std::string text = load_fatal(b);
  EXPECT_TRUE(contains(text, "File opening failed or aborted.")) << text;
  ASSERT_GE(desk_alert_count(), 1);
  std::string first = desk_alert_text(0);
  EXPECT_TRUE(contains(first, "The aircraft file could not be read:")) << first;
  EXPECT_TRUE(contains(first, "empty or not a data file")) << first;
  EXPECT_FALSE(contains(first, "could not be found")) << first;
}

TEST_F(BrokenTest, NamesThatLeaveTheFolderOrDoNotFit) {
  Acf b = a;
  b.at(106, 2) = "../../secret.afl";
  std::string text = load_fatal(b);
  EXPECT_TRUE(contains(text, "outside the application folder")) << text;
  EXPECT_TRUE(contains(text, "Test.acf")) << text;
  b = a;
  b.at(114, 2) = "sub/../../Trainer.flp";
  EXPECT_TRUE(contains(load_fatal(b), "outside the application folder"));
  b = a;
  b.at(106, 2) = std::string(390, 'n') + ".afl";
  text = load_fatal(b);
  EXPECT_TRUE(contains(text, "Path too long!")) << text;
}

TEST_F(BrokenTest, MissingAircraftFileGoesThroughTheOpenDialog) {
  std::snprintf(pln.C_path, STR_DIM, "%s/Aircraft/None/None.acf", dir.c_str());
  std::snprintf(pln.C_file, STR_DIM, "None.acf");
  std::string text = fatal_text([] { load_plane(); });
  EXPECT_TRUE(contains(text, "File opening failed or aborted.")) << text;
  ASSERT_GE(desk_alert_count(), 2);
  EXPECT_TRUE(contains(desk_alert_text(0), "The aircraft file that you last used "));
  // Choosing a good file in the dialog flies it.
  std::string good = dir + "/Aircraft/Trainer/Trainer.acf";
  std::snprintf(pln.C_path, STR_DIM, "%s/Aircraft/None/None.acf", dir.c_str());
  text = fatal_text([&] {
    desk_answer_push_button(0);
    desk_answer_push_path(good.c_str());
    load_plane();
  });
  EXPECT_EQ(text, "(no fatal)");
  EXPECT_STREQ(pln.C_path, good.c_str());
  EXPECT_EQ(pln.numen, 1);
}

TEST_F(BrokenTest, FlapFileMissingOrWithTheWrongMark) {
  std::filesystem::remove(dir + "/flaps/Trainer.flp");
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "The flap file that is required")) << text;
  EXPECT_TRUE(contains(text, "flaps/Trainer.flp")) << text;
  auto lines = read_lines(std::string(TARVEL_SOURCE_DATA_DIR) + "/flaps/Trainer.flp");
  lines[2] = "2344 flap file mark";
  write_lines(dir + "/flaps/Trainer.flp", lines);
  text = load_fatal(a);
  EXPECT_TRUE(contains(text, "An error occurred during read-in of the flaps file.")) << text;
  lines.resize(30);  // truncated
  lines[2] = "2345 flap file mark";
  write_lines(dir + "/flaps/Trainer.flp", lines);
  EXPECT_TRUE(contains(load_fatal(a), "File-scanning error!"));
}

TEST_F(BrokenTest, AirfoilMissingOrCorrupt) {
  std::filesystem::remove(foil("N0012_Re3.afl"));
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "could not be found")) << text;
  EXPECT_TRUE(contains(text, "The name of the airfoil file is: " + foil("N0012_Re3.afl"))) << text;
  EXPECT_TRUE(contains(text, "The foil file is used by the horiz stab.")) << text;

  set_foil_line("N2412_Re3.afl", 2, "1233 airfoil mark");
  text = load_fatal(a);
  EXPECT_TRUE(contains(text, "is corrupted.")) << text;
  EXPECT_TRUE(contains(text, "The foil file is used by wing number one.")) << text;
}

TEST_F(BrokenTest, AirfoilRowsMustSitOnTheGrid) {
  set_foil_row("N2412_Re3.afl", "12.4", "12.3 1.50000 0.01500");
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "An error occurred during read-in of the airfoil file.")) << text;
  EXPECT_TRUE(contains(geo_report_text(), "Exited because looking in wingfile"));
}

TEST_F(BrokenTest, NegativeDragIsAcceptedOnlyJustBelowZeroNearZeroLift) {
  std::string orig = foil("N2412_Re3.afl") + ".orig";
  std::filesystem::copy_file(foil("N2412_Re3.afl"), orig);
  set_foil_row("N2412_Re3.afl", "-3.0", "-3.0 -0.00500");
  EXPECT_EQ(load_fatal(a), "(no fatal)");
  EXPECT_FLOAT_EQ(afl.cdneg[4][0][0][30], -0.005f);
  for (auto row : {std::pair<std::string, std::string>{"3.0", "3.0 -0.00500"},
                   {"-15.0", "-15.0 -1.3 -0.00500"}, {"-3.0", "-3.0 -0.01100"}}) {
    std::filesystem::copy_file(orig, foil("N2412_Re3.afl"), std::filesystem::copy_options::overwrite_existing);
    set_foil_row("N2412_Re3.afl", row.first, row.second);
    std::string text = load_fatal(a);
    EXPECT_TRUE(contains(text, "negative drag")) << row.second << ": " << text;
  }
}

TEST_F(BrokenTest, ReynoldsNumbersMustBeAMillionApart) {
  // The wing interpolates between its 3 and 6 million files.
  set_foil_line("N2412_Re6.afl", 3, "NACA2412 0.12 3.98 0.0 19.25 header");
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "similar Reynolds numbers")) << text;
  set_foil_line("N2412_Re6.afl", 3, "NACA2412 0.12 4.0 0.0 19.25 header");
  EXPECT_EQ(load_fatal(a), "(no fatal)");
  EXPECT_FLOAT_EQ(pln.Re[5][0][1], 4.0f);
}

TEST_F(BrokenTest, LiftSlopeAndStallAngleMustBePositive) {
  std::string orig = foil("N0012_Re3.afl") + ".orig";
  std::filesystem::copy_file(foil("N0012_Re3.afl"), orig);
  // Index 276 holds clM: five header lines and 271 negative-side rows come first.
  set_foil_line("N0012_Re3.afl", 276, "0 clM lift slope per degree");
  EXPECT_TRUE(contains(load_fatal(a), "lift slope of zero")) << load_fatal(a);
  std::filesystem::copy_file(orig, foil("N0012_Re3.afl"), std::filesystem::copy_options::overwrite_existing);
  set_foil_line("N0012_Re3.afl", 3, "NACA0012 0.12 3.0 0.0 0 header");
  EXPECT_TRUE(contains(load_fatal(a), "stalling angle of zero or less"));
  set_foil_line("N0012_Re3.afl", 3, "NACA0012 0.12 3.0");
  EXPECT_TRUE(contains(load_fatal(a), "File-scanning error!"));
}

TEST_F(BrokenTest, TruncatedAirfoilEndsWithAScanningError) {
  auto lines = read_lines(foil("N4415_Re1.afl"));
  lines.resize(400);
  write_lines(foil("N4415_Re1.afl"), lines);
  std::string text = load_fatal(a);
  EXPECT_TRUE(contains(text, "File-scanning error!")) << text;
  EXPECT_TRUE(contains(text, "N4415_Re1.afl")) << text;
  EXPECT_EQ(fatal_status, 1);
}

}  // namespace
