// Windows, menus, alerts and exit of the window layer, on the dummy video driver.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <fstream>
#include <string>
#include <vector>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"

namespace {
struct seen_message {
  int index, message;
  long wparam, lparam;
};
std::vector<seen_message> seen;
std::vector<int> zapped;

void test_proc(int wind, int message, long wparam, long lparam) {
  int index = win_to_index(wind);
  seen.push_back({index, message, wparam, lparam});
  if (message == WM_DESTROY) MACIBM_handlezap(index);
}
void test_zap(int index) { zapped.push_back(index); }

class WindowLayer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    hok = hookstruct{};
    hok.window_proc = test_proc;
    hok.process_zap = test_zap;
    hok.program_folder = "tarvel-test";
    ASSERT_EQ(MACIBM_init("Test", 800, 580, 6), 1);
  }
  void SetUp() override {
    seen.clear();
    zapped.clear();
    desk_answer_clear();
    desk_alert_record_clear();
    desk_pump();
    seen.clear();
  }
  // The left button at (x, y) on the screen, pressed (and let go), then the events pumped.
  static void press(int x, int y, bool release = true) {
    plat_event e{};
    e.type = PLAT_EV_BUTTONDOWN;
    e.button = 1;
    e.x = x;
    e.y = y;
    plat_inject_event(&e);
    e.type = PLAT_EV_BUTTONUP;
    if (release) plat_inject_event(&e);
    desk_pump();
  }
  static void key(int k, int mods = 0) {
    plat_event e{};
    e.type = PLAT_EV_KEYDOWN;
    e.key = k;
    e.mods = mods;
    plat_inject_event(&e);
  }
};

TEST_F(WindowLayer, WindowsAreCentredAndTheMainOneFillsTheScreenUnderTheMenuBar) {
  set_win_params(5, "Five", 200, 100, WIN_TYPE_SETTINGS);
  EXPECT_EQ(mnw.x[5], 300);
  EXPECT_EQ(mnw.y[5], 250);
  ASSERT_TRUE(mnw.up[0]);
  int x, y, dx, dy;
  ASSERT_TRUE(desk_window_client_rect(mnw.wind[0], &x, &y, &dx, &dy));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, DESK_MENUBAR_H);
  EXPECT_EQ(dx, 800);
  EXPECT_EQ(dy, 580);
}

TEST_F(WindowLayer, SettingsWindowOpensPaintsAndClosesThroughItsDestroyMessage) {
  set_win_params(9, "Set Time Of Day", 183, 128, WIN_TYPE_SETTINGS);
  MACIBM_startwind(9, 1);
  ASSERT_TRUE(mnw.up[9]);
  EXPECT_EQ(mnw.dragging_index, 9);
  // Drawing now goes to the new window's own pixels.
  ASSERT_NE(active_dc, nullptr);
  EXPECT_EQ(active_dc->dx, 183);
  EXPECT_EQ(active_dc->dy, 128);
  EXPECT_EQ(wrc.right - wrc.left, 183);
  desk_pump();
  bool painted = false;
  for (const seen_message& m : seen) painted |= m.index == 9 && m.message == WM_PAINT;
  EXPECT_TRUE(painted);
  EXPECT_EQ(win_to_index(mnw.wind[9]), 9);
  MACIBM_killwind(9);
  EXPECT_FALSE(mnw.up[9]);
  ASSERT_EQ(zapped.size(), 1u);
  EXPECT_EQ(zapped[0], 9);
  // A handle that belongs to no open window is the main window.
  EXPECT_EQ(win_to_index(987654), 0);
}

TEST_F(WindowLayer, CloseBoxClickDestroysTheWindow) {
  set_win_params(12, "Set Weather Ground", 197, 148, WIN_TYPE_SETTINGS);
  MACIBM_startwind(12, 1);
  int x, y, dx, dy;
  ASSERT_TRUE(desk_window_client_rect(mnw.wind[12], &x, &y, &dx, &dy));
  press(x + dx - 10, y - 10);  // the close box sits at the right of the caption
  EXPECT_FALSE(mnw.up[12]);
  ASSERT_EQ(zapped.size(), 1u);
  EXPECT_EQ(zapped[0], 12);
}

