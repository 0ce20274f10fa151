// The headless runner's flight options: an air start, trimmed, and the CSV.
#include <gtest/gtest.h>
#include "tests/support/run_runner.h"
#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {
using runner_test::run;
using runner_test::run_result;
using runner_test::read_csv;

int column(const std::vector<std::string>& header, const std::string& name) {
  int i = runner_test::column_of(header, name);
  if (i < 0) ADD_FAILURE() << "no column " << name;
  return i < 0 ? 0 : i;
}

TEST(Runner, AirStartTrimsAndTheCsvHoldsTheGlide) {
  std::string csv = std::string(TARVEL_BUILD_DIR) + "/runner-glide-" + std::to_string(getpid()) + ".csv";
  run_result r = run("--airport KBFL --start-air 5000,90,270 --frames 1200 --csv " + csv + " --csv-every 2");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("trim: found"), std::string::npos) << r.out;
  auto rows = read_csv(csv);
  ASSERT_EQ(rows.size(), 1u + 1 + 30);  // header, the start, then every 2 s of 60 s
  const auto& h = rows[0];
  for (const char* name : {"time_s", "height_ft", "tas_kt", "ias_kt", "pitch_deg", "roll_deg", "alpha_deg", "beta_deg",
                           "load_factor", "fnrml_aero_n", "pitch_moment_nm"})
    column(h, name);
  int t = column(h, "time_s"), ht = column(h, "height_ft"), ias = column(h, "ias_kt"), psi = column(h, "heading_deg");
  int nz = column(h, "load_factor");
  for (size_t i = 1; i < rows.size(); i++) {
    ASSERT_EQ(rows[i].size(), h.size()) << i;
    for (const auto& c : rows[i]) ASSERT_FALSE(c.empty()) << "row " << i;  // never a NaN left out
    EXPECT_NEAR(std::stod(rows[i][ias]), 90, 5) << i;
    EXPECT_NEAR(std::stod(rows[i][psi]), 270, 3) << i;
    EXPECT_NEAR(std::stod(rows[i][nz]), 1, 0.05) << i;
    if (i > 1) {
      EXPECT_NEAR(std::stod(rows[i][t]) - std::stod(rows[i - 1][t]), 2, 0.06) << i;
      EXPECT_LT(std::stod(rows[i][ht]), std::stod(rows[i - 1][ht])) << i;  // gliding down
    }
  }
  EXPECT_NEAR(std::stod(rows[1][ht]), 5000, 1);
  std::remove(csv.c_str());
}

TEST(Runner, BadFlightOptionsAreRefused) {
  for (const char* bad : {"--start-air 5000,90", "--start-air 5000,-3,0", "--start-air a,b,c", "--csv-every -1",
                          "--csv-every x", "--csv"}) {
    run_result r = run(std::string(bad) + " --frames 1");
    EXPECT_EQ(r.status, 2) << bad << "\n" << r.out;
  }
  run_result r = run("--frames 1 --csv /nonexistent-folder/x.csv");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("cannot write"), std::string::npos);
}

TEST(Runner, HelpNamesTheFlightOptions) {
  run_result r = run("--help");
  EXPECT_EQ(r.status, 0);
  for (const char* o : {"--start-air FEET,KNOTS,HEADING", "--csv PATH", "--csv-every SECONDS"})
    EXPECT_NE(r.out.find(o), std::string::npos) << o;
}

}  // namespace
