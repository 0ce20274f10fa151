// Panel glyphs: digit cells, seven-segment read-outs, numbers and the font,
// pixel for pixel against hand-made pictures.
#include "basekit/bk_btn.h"
#include "tests/basekit/raster_fixture.h"

typedef RasterTest GlyphTest;

// ---------------------------------------------------------------- digit cells

TEST_F(GlyphTest, ErasingDigitRemovesTheOneUnderIt) {
  lock_surface(4, 5);
  ADD_s_8ne(0, 0, 1);
  ADD_s_1e(0, 0, 1, 2);
  EXPECT_EQ(surface(), rows({"222#",
                             "2..#",
                             "222#",
                             "2..#",
                             "222#"}));
  // Without erasing, the eight stays.
  ADD_s_8ne(0, 0, 1);
  ADD_s_1ne(0, 0, 1);
  EXPECT_EQ(surface(), rows({"####", "#..#", "####", "#..#", "####"}));
}

TEST_F(GlyphTest, CellsAndFontNeedALockedSurface) {
  const std::string not_locked = "Attempted ADD_call when not locked to off-screen surf!\n";
  EXPECT_EQ(fatal_text([] { ADD_s_3e(0, 0, 1, 2); }), not_locked + "(final digit-drawing)\n\n");
  EXPECT_EQ(fatal_text([] { ADD_b_9ne(0, 0, 1); }), not_locked + "(final digit-drawing)\n\n");
  EXPECT_EQ(fatal_text([] { plot_letter(0, 0, 1, 0, 'K'); }), not_locked + "(GPS ID letter-drawing)\n\n");
}

TEST_F(GlyphTest, ThreeDigitPainterShowsLeadingZeros) {
  lock_surface(16, 5);
  ADD_se(0, 0, 7, 1, 2);
  EXPECT_EQ(surface(), rows({"####..####..####",
                             "#..#..#..#..2..#",
                             "#22#..#22#..222#",
                             "#..#..#..#..2..#",
                             "####..####..222#"}));
  // Values are limited to 0..999.
  MACIBM_settogworld(0, 16, 5, 0);
  ADD_se(0, 0, 999, 1, 2);
  std::string nines = surface();
  MACIBM_settogworld(0, 16, 5, 0);
  ADD_se(0, 0, 4321, 1, 2);
  EXPECT_EQ(surface(), nines);
  MACIBM_settogworld(0, 16, 5, 0);
  ADD_sne(0, 0, -5, 1);
  std::string below = surface();
  MACIBM_settogworld(0, 16, 5, 0);
  ADD_sne(0, 0, 0, 1);
  EXPECT_EQ(surface(), below);
}

TEST_F(GlyphTest, ThreeDigitPainterWithoutALockGoesThroughSurfaceThree) {
  make_window(18, 6, 5);
  ADD_sne(1, 1, 42, 1);  // colour-keyed: the window shows between the segments
  EXPECT_EQ(window_picture(), rows({"555555555555555555",
                                    "5####55#55#55####5",
                                    "5#55#55#55#55555#5",
                                    "5#55#55####55####5",
                                    "5#55#55555#55#5555",
                                    "5####55555#55####5"}));
  make_window(18, 6, 5);
  ADD_se(1, 1, 42, 1, 2);  // two colours: the whole 16 x 5 strip
  EXPECT_EQ(window_picture(), rows({"555555555555555555",
                                    "5####22#22#22####5",
                                    "5#22#22#22#22222#5",
                                    "5#22#22####22####5",
                                    "5#22#22222#22#2225",
                                    "5####22222#22####5"}));
  EXPECT_EQ(locked, 0);
  EXPECT_EQ(gw_inuse[2], 0);
}

// ---------------------------------------------------------------- seven-segment read-outs

