// Math and string helpers: edge behaviour the callers rely on.
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"

namespace {

TEST(Funct, LimitsWrapsRangesAndSigns) {
  EXPECT_EQ(intlim(5, 0, 3), 3);
  EXPECT_EQ(intlim(5, 10, 0), 10);  // crossed bounds: lo is tested first
  EXPECT_EQ(intwrap(-1, 0, 359), 359);
  EXPECT_EQ(intwrap(360, 0, 359), 0);
  EXPECT_EQ(intwrap(-400, 0, 359), -40);  // one wrap only
  EXPECT_EQ(fltwrap(-10.0f, 0.0f, 360.0f), 350.0f);
  EXPECT_EQ(fltwrap(360.0f, 0.0f, 360.0f), 360.0f);
  EXPECT_EQ(intrange(3, 3, 5) + intrange(5, 3, 5) + intrange(6, 3, 5), 2);
  EXPECT_EQ(intbox(0, 5, 0, 0, 10, 5), 1);  // border included
  EXPECT_EQ(fltbox(0.0f, 2.0f, 0.0f, 0.0f, 10.0f, 5.0f), 0);  // border excluded
  // Out of the band to its nearer edge; zero goes up.
  EXPECT_EQ(fallout(-3.0f, -5.0f, 5.0f), -5.0f);
  EXPECT_EQ(fallout(0.0f, -5.0f, 5.0f), 5.0f);
  EXPECT_EQ(fallout(7.0f, -5.0f, 5.0f), 7.0f);
  EXPECT_EQ(fltsgn(0.0f), 1.0f);
  EXPECT_EQ(signsqr(-3.0f), -9.0f);
  EXPECT_EQ(signsqrt(-16.0f), -4.0f);
}

TEST(Funct, RoundingHalvesAwayFromZero) {
  EXPECT_EQ(bk::round(2.5f), 3);
  EXPECT_EQ(bk::round(-2.5f), -3);
  EXPECT_EQ(bk::round(0.49999997f), 0);  // the half is added without losing bits
  EXPECT_EQ(bk::round(1e20f), INT_MAX);  // out of range saturates
  EXPECT_EQ(bk::round(NAN), 0);
  EXPECT_EQ(fltnear(55.0f, 10.0f, 1), 60.0f);
  EXPECT_EQ(fltnear(-55.0f, 10.0f, 1), -60.0f);
  EXPECT_EQ(fltnear(59.0f, 10.0f, 0), 50.0f);
  EXPECT_EQ(fltnear(7.3f, 0.0f, 1), 7.3f);
  EXPECT_EQ(intnear(20, 10, 1), 30);  // an exact multiple still steps up
  EXPECT_EQ(intnear(-20, 10, 0), -30);
  EXPECT_EQ(intnear(-25, 10, 1), -20);
  EXPECT_EQ(intnear(5, 0, 1), 5);
  EXPECT_EQ(intnear(INT_MAX, 10, 1), INT_MAX);  // saturates instead of wrapping
}

// The one checked conversion: huge values and NaN must not be undefined.
TEST(Funct, FloatToIntSaturatesAndTakesNaNAsZero) {
  EXPECT_EQ(flt_to_int(3e38), INT_MAX);
  EXPECT_EQ(flt_to_int(-3e38), INT_MIN);
  EXPECT_EQ(flt_to_int(std::nan("")), 0);
  EXPECT_EQ(flt_to_int(-2.9), -2);
  EXPECT_EQ(flt_to_int(2147483520.0), 2147483520);
}

TEST(Funct, InterpolationExtrapolates) {
  EXPECT_EQ(interp(0, 0, 10, 100, 15), 150.0f);
  EXPECT_EQ(interp(0, 0, 10, 100, -5), -50.0f);
  EXPECT_EQ(interp(3, 7, 3, 9, 4), 7.0f);  // equal abscissas: a step, never infinite
}

TEST(Funct, RandomIntegersCoverBothBoundsAndNoMore) {
  plat_srand(12345);
  int count[2] = {0, 0};
  const int draws = 200000;  // r = 32767 turns up a few times in this many
  for (int k = 0; k < draws; k++) {
    int v = intrand(25, 26);
    ASSERT_TRUE(v == 25 || v == 26) << v;
    count[v - 25]++;
  }
  EXPECT_GT(count[0], draws * 45 / 100);
  EXPECT_GT(count[1], draws * 45 / 100);
  EXPECT_EQ(intrand(5, 5), 5);
  for (int k = 0; k < 100; k++) {
    int v = intrand(9, 0);
    ASSERT_TRUE(v >= 0 && v <= 9);
    float f = fltrand(-2.0f, 3.0f);
    ASSERT_TRUE(f >= -2.0f && f <= 3.0f);
  }
}

TEST(Funct, FacingIsTheSignOfTheTripleProduct) {
  // a = x, b = y, so a x b = z.
  EXPECT_EQ(facing(1, 0, 0, 0, 1, 0, 0, 0, -1), 1);
  EXPECT_EQ(facing(1, 0, 0, 0, 1, 0, 0, 0, 1), 0);
  EXPECT_EQ(facing(1, 0, 0, 0, 1, 0, 5, 5, 0), 0);  // edge-on is not facing
}

// Inside all three edges of a clockwise triangle.
int in_cw_triangle(const float* t, float x, float y, float dis) {
  return inside_cw_reg(t[0], t[1], t[2], t[3], x, y, dis) && inside_cw_reg(t[2], t[3], t[4], t[5], x, y, dis) &&
         inside_cw_reg(t[4], t[5], t[0], t[1], x, y, dis);
}

TEST(Funct, EveryPointOfACellLiesInExactlyOneClockwiseTriangle) {
  const float x0 = 1000.0f, y0 = -500.0f, di = 1876.0f, dj = 1235.0f;
  for (int div = 0; div < 2; div++) {
    float t[2][6];
    for (int tri = 0; tri < 2; tri++) {
      float* v = t[tri];
      convert_ij_cw(x0, y0, tri, &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], div, di, dj);
      float cross = (v[2] - v[0]) * (v[5] - v[1]) - (v[3] - v[1]) * (v[4] - v[0]);
      EXPECT_LT(cross, 0.0f) << "div " << div << " tri " << tri;
      // The grid version starts at the right angle, then its neighbours
      // along i and along j; the cell version starts there too.
      int g[6];
      convert_ij_dxy(3, 4, tri, &g[0], &g[1], &g[2], &g[3], &g[4], &g[5], div);
      EXPECT_TRUE(g[3] == g[1] && std::abs(g[2] - g[0]) == 1 && g[4] == g[0] && std::abs(g[5] - g[1]) == 1);
      EXPECT_EQ(v[0], x0 + (g[0] - 3) * di);
      EXPECT_EQ(v[1], y0 + (g[1] - 4) * dj);
    }
    for (int a = 1; a < 20; a++)
      for (int b = 1; b < 20; b++) {
        float fx = (a + 0.3f) / 20.0f, fy = (b + 0.6f) / 20.0f;
        float x = x0 + fx * di, y = y0 + fy * dj;
        int in0 = in_cw_triangle(t[0], x, y, 0.0f), in1 = in_cw_triangle(t[1], x, y, 0.0f);
        ASSERT_EQ(in0 + in1, 1) << div << " " << fx << " " << fy;
        // Diagonal 0 runs from (i+1, j) to (i, j+1): triangle 0 holds the corner (i, j).
        int want0 = div == 0 ? fx + fy < 1.0f : fy > fx;
        EXPECT_EQ(in0, want0) << div << " " << fx << " " << fy;
      }
    // Outside the cell, in neither; a margin takes in a point just outside.
    const float ym = y0 + dj / 2;  // beside the west edge, which only triangle 0 has
    EXPECT_EQ(in_cw_triangle(t[0], x0 - 1, ym, 0) + in_cw_triangle(t[1], x0 - 1, ym, 0), 0);
    EXPECT_EQ(in_cw_triangle(t[0], x0 - 1, ym, 2), 1);
    EXPECT_EQ(in_cw_triangle(t[1], x0 - 1, ym, 2), 0);
  }
  EXPECT_EQ(inside_cw_reg(5, 5, 5, 5, 5, 5, 1), 0);  // a line of no length divides nothing
}

