// Entry fields: what a click at each place does to the value, and where the
// field paints itself.
#include <cmath>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "tests/basekit/raster_fixture.h"

struct FieldTest : RasterTest {
  int mx = 0, my = 0, down = 0;
  void SetUp() override {
    RasterTest::SetUp();
    hok.mouse = {&mx, &my, &down};
    lock_surface(320, 200, 0);
  }
  void TearDown() override {
    hok.mouse = {};
    RasterTest::TearDown();
  }
  void press(int x, int y) { mx = x, my = y, down = 1; }
  uint8_t at(int x, int y) {
    int r;
    return gworld_pixels(0, &r, nullptr, nullptr)[y * r + x];
  }
  // Whether the 5 x 7 cell at (x, y) shows character c in color.
  bool shows(int x, int y, char c, int color) {
    const uint8_t* g = font_glyph(c);
    for (int r = 0; r < 7; r++)
      for (int k = 0; k < 5; k++)
        if (((g[r] & (0x10 >> k)) != 0) != (at(x + k, y + r) == color)) return false;
    return true;
  }
};

TEST_F(FieldTest, DigitColumnsAddInTheUpperHalfAndSubtractInTheLower) {
  float v = 50.0f;
  const float place[3] = {10, 1, 0.1f};
  for (int k = 0; k < 3; k++) {
    press(20 + 10 * k + 9, 30 + 16);  // last pixel of the upper half
    EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 1);
    EXPECT_FLOAT_EQ(v, 50.0f + place[k]);
    press(20 + 10 * k, 30 + 17);
    EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 1);
    EXPECT_FLOAT_EQ(v, 50.0f);
  }
  // Beside the columns, below them, button up, no mouse hooked: nothing, not even paint.
  MACIBM_settogworld(0, 320, 200, 0);
  for (int p : {5035, 2565, 1935}) {
    press(p / 100, p % 100);
    EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 0);
  }
  down = 0;
  EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 0);
  hok.mouse = {};
  EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 0);
  EXPECT_EQ(surface().find_first_not_of(".\n"), std::string::npos);
}

TEST_F(FieldTest, NumberFieldStaysWithinWhatItShowsAndOnItsGrid) {
  float v = 95.5f;
  press(25, 35);  // +10
  EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 1);
  EXPECT_FLOAT_EQ(v, 99.9f);
  EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 0, 0), 0);  // already at the top
  EXPECT_EQ(instdbtn(1, 20, 30, &v, 3, 1, 1, 0), 1);  // unless a redraw is asked
  v = 4.5f;
  press(25, 50);  // -10: held at zero unsigned, at -99.9 signed
  instdbtn(1, 20, 30, &v, 3, 1, 0, 0);
  EXPECT_EQ(v, 0.0f);
  for (int i = 0; i < 12; i++) instdbtn(1, 20, 30, &v, 3, 1, 0, 1);
  EXPECT_FLOAT_EQ(v, -99.9f);
  // Explicit limits, and the digits' own limit when those are wider.
  v = 12;
  instdbtn_range(1, 20, 30, &v, 3, 0, 0, 5, 20);
  EXPECT_EQ(v, 5.0f);
  v = 18;
  press(25, 35);
  instdbtn_range(1, 20, 30, &v, 3, 0, 0, 5, 20);
  EXPECT_EQ(v, 20.0f);
  v = 995;
  instdbtn_range(1, 20, 30, &v, 3, 0, 0, -50, 2000);
  EXPECT_EQ(v, 999.0f);
  // A hundred tenths are ten, fifty ten-thousandths of a latitude exact.
  float t = 0, lat = 34.1234f;
  press(45, 35);
  for (int i = 0; i < 100; i++) instdbtn(1, 20, 30, &t, 3, 1, 0, 0);
  EXPECT_EQ(t, 10.0f);
  press(75, 35);
  for (int i = 0; i < 50; i++) instdbtn(1, 20, 30, &lat, 6, 4, 0, 0);
  EXPECT_EQ(lat, 34.1284f);
  t = NAN;  // a spoilt value comes back within the field
  press(45, 35);
  instdbtn(1, 20, 30, &t, 3, 1, 0, 0);
  EXPECT_EQ(t, 0.0f);
}

TEST_F(FieldTest, CharacterSpinnersStopAtBlankAndZ) {
  char id[5] = "BZ";
  press(5, 10);  // upper half of the first column: back
  EXPECT_EQ(in4charbtn(1, 0, 0, id, 0), 1);
  EXPECT_STREQ(id, "AZ");
  in4charbtn(1, 0, 0, id, 0);
  EXPECT_STREQ(id, "9Z");
  press(15, 20);  // lower half of the second: on, but "Z" is the end
  EXPECT_EQ(in4charbtn(1, 0, 0, id, 0), 0);
  EXPECT_STREQ(id, "9Z");
  press(35, 10);  // back from blank past the end: still blank
  EXPECT_EQ(in4charbtn(1, 0, 0, id, 0), 0);
  EXPECT_STREQ(id, "9Z");
  press(35, 20);  // on from blank: "0", the gap filled with a blank
  EXPECT_EQ(in4charbtn(1, 0, 0, id, 0), 1);
  EXPECT_STREQ(id, "9Z 0");
  EXPECT_TRUE(shows(2, 14, '9', 1));
  EXPECT_TRUE(shows(32, 14, '0', 1));
  char lower[5] = "ksfo";
  press(5, 20);  // a lower-case letter spins on from itself, not from blank
  in4charbtn(1, 0, 0, lower, 0);
  EXPECT_STREQ(lower, "Lsfo");
}