TEST_F(GlyphTest, DigitSegmentsAreLinesWithoutTheirEndPoints) {
  lock_surface(5, 8);
  digit(0, 0, 3, 1, 4, 0);
  EXPECT_EQ(surface(), rows({"#..#.",
                             "#..#.",
                             "#..#.",
                             "####.",
                             "...#.",
                             "...#.",
                             ".....",
                             "....."}));
  MACIBM_settogworld(0, 5, 8, 0);
  digit(0, 0, 3, 1, 10, 0);  // minus
  EXPECT_EQ(surface(), rows({".....", ".....", ".....", "###..", ".....", ".....", ".....", "....."}));
}

TEST_F(GlyphTest, ErasingReadoutPaintsUnlitSegmentsBlack) {
  lock_surface(3, 5);
  digit(0, 0, 2, 1, 1, 1);
  EXPECT_EQ(surface(), rows({"kk#",
                             "k.#",
                             "kk#",
                             "k.#",
                             "kk."}));
  lightleds(0, 0, 2, 1, 0, 0, 0, 0, 0, 0, 0, 1);  // all off, erased
  EXPECT_EQ(surface(), rows({"kkk", "k.k", "kkk", "k.k", "kk."}));
}

TEST_F(GlyphTest, IntnumShowsSevenAsZeroZeroSeven) {
  lock_surface(12, 5);
  intnum(0, 0, 7, 3, 1, 2, 1, 0);
  EXPECT_EQ(surface(), rows({"###.###.###.",
                             "#.#.#.#...#.",
                             "#.#.#.#...#.",
                             "#.#.#.#...#.",
                             "##..##......"}));
  MACIBM_settogworld(0, 12, 5, 0);
  intnum(0, 0, 12007, 3, 1, 2, 1, 0);  // the last three digits
  std::string last3 = surface();
  MACIBM_settogworld(0, 12, 5, 0);
  intnum(0, 0, 7, 3, 1, 2, 1, 0);
  EXPECT_EQ(surface(), last3);
}

TEST_F(GlyphTest, IntnumInTheFontSitsCloserAroundAOne) {
  lock_surface(14, 7);
  intnum(0, 0, 101, 3, 1, -1, 0, 0);  // "1" at 0, "0" at 4, "1" at 8
  EXPECT_EQ(surface(), rows({"..#..###..#...",
                             ".##.#...###...",
                             "..#.#..##.#...",
                             "..#.#.#.#.#...",
                             "..#.##..#.#...",
                             "..#.#...#.#...",
                             "..#..###..#..."}));
}

TEST_F(GlyphTest, FltnumTruncatesAndPlacesThePoint) {
  const std::string expected = rows({"kk#.###...###",
                                     "k.#.k.#...k.#",
                                     "kk#.##k...###",
                                     "k.#.#.k##.k.#",
                                     "kk..##.##.##."});
  lock_surface(13, 5);
  fltnum(0, 0, 12.34f, 3, 1, 1, 2, 0, 1);
  EXPECT_EQ(surface(), expected);
  MACIBM_settogworld(0, 13, 5, 0);
  fltnum(0, 0, 12.39f, 3, 1, 1, 2, 0, 1);  // 12.3, not 12.4
  EXPECT_EQ(surface(), expected);
}

TEST_F(GlyphTest, FltnumKeepsTheLastDigitOfDecimalFrequencies) {
  // 110.35 in a float is 110.349998...: it must still read 110.35.
  lock_surface(24, 5, 0, 0);
  fltnum(0, 0, 110.35f, 5, 2, 1, 2, 0, 1);
  lock_surface(24, 5, 0, 1);
  const int xs[5] = {0, 4, 8, 14, 18}, ds[5] = {1, 1, 0, 3, 5};
  for (int k = 0; k < 5; k++) digit(xs[k], 0, 2, 1, ds[k], 1);
  MACIBM_fillrect(1, 11, 3, 1, 1);
  EXPECT_EQ(surface(0), surface(1));
}