TEST(Funct, StringCopiesAreBoundedAndMayOverlap) {
  char buf[STR_DIM + 8];
  std::memset(buf, 'Q', sizeof buf);
  C_to_C(std::string(1000, 'x').c_str(), buf);
  EXPECT_EQ(std::strlen(buf), (size_t)STR_DIM - 1);
  EXPECT_EQ(buf[STR_DIM], 'Q');
  char s[STR_DIM] = "abc";
  C_plus_C(s, "def", s);
  app_C(s, s);
  EXPECT_STREQ(s, "abcdefabcdef");
  C_plus_C("x", s, s);
  EXPECT_STREQ(s, "xabcdefabcdef");
  for (int k = 0; k < 40; k++) app_C(s, "0123456789");
  EXPECT_EQ(std::strlen(s), (size_t)STR_DIM - 1);
}

TEST(Funct, DigitsAndSmallNumbers) {
  EXPECT_EQ(char_to_int('-'), -1);
  EXPECT_EQ(char_to_int('x'), 0);
  EXPECT_EQ(int_to_char(12), '0');
  EXPECT_EQ(str_is_int("12a") + str_is_int("-1"), 0);
  EXPECT_EQ(str_to_int("0042"), 42);
  for (const char* bad : {"12345", "", "-1", "+5", "1a"}) EXPECT_EQ(str_to_int(bad), -1) << bad;
  char s[STR_DIM];
  int_to_str(123456, s);  // all the digits, not the last five
  EXPECT_STREQ(s, "123456");
  int_to_str(INT_MIN, s);
  EXPECT_STREQ(s, "-2147483648");
  EXPECT_EQ(str_is_frac("1/2"), 1);
  EXPECT_EQ(str_is_frac("0/2") + str_is_frac("1/0") + str_is_frac("12/3"), 0);
  EXPECT_EQ(str_to_frac("3/4"), 0.75f);
  EXPECT_EQ(str_to_frac("1/0"), -1.0f);  // never an infinity
  int h, m;
  sec_to_hrs_min(3725.9f, &h, &m);
  EXPECT_EQ(h * 100 + m, 102);
  sec_to_hrs_min(360000.0f, &h, &m);
  EXPECT_EQ(h * 100 + m, 10000);
}