TEST_F(WindowLayer, ClicksArriveInClientCoordinatesOfTheFrontWindow) {
  set_win_params(10, "Set Weather Space", 197, 84, WIN_TYPE_SETTINGS);
  MACIBM_startwind(10, 1);
  int x, y, dx, dy;
  desk_window_client_rect(mnw.wind[10], &x, &y, &dx, &dy);
  desk_pump();
  seen.clear();
  press(x + 17, y + 5, false);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().index, 10);
  EXPECT_EQ(seen.back().message, WM_LBUTTONDOWN);
  EXPECT_EQ(seen.back().lparam & 0xFFFF, 17);
  EXPECT_EQ(seen.back().lparam >> 16, 5);
  press(x + 17, y + 5);
  // Outside window 10, the click reaches the main window.
  seen.clear();
  press(5, 590);
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0].index, 0);
  EXPECT_EQ(seen[0].lparam >> 16, 590 - DESK_MENUBAR_H);
  MACIBM_killwind(10);
}

TEST_F(WindowLayer, MenuItemsGetColumnsChecksAndGreying) {
  MACIBM_create_menu(30, "Tests");
  for (int item = 3001; item <= 3030; item++) MACIBM_append_menu(30, item, -1, "Item");
  // 3025 is a multiple of 25 and starts the second column; 3024 does not.
  EXPECT_EQ(desk_menu_item_column(30, 23), 0);
  EXPECT_EQ(desk_menu_item_column(30, 24), 1);
  MACIBM_check_menu(30, 3002, 1);
  MACIBM_gray_menu(30, 3003, 0);
  EXPECT_TRUE(desk_menu_checked(30, 3002));
  EXPECT_FALSE(desk_menu_checked(30, 3001));
  EXPECT_FALSE(desk_menu_enabled(30, 3003));
  EXPECT_TRUE(desk_menu_enabled(30, 3002));
  MACIBM_delete_menu_item(30, 3001);
  EXPECT_EQ(desk_menu_item_id(30, 0), 3002);
  MACIBM_delete_menu(30);
  EXPECT_FALSE(desk_menu_exists(30));
}

TEST_F(WindowLayer, ChoosingAnItemSendsItsCommandAndGreyedItemsSendNothing) {
  MACIBM_create_menu(31, "Go");
  MACIBM_append_menu(31, 3101, 0, "Alpha");
  MACIBM_append_menu(31, 3102, -1, "-");
  MACIBM_append_menu(31, 3103, 1, "Bravo");
  MACIBM_gray_menu(31, 3101, 0);
  auto command_sent = []() {
    for (const seen_message& m : seen)
      if (m.message == WM_COMMAND) return (int)m.wparam;
    return 0;
  };
  // Keyboard: Alt + the title's first letter, then the item's mnemonic.
  key('g', PLAT_MOD_ALT);
  key('r');  // "Bravo": the mnemonic is its second letter
  desk_pump();
  EXPECT_EQ(command_sent(), 3103);
  EXPECT_FALSE(desk_menu_is_open());
  seen.clear();
  desk_menu_open(31);
  key('a');  // greyed
  desk_pump();
  EXPECT_EQ(command_sent(), 0);
  EXPECT_TRUE(desk_menu_is_open());
  key(KEY_ESCAPE);
  desk_pump();
  EXPECT_FALSE(desk_menu_is_open());
  MACIBM_delete_menu(31);
}

TEST_F(WindowLayer, SubmenusHangOffTheirItem) {
  MACIBM_create_menu(32, "Location");
  MACIBM_create_submenu(32, 33, 3201, "Takeoff");
  MACIBM_append_menu(33, 1501, -1, "KSBD 06");
  EXPECT_EQ(desk_menu_item_submenu(32, 0), 33);
  EXPECT_STREQ(desk_menu_item_text(32, 0), "Takeoff");
  EXPECT_STREQ(desk_menu_item_text(33, 0), "KSBD 06");
  MACIBM_delete_menu(33);
  EXPECT_EQ(desk_menu_item_count(32), 0);
  MACIBM_delete_menu(32);
}

TEST_F(WindowLayer, AlertIsRecordedLineByLineAndAnsweredFromTheQueue) {
  static int stops, restarts;
  stops = restarts = 0;
  hok.stop_sounds = [] { stops++; };
  hok.restart_sounds = [] { restarts++; };
  desk_answer_push_button(0);
  MACIBM_alert("First line.", "Second line.", "", "Fourth", 0);
  hok.stop_sounds = nullptr;
  hok.restart_sounds = nullptr;
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_STREQ(desk_alert_text(0), "First line.\nSecond line.\n\nFourth");
  EXPECT_EQ(desk_answers_pending(), 0);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(restarts, 1);
}

TEST_F(WindowLayer, FileDialogRefusesAPathLongerThanTheCallersBuffer) {
  char small[8], name[STR_DIM];
  desk_answer_push_path("/a/very/long/path/name.sit");
  EXPECT_EQ(desk_file_dialog(1, "/tmp", "sit", "", small, sizeof small, name, STR_DIM), 0);
}

