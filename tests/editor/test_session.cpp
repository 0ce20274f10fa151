// A user's session, scripted through the dummy video driver: open, make a
// triangle water, move an obstacle, add an airport, save, quit. Exactly those
// changes reach the disk.
#include <cmath>
#include <cstring>
#include "../support/run_runner.h"
#include "editor_fixture.h"

TEST(Session, EditsSaveExactlyWhatWasChanged) {
  editor_dir dir;
  editor_reset(dir);
  fs::create_directories(dir.nav_dir());
  // The files as the editor itself writes them.
  ap_dir("additional nav data", "apt_dat", apt_path);
  ap_dir("additional nav data", "nav_dat", nav_path);
  apt_type[0] = 1;
  apt_lat[0][0] = 34.0954f, apt_lon[0][0] = -117.2349f, apt_num[0][0] = 6, apt_hdng[0][0] = 63;
  apt_len[0][0] = 10000, apt_width[0][0] = 200, apt_z[0] = 1159, apt_twr[0] = 1;
  apt_lr[0][0] = apt_lr[0][1] = apt_lr[0][2] = 'x';
  std::strcpy(apt_id[0], "KSBD");
  std::strcpy(apt_name[0], "San Bernardino Intl");
  nav_type[0] = 3, nav_lat[0] = 34.195f, nav_lon[0] = -117.361f, nav_f1[0] = 112, nav_f2[0] = 20;
  std::strcpy(nav_id[0], "PDZ ");
  std::strcpy(nav_name[0], "Paradise");
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  fill_quadrant(33, -119);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  char qp[STR_DIM];
  quadrant_path(33, -119, qp);
  const std::string quad_before = read_file(qp), apt_before = read_file(dir.nav_dir() / "apt_dat"),
                    nav_before = read_file(dir.nav_dir() / "nav_dat");
  ASSERT_TRUE(read_quadrant(33, -119));

  // Where things are on the map at zoom 1: a land triangle and the first obstacle.
  int ii[3], jj[3];
  tri_points(40, 40, 0, ii, jj);
  float clat = 0, clon = 0;
  for (int k = 0; k < 3; k++) clat += planelat[ii[k]][jj[k]] / 3, clon += planelon[ii[k]][jj[k]] / 3;
  ASSERT_FALSE(on_water[40][40][0]);
  int tx = ret_x(clon), ty = ret_y(clat);
  int ox = ret_x(obs_lon[0]), oy = ret_y(obs_lat[0]);
  int nx = ox + 40, ny = oy - 30;

  fs::path shots = fs::path(TARVEL_BUILD_DIR) / "editor-shots";
  fs::create_directories(shots);
  char script[2000];
  std::snprintf(script, sizeof script,
                "menu 301\nclick 50 160\nclick %d %d\nshot %s/terrain.png\n"
                "menu 302\nclick 50 140\ndown %d %d\nmove %d %d\nmove %d %d\nup\nshot %s/obstacles.png\n"
                "menu 303\nclick 500 198\ntype --------Big Bear\nshot %s/airports.png\n"
                "menu 304\nshot %s/navaids.png\n"
                "menu 201\nmenu 202\nmenu 205\n",
                tx, ty, shots.c_str(), ox, oy, (ox + nx) / 2, (oy + ny) / 2, nx, ny, shots.c_str(), shots.c_str(),
                shots.c_str());
  std::ofstream(dir.root / "session.txt") << script;
  auto r = runner_test::run_shell(std::string(TARVEL_BUILD_DIR) + "/gridwright --data '" + dir.root.string() +
                                  "' --script '" + (dir.root / "session.txt").string() + "' 2>&1");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("alert"), std::string::npos) << r.out;  // saved before Exit: no question

  // The quadrant: one water bit and the obstacle's position and cell, nothing else.
  std::string quad_after = read_file(qp);
  ASSERT_EQ(quad_after.size(), quad_before.size());
  size_t flags_at = 5 + 16 * (40 * 60 + 40) + 12, obs_at = 5 + 16 * 4800;
  std::vector<size_t> changed;
  for (size_t k = 0; k < quad_after.size(); k++)
    if (quad_after[k] != quad_before[k]) changed.push_back(k);
  ASSERT_FALSE(changed.empty());
  for (size_t k : changed) {
    bool water_bit = k == flags_at && (quad_after[k] ^ quad_before[k]) == 2;
    bool obstacle = k >= obs_at + 4 && k < obs_at + 24;
    EXPECT_TRUE(water_bit || obstacle) << "byte " << k;
  }
  float lat, lon;
  std::memcpy(&lat, &quad_after[obs_at + 4], 4);
  std::memcpy(&lon, &quad_after[obs_at + 8], 4);
  EXPECT_NEAR(lat, ret_lat(ny), 1e-4);
  EXPECT_NEAR(lon, ret_lon(nx), 1e-4);

  // The airports: the old line, then the new one.
  std::string apt_after = read_file(dir.nav_dir() / "apt_dat");
  EXPECT_EQ(apt_after.substr(0, apt_before.size() - 3), apt_before.substr(0, apt_before.size() - 3));
  EXPECT_NE(apt_after.find("    Big Bear\n99\n"), std::string::npos) << apt_after;
  EXPECT_EQ(read_file(dir.nav_dir() / "nav_dat"), nav_before);
}