TEST(Funct, EnvironmentFileNamesNameTheBlockAndTheCell) {
  char s[STR_DIM];
  const struct { int lat, lon; const char* name; } cells[] = {
      {34, -84, "+030-090/+034-084.env"}, {-5, 12, "-010+010/-005+012.env"},
      {0, 0, "+000+000/+000+000.env"},    {-1, -1, "-010-010/-001-001.env"},
      {-60, -180, "-060-180/-060-180.env"}, {89, -100, "+080-100/+089-100.env"}};
  for (const auto& c : cells) {
    return_latlon_str_ENV(c.lat, c.lon, s, 1);
    EXPECT_STREQ(s, c.name);
  }
  return_latlon_str_ENV(34, -84, s, 0);
  EXPECT_STREQ(s, "+034-084.env");
  return_latlon_str_ENV(100000, -100000, s, 1);  // nonsense in, bounded text out
  EXPECT_LT(std::strlen(s), (size_t)STR_DIM);
}

TEST(Funct, RunwayLightCodesDecodePerEnd) {
  int gls[2], rwy[2], app[2];
  code_to_lgts(gls, rwy, app, 312253);
  EXPECT_EQ(gls[0] * 100 + rwy[0] * 10 + app[0], 253);
  EXPECT_EQ(gls[1] * 100 + rwy[1] * 10 + app[1], 312);
  code_to_lgts(gls, rwy, app, 0);
  EXPECT_EQ(gls[0] + rwy[0] + app[0] + gls[1] + rwy[1] + app[1], 6);
  code_to_lgts(gls, rwy, app, 7);  // 7 takes the 6, then the 1
  EXPECT_EQ(app[0], 1);
}