TEST_F(FieldTest, OptionCyclersWrapAndShowTheChoice) {
  int two = 0, three = 1, eight = 8;
  press(70, 45);  // the lower button of a cycler at (40, 40) with offset 30: on
  EXPECT_EQ(in2textbtn(40, 40, "A", "-", 30, 60, &two, 0), 1);
  EXPECT_EQ(two, 1);
  EXPECT_TRUE(shows(40, 33, '-', 12));
  in2textbtn(40, 40, "A", "-", 30, 60, &two, 0);
  EXPECT_EQ(two, 0);
  EXPECT_TRUE(shows(40, 33, 'A', 12));
  in8textbtn(40, 40, "1", "2", "3", "4", "5", "6", "7", "8", 30, 60, &eight, 0);
  EXPECT_EQ(eight, 1);
  press(84, 20);  // the upper button: back
  in3textbtn(40, 40, "X", "Y", "Z", 30, 60, &three, 0);
  EXPECT_EQ(three, 3);
  EXPECT_TRUE(shows(40, 33, 'Z', 12));
  press(85, 30);  // beside the buttons
  EXPECT_EQ(in3textbtn(40, 40, "X", "Y", "Z", 30, 60, &three, 0), 0);
  EXPECT_EQ(three, 3);
  int stray = 9;  // a choice out of range shows no text and is left alone
  EXPECT_EQ(in3textbtn(40, 40, "X", "Y", "Z", 30, 60, &stray, 1), 1);
  EXPECT_TRUE(shows(40, 33, ' ', 12));
  EXPECT_EQ(stray, 9);
}

TEST_F(FieldTest, BoxesToggleAndRadioButtonsSelect) {
  int flag = 0, var = 1;
  press(8, 8);  // the corner of the check box at (10, 10)
  EXPECT_EQ(inboolbtn(10, 10, &flag), 1);
  EXPECT_EQ(flag, 1);
  press(20, 20);
  EXPECT_EQ(inboolbtn(10, 10, &flag), 0);
  EXPECT_EQ(flag, 1);
  EXPECT_EQ(inonebool(40, 10, &var, 2), 0);  // not on it
  press(49, 19);
  EXPECT_EQ(inonebool(40, 10, &var, 2), 1);
  EXPECT_EQ(var, 2);
  EXPECT_EQ(inonebool(40, 10, &var, 2), 0);  // already chosen
}

TEST_F(FieldTest, NameListMovesByItsClickZonesAndWraps) {
  char names[12][APT_NAME_DIM] = {}, ids[12][APT_ID_DIM] = {};
  for (int i = 0; i < 12; i++) names[i][0] = ids[i][0] = (char)('A' + i);
  const int zone_y[] = {-27, 3, 13, 23, 33, 43, 53, 63, 73, 102, -28, 103};
  const int step[] = {-10, -3, -2, -1, 0, 1, 2, 3, 10, 10, 0, 0};
  for (int z = 0; z < 12; z++) {
    int index = 5;
    press(40, 60 + zone_y[z]);
    EXPECT_EQ(plot_name_list(30, 60, names, ids, &index, 2, 9, 1), step[z] != 0) << z;
    EXPECT_EQ(index, 2 + ((5 + step[z] - 2) % 8 + 8) % 8) << z;
  }
  int index = 5;
  press(299, 100);  // past the right edge
  EXPECT_EQ(plot_name_list(30, 60, names, ids, &index, 2, 9, 1), 0);
  index = 1;
  press(40, 140);  // +10 among three entries
  plot_name_list(30, 60, names, ids, &index, 0, 2, 1);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(plot_name_list(30, 60, names, ids, &index, 5, 4, 1), 0);  // an empty kind
  EXPECT_EQ(index, 2);
  // Index 2 of 2..9: the rows show H, I, J (wrapped), C framed, then D, E, F.
  index = 2;
  plot_name_list(30, 60, names, ids, &index, 2, 9, 0);
  const char row_char[7] = {'H', 'I', 'J', 'C', 'D', 'E', 'F'};
  const int row_color[7] = {14, 13, 12, 12, 12, 13, 14};
  for (int r = 0; r < 7; r++) {
    EXPECT_TRUE(shows(33, 65 + 10 * r, row_char[r], row_color[r])) << r;
    EXPECT_TRUE(shows(266, 65 + 10 * r, row_char[r], row_color[r])) << r;  // its identifier
  }
}