using WindowLayerDeath = WindowLayer;

// Every window and menu call checks its number the same way: one of each.
TEST_F(WindowLayerDeath, OutOfRangeWindowAndMenuNumbersEndTheProgramWithTheirMessages) {
  EXPECT_EXIT(set_win_params(62, "x", 10, 10, 8), ::testing::ExitedWithCode(1), "set_win_params out of bounds");
  EXPECT_EXIT(MACIBM_startwind(-4, 1), ::testing::ExitedWithCode(1), "MACIBM_startwind out of bounds");
  EXPECT_EXIT(MACIBM_create_menu(235, "x"), ::testing::ExitedWithCode(1), "Menu index out of range in create_menu!");
  EXPECT_EXIT(MACIBM_append_menu(0, 1, -1, "x"), ::testing::ExitedWithCode(1), "Menu index must be 1->235!");
}

std::string read_file(const char* path) {
  std::ifstream in(path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Tests run side by side: each gets its own preferences file.
void own_prefs_path(const char* name) {
  std::snprintf(prefs_path, sizeof prefs_path, "%s/%s-%d.prf", TARVEL_BUILD_DIR, name, (int)getpid());
}

TEST_F(WindowLayerDeath, FatalExitSpoilsThePreferencesAndEndsWithAnError) {
  own_prefs_path("spoil");
  hok.spoil_prefs_on_fatal = 1;
  EXPECT_EXIT(
      {
        std::FILE* f = std::fopen(prefs_path, "w");
        std::fputs("I\n38 version\n", f);
        std::fclose(f);
        MACIBM_exitalert("Something broke.", "", "", "");
      },
      ::testing::ExitedWithCode(1), "Something broke.");
  EXPECT_EQ(read_file(prefs_path), "I\n-1 version\nz\nz\nz\nz\nz\nSomething broke. \n");
  std::string bak = std::string(prefs_path) + ".bak";
  EXPECT_EQ(read_file(bak.c_str()), "I\n38 version\n");
  std::remove(prefs_path);
  std::remove(bak.c_str());
}

TEST_F(WindowLayerDeath, OrderlyExitEndsWithZeroAndLeavesThePreferences) {
  own_prefs_path("keep");
  hok.spoil_prefs_on_fatal = 1;
  std::FILE* f = std::fopen(prefs_path, "w");
  std::fputs("I\n38 version\nwritten by quit\n", f);
  std::fclose(f);
  EXPECT_EXIT(MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(read_file(prefs_path), "I\n38 version\nwritten by quit\n");
  std::remove(prefs_path);
}

TEST_F(WindowLayerDeath, AFailingCloseActionDuringExitEndsAtOnce) {
  // The exit steps fail fatally themselves: the program must end, not loop.
  EXPECT_EXIT(
      {
        hok.before_exit = [](int) { MACIBM_exitalert("Close action failed.", "", "", ""); };
        MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
      },
      ::testing::ExitedWithCode(1), "");
}
}  // namespace

namespace {
TEST_F(WindowLayer, ComposedScreenShowsTheMenuBarAndEachWindowsPixelsInOrder) {
  MACIBM_create_menu(40, "Zed");
  MACIBM_startwind(0, 0);
  for (int i = 0; i < active_dc->dx * active_dc->dy; i++) active_dc->pix[i] = 0;
  active_dc->pix[0] = 77;  // client (0, 0) of the main window
  set_win_params(13, "Set Weather Water", 197, 271, WIN_TYPE_SETTINGS);
  MACIBM_startwind(13, 1);
  active_dc->pix[5 * active_dc->row + 7] = 99;
  int x, y, dx, dy;
  desk_window_client_rect(mnw.wind[13], &x, &y, &dx, &dy);
  desk_compose();
  const uint8_t* s = plat_screen();
  EXPECT_EQ(s[DESK_MENUBAR_H * PLAT_SCREEN_W + 0], 77);
  EXPECT_EQ(s[(y + 5) * PLAT_SCREEN_W + x + 7], 99);
  // The caption bar of the front window is drawn above its client area, the
  // menu bar across the top.
  EXPECT_NE(s[(y - 10) * PLAT_SCREEN_W + x + 100], s[(y + 10) * PLAT_SCREEN_W + x + 100]);
  EXPECT_NE(s[5 * PLAT_SCREEN_W + 790], 0);
  MACIBM_killwind(13);
  desk_compose();
  EXPECT_EQ(s[(y + 5) * PLAT_SCREEN_W + x + 7], 0);  // gone with its window
  MACIBM_delete_menu(40);
}
}  // namespace