TEST(Funct, BitFlagsTextureAndStripePatterns) {
  int b[5], tex;
  float st[8];
  for (float& f : st) f = 9;
  int_to_bol(&b[0], &b[1], &b[2], &b[3], &b[4], st, &tex, (1 << 16) | (1 << 10) | (1 << 8) | (1 << 6) | 1 | (1 << 4));
  EXPECT_EQ(tex, 2001);  // the lowest texture bit wins
  const float bit6[8] = {1, 0, 0, 0, 1, 1, 0, 1};
  for (int k = 0; k < 8; k++) EXPECT_EQ(st[k], bit6[k]) << k;
  EXPECT_EQ(b[0] * 10000 + b[1] * 1000 + b[2] * 100 + b[3] * 10 + b[4], 10001);
  for (float& f : st) f = 9;
  int_to_bol(&b[0], &b[1], &b[2], &b[3], &b[4], st, &tex, 1 << 9);
  EXPECT_EQ(tex, 2000);
  EXPECT_EQ(st[0], 9.0f);  // no pattern bit: the stripes are left alone
}

TEST(Funct, DelayWaitsAtLeastItsTime) {
  uint64_t t0 = plat_ticks_ms();
  delay(0.03f);
  EXPECT_GE(plat_ticks_ms() - t0, 30u);
  t0 = plat_ticks_ms();
  delay(-1.0f);
  delay(NAN);
  EXPECT_LT(plat_ticks_ms() - t0, 1000u);  // returned, did not wait "forever"
}

// A weather line's outputs; -1 is "not said".
struct wx {
  float t = -1, base = -1, tops = -1, vis = -1, temp = -1, dewp = -1, dir = -1, spd = -1, gus = -1, baro = -1;
  int type = -1, ovis = -1, oden = -1;
  explicit wx(const char* report, float z = 0.0f) {
    init_constants();
    decode_wxr(report, z, &t, &type, &base, &tops, &vis, &ovis, &oden, &temp, &dewp, &dir, &spd, &gus, &baro);
  }
  std::string text() const {
    char s[256];
    std::snprintf(s, sizeof s, "time %g cloud %d %.1f-%.1f vis %.0f wx %d/%d temp %g/%g wind %g/%.2f/%.2f baro %.2f",
                  t, type, base, tops, vis, ovis, oden, temp, dewp, dir, spd, gus, baro);
    return s;
  }
};

