// Start commands the menus never send, sent from a script: out of range they
// end the program with their numbered message.
#include <gtest/gtest.h>
#include <fstream>
#include "tests/shell/runner_fixture.h"

using namespace runner_test;

namespace {

run_result run_command(const home& h, const char* command) {
  return run_with_script(h, "--frames 6", std::string("3 menu ") + command + "\n");
}

TEST(MenuCommands, StartCommandsOutOfRangeEndTheProgramWithTheirNumber) {
  home h("commands");
  const struct {
    const char* command;
    const char* message;
  } cases[] = {
      {"1723", "rway_sel out of range!\n22\n"},   // entry 2, runway item 23
      {"1500", "rway_sel out of range!\n-1\n"},   // entry 0, no runway item 0
      {"1599", "rway_sel out of range!\n98\n"},
      {"8401", "Apt sel out of range!\n69\n"},    // the 70th entry: the region lists fewer
      {"22401", "Apt sel out of range!\n69\n"},
  };
  for (const auto& c : cases) {
    run_result r = run_command(h, c.command);
    EXPECT_EQ(r.status, 1) << c.command << "\n" << r.out;
    EXPECT_NE(r.out.find(c.message), std::string::npos) << c.command << "\n" << r.out;
  }
  // The first runway item of the first airport is a takeoff.
  run_result r = run_command(h, "1501");
  EXPECT_EQ(r.status, 0) << r.out;
}

}  // namespace