TEST_F(GlyphTest, FltnumSignIsLitOnlyForNegativeValues) {
  lock_surface(16, 5);
  fltnum(6, 0, -1.5f, 2, 1, 1, 2, 1, 1);
  std::string negative = surface();
  EXPECT_EQ(negative.substr(2 * 17 + 2, 2), "##");
  fltnum(6, 0, 1.5f, 2, 1, 1, 2, 1, 1);
  std::string positive = surface();
  EXPECT_EQ(positive.substr(2 * 17 + 2, 2), "kk");
  // The digits are those of 1.5 either way.
  EXPECT_EQ(negative.size(), positive.size());
  for (size_t i = 0; i < negative.size(); i += 17) EXPECT_EQ(negative.substr(i + 6, 10), positive.substr(i + 6, 10));
}

// ---------------------------------------------------------------- the font

TEST_F(GlyphTest, LettersAreFiveBySevenAndEraseTheirCell) {
  lock_surface(5, 7, 3);
  plot_letter(0, 0, 1, 1, 'g');
  const std::string g = rows({"kkkkk", "k####", "#kkk#", "#kkk#", "k####", "kkkk#", "k###k"});
  EXPECT_EQ(surface(), g);
  plot_letter(0, 0, 1, 0, '~');  // not in the font: nothing
  plot_letter(0, 0, 1, 0, '\xe9');
  EXPECT_EQ(surface(), g);
  plot_letter(0, 0, 1, 1, ' ');  // blank, erased
  EXPECT_EQ(surface(), rows({"kkkkk", "kkkkk", "kkkkk", "kkkkk", "kkkkk", "kkkkk", "kkkkk"}));
  plot_number(0, 0, 1, 0, 7);
  std::string seven = surface();
  plot_letter(0, 0, 1, 1, '7');
  EXPECT_EQ(surface(), seven);
  EXPECT_NE(seven.find('#'), std::string::npos);
}

TEST_F(GlyphTest, FontCoversItsCharacterSet) {
  const char* defined = " '0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz:.,-+()/#";
  for (const char* c = defined; *c; c++) {
    const uint8_t* g = font_glyph(*c);
    ASSERT_NE(g, nullptr) << *c;
    int lit = 0;
    for (int r = 0; r < 7; r++) lit += g[r] != 0;
    EXPECT_EQ(lit == 0, *c == ' ') << *c;
  }
  EXPECT_EQ(font_glyph('~'), nullptr);
  EXPECT_EQ(font_glyph('|'), nullptr);
}

static int lit_in(int x0, int y0, int x1, int y1) {
  int r, w, h, n = 0;
  uint8_t* p = gworld_pixels(0, &r, &w, &h);
  for (int y = y0; y <= y1 && y < h; y++)
    for (int x = x0; x <= x1 && x < w; x++) n += p[y * r + x] == 1;
  return n;
}

TEST_F(GlyphTest, StringWithoutWrapStopsAtTheFirstWordThatDoesNotFit) {
  lock_surface(48, 24);
  HS_plot_string(0, 0, 1, "AB CD EF", 30, 0);
  EXPECT_GT(lit_in(18, 0, 29, 6), 0);    // "CD" ends at the edge
  EXPECT_EQ(lit_in(30, 0, 47, 23), 0);   // "EF" is not drawn
  EXPECT_EQ(lit_in(0, 7, 47, 23), 0);    // nor lower down
  MACIBM_settogworld(0, 48, 24, 0);
  HS_plot_string(0, 0, 1, "AB CD EF", 30, 1);
  EXPECT_EQ(lit_in(30, 0, 47, 23), 0);
  EXPECT_EQ(lit_in(0, 10, 4, 10), 5);    // "E" starts the second line: its top row
  EXPECT_GT(lit_in(6, 10, 10, 16), 0);   // then "F"
  EXPECT_EQ(lit_in(0, 20, 47, 23), 0);
}