// Heights are hundreds of feet above the station, visibility nautical miles,
// wind knots (direction and speed, then a gust as the excess), the altimeter
// in hundredths, 30 added below 5.00 and 20 above.
TEST(Weather, ReportsDecodeToSIUnits) {
  const struct { const char* report; float z; const char* text; } cases[] = {
      {"KBOS 1856 25 SCT 80 BKN 250 OVC 10 R- 72/65/2715G25/992", 100.0f,
       "time 68160 cloud 1 2538.4-7720.0 vis 18520 wx 2/1 temp 72/65 wind 270/7.72/5.14 baro 29.92"},
      {"KXYZ 1200 CLR 1 1/2 40/30/0000/013", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 2778 wx -1/-1 temp 40/30 wind 0/0.00/0.00 baro 30.13"},
      {"KXYZ 1200 CLR 2 3/4 RW+ 40/30/0000/013", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 5093 wx 4/3 temp 40/30 wind 0/0.00/0.00 baro 30.13"},
      {"KXYZ 1200 CLR 5 TRW+F 40/30/0000/013", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 9260 wx 1/3 temp 40/30 wind 0/0.00/0.00 baro 30.13"},
      // Scattered layers only: no deck; a five-character wind is not decoded.
      {"KXYZ 1200 40 SCT 120 SCT 7 40/30/27015/992", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 12964 wx -1/-1 temp 40/30 wind -1/-1.00/-1.00 baro 29.92"},
      // Zero and negative temperatures and a zero altimeter are not said.
      {"KXYZ 1200 7 0/-5/2710/000", 0,
       "time 43200 cloud -1 -1.0--1.0 vis 12964 wx -1/-1 temp -1/-1 wind 270/5.14/0.00 baro -1.00"},
      {"KXYZ 1200 nothing here", 0,
       "time 43200 cloud -1 -1.0--1.0 vis -1 wx -1/-1 temp -1/-1 wind -1/-1.00/-1.00 baro -1.00"},
      // No time group, or one that is not a number.
      {"KXYZ 15 OVC 3 55/50/1808/001", 0,
       "time -1 cloud 1 457.2-457.2 vis 5556 wx -1/-1 temp 55/50 wind 180/4.12/0.00 baro 30.01"},
      {"K 12-5 CLR 7 40/30/2710/992", 0,
       "time -1 cloud 0 -1.0--1.0 vis 12964 wx -1/-1 temp 40/30 wind 270/5.14/0.00 baro 29.92"},
      // A gust below the mean wind is no gust; a sign in the wind spoils only the wind.
      {"K 1200 CLR 7 40/30/2730G05/992", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 12964 wx -1/-1 temp 40/30 wind 270/15.43/0.00 baro 29.92"},
      {"K 1200 CLR 7 40/30/27-5/992", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 12964 wx -1/-1 temp 40/30 wind -1/-1.00/-1.00 baro 29.92"},
      // Runs of blanks separate groups like one.
      {"K  1200   CLR\t7  40/30/2710/992\r\n", 0,
       "time 43200 cloud 0 -1.0--1.0 vis 12964 wx -1/-1 temp 40/30 wind 270/5.14/0.00 baro 29.92"}};
  for (const auto& c : cases) EXPECT_EQ(wx(c.report, c.z).text(), c.text) << c.report;
  wx v("KXYZ 1200 CLR 7 1013/40/30/VR05/992");  // after a leading pressure field, a variable wind
  EXPECT_EQ(v.temp, 40.0f);
  EXPECT_TRUE(v.dir >= 0.0f && v.dir <= 350.0f && std::fmod(v.dir, 10.0f) == 0.0f) << v.dir;
  EXPECT_NEAR(v.spd, 5 * 0.514444f, 1e-4f);
}

// Whatever the line holds, every output is either untouched or a value the
// weather code can use.
TEST(Weather, GarbageGivesSaneOutputsOrNone) {
  std::string huge(5000, 'A'), many;
  for (int k = 0; k < 200; k++) many += "1/2/3/4 ";
  const char* odd[] = {huge.c_str(), many.c_str(), "////////////////", "A 1234 / // /// 1 2 3 4 5 6/7/8/9/0"};
  const char alphabet[] = "0123456789/ SCTBKNOVCLR-+FGVW";
  plat_srand(7);
  char buf[64];
  for (int k = -4; k < 3000; k++) {
    if (k >= 0) {
      int n = intrand(0, 63);
      for (int c = 0; c < n; c++) buf[c] = alphabet[intrand(0, (int)sizeof alphabet - 2)];
      buf[n] = 0;
    }
    const char* r = k < 0 ? odd[k + 4] : buf;
    wx w(r);
    SCOPED_TRACE(r);
    ASSERT_TRUE(w.type >= -1 && w.type <= 1);
    ASSERT_TRUE(w.ovis == -1 || (w.ovis >= 1 && w.ovis <= 4));
    ASSERT_TRUE(w.oden == -1 || (w.oden >= 1 && w.oden <= 3));
    ASSERT_TRUE(w.vis == -1.0f || (w.vis >= 0.0f && w.vis < 10000 * 1852.0f));
    ASSERT_TRUE(w.baro == -1.0f || (w.baro >= 20.0f && w.baro < 35.0f));
    ASSERT_TRUE(w.dir == -1.0f || (w.dir >= 0.0f && w.dir <= 990.0f));
    ASSERT_TRUE(w.spd == -1.0f || (w.spd >= 0.0f && w.spd < 100.0f));
    ASSERT_TRUE(w.gus == -1.0f || w.gus >= 0.0f);
    ASSERT_TRUE(w.t == -1.0f || (w.t >= 0.0f && w.t <= 362340.0f));
    for (float v : {w.base, w.tops, w.temp, w.dewp}) ASSERT_TRUE(std::isfinite(v));
  }
}

}  // namespace