TEST_F(GlyphTest, WordLongerThanTheLineIsBrokenNotStacked) {
  lock_surface(30, 32);
  HS_plot_string(0, 0, 1, "ABCDEFGH", 24, 1);
  EXPECT_GT(lit_in(18, 0, 22, 6), 0);   // "D" ends the first line
  EXPECT_EQ(lit_in(0, 10, 4, 10), 5);   // "E" starts the second
  EXPECT_GT(lit_in(18, 10, 22, 16), 0); // "H" ends it
  EXPECT_EQ(lit_in(0, 20, 29, 31), 0);  // nothing on a third line
  MACIBM_settogworld(0, 30, 32, 0);
  HS_plot_string(0, 0, 1, "ABCDEFGH", 24, 0);
  EXPECT_EQ(lit_in(0, 0, 29, 31), 0);   // without wrap the word does not fit at all
}

TEST_F(GlyphTest, FourAndSixCharacterStripsAreClearedFirst) {
  lock_surface(60, 8, 0);
  plot4char(1, 0, 0, "A1");
  int r;
  uint8_t* p = gworld_pixels(0, &r, nullptr, nullptr);
  EXPECT_EQ(p[1 * r + 0], 1);   // "A"
  EXPECT_EQ(p[0 * r + 12], 1);  // "1" at a 10-pixel pitch
  EXPECT_EQ(p[6 * r + 34], 11); // the strip is 35 x 7
  EXPECT_EQ(p[0 * r + 35], 0);
  EXPECT_EQ(p[7 * r + 0], 0);
  plot6char(1, 0, 0, "ZZZZZZZZ");  // six at most
  EXPECT_EQ(p[0 * r + 50], 1);
  EXPECT_EQ(p[6 * r + 54], 1);
  EXPECT_EQ(p[0 * r + 55], 0);
  // With no lock, through surface 3 into the window, whole.
  MACIBM_disposegworld(0);
  make_window(40, 8, 5);
  plot4char(1, 2, 1, "7");
  EXPECT_EQ(window[1 * 40 + 2], 1);
  EXPECT_EQ(window[2 * 40 + 2], 11);
  EXPECT_EQ(window[7 * 40 + 36], 11);
  EXPECT_EQ(window[1 * 40 + 37], 5);
}

TEST(CharCodes, BlankDigitsAndCapitals) {
  EXPECT_EQ(std::string() + code_to_char(0) + code_to_char(1) + code_to_char(10) + code_to_char(11) + code_to_char(36),
            " 09AZ");
  EXPECT_EQ(code_to_char(37), ' ');  // out of range: blank
  EXPECT_EQ(code_to_char(-1), ' ');
  for (int c = 0; c <= 36; c++) EXPECT_EQ(char_to_code(code_to_char(c)), c);
  for (char c : {'a', '#', '\0'}) EXPECT_EQ(char_to_code(c), 0);
}

TEST_F(GlyphTest, BlockIsABevelledLamp) {
  lock_surface(9, 9);
  block(0, 0, 1);  // 12 M, 13 N, 14 O
  EXPECT_EQ(surface(), rows({"MMMMMMMMO",
                             "MMMMMMMOO",
                             "MMNNNNNOO",
                             "MMNNNNNOO",
                             "MMNNNNNOO",
                             "MMNNNNNOO",
                             "MMNNNNNOO",
                             "MOOOOOOOO",
                             "OOOOOOOOO"}));
  std::string lit = surface();
  block(0, 0, 0);  // unlit: the same bevel in 15 P, 16 Q, 34 I
  std::string unlit = surface();
  for (char& c : lit) c = c == 'M' ? 'P' : c == 'N' ? 'Q' : c == 'O' ? 'I' : c;
  EXPECT_EQ(unlit, lit);
  // Unlocked, straight into the window.
  MACIBM_disposegworld(0);
  make_window(10, 10, 0);
  block(1, 1, 1);
  EXPECT_EQ(window[1 * 10 + 1], 12);
  EXPECT_EQ(window[9 * 10 + 9], 14);
  EXPECT_EQ(window[0], 0);
}
