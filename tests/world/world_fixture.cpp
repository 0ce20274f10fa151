#include "world_fixture.h"
#include <png.h>
#include <cmath>
#include <unistd.h>
#include "sim/records.h"

jmp_buf world_jump;
void world_jump_out(int status) { longjmp(world_jump, status + 1); }

std::string last_alert() {
  int n = desk_alert_count();
  return n > 0 ? desk_alert_text(n - 1) : "";
}

static int dir_serial = 0;

world_dir::world_dir() {
  root = fs::temp_directory_path() /
         ("tarvel_world_" + std::to_string(getpid()) + "_" + std::to_string(dir_serial++));
  fs::remove_all(root);
  fs::create_directories(nav_dir());
  std::snprintf(app_path, STR_DIM, "%s", root.c_str());
  env_data_root[0] = 0;
}

world_dir::~world_dir() {
  std::error_code ec;
  fs::remove_all(root, ec);
}

void world_dir::write(const fs::path& rel, const std::string& text) const {
  fs::path p = root / rel;
  fs::create_directories(p.parent_path());
  std::ofstream o(p, std::ios::binary);
  o << text;
}

std::string apt_line(const apt_rec& a) {
  char buf[600];
  std::snprintf(buf, sizeof buf,
                "1 %10.6f %11.6f %2d %c %3d %6d %3d 232232 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 %6.0f %d %-4s %s\n",
                a.lat, a.lon, a.num, a.lr, a.hdng, a.len_ft, a.width_ft, a.z_ft, a.twr, a.id, a.name);
  return buf;
}

std::string apt_file(const std::vector<std::string>& lines) {
  std::string s = "I\n354 version\n354 version code 2\n";
  for (const auto& l : lines) s += l;
  return s + "99\n";
}

std::string nav_line(int type, float lat, float lon, const char* id, const char* name, int f1, int f2) {
  char buf[300];
  std::snprintf(buf, sizeof buf, "%d %10.6f %11.6f %8.1f %8d %8d %4d %-4s %s\n", type, lat, lon, 100.0, f1, f2,
                0, id, name);
  return buf;
}

void make_quad(quad_data& q, int lat, int lon) {
  q.lat = lat;
  q.lon = lon;
  for (int i = 0; i < 60; i++)
    for (int j = 0; j < 80; j++) {
      float la = lat + j / 79.0f, lo = lon + i / 59.0f;
      // Heights depend on the position only, so that neighbouring files agree on their edges.
      q.z[i][j] = 50.0f + 400.0f * (float)std::fabs(std::sin(la * 7.0f) * std::cos(lo * 5.0f));
      q.flags[i][j] = (i + j) % 2;
      if (i < 19) q.flags[i][j] |= 6;   // sea along the west
      if (i == 19) q.flags[i][j] |= 2;  // a ragged coast: one triangle of each cell wet
    }
  q.objects.clear();
  q.objects.push_back({2, lat + 0.5f, lon + 0.6f, 100, 35, 39});
  q.objects.push_back({2, lat + 0.52f, lon + 0.62f, 600, 36, 41});
  q.objects.push_back({3, lat + 0.7f, lon + 0.8f, 500, 47, 55});
  q.objects.push_back({8, lat + 0.3f, lon + 0.5f, 1000, 0, 0});
}

template <class T> static void put(std::ofstream& o, T v, int big) {
  unsigned char b[4];
  std::memcpy(b, &v, 4);
  if (big) {
    std::swap(b[0], b[3]);
    std::swap(b[1], b[2]);
  }
  o.write((const char*)b, 4);
}

void write_env_binary(const fs::path& path, const quad_data& q, int big_endian, int version) {
  fs::create_directories(path.parent_path());
  std::ofstream o(path, std::ios::binary);
  o.put(big_endian ? 'a' : 'i');
  put<int>(o, version, big_endian);
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      put<float>(o, q.lat + j / 79.0f, big_endian);
      put<float>(o, q.lon + i / 59.0f, big_endian);
      put<float>(o, q.z[i][j], big_endian);
      put<int>(o, q.flags[i][j], big_endian);
    }
  for (const auto& ob : q.objects) {
    put<int>(o, ob.type, big_endian);
    put<float>(o, ob.lat, big_endian);
    put<float>(o, ob.lon, big_endian);
    put<float>(o, ob.height_ft, big_endian);
    if (ob.type == 8) {
      char name[40] = "Peak";
      o.write(name, 40);
    } else {
      put<int>(o, ob.i, big_endian);
      put<int>(o, ob.j, big_endian);
    }
  }
  put<int>(o, 99, big_endian);
  char tex[320] = {0};
  o.write(tex, sizeof tex);
}

void write_env_text(const fs::path& path, const quad_data& q, int version, int checkpoint) {
  fs::create_directories(path.parent_path());
  std::ofstream o(path, std::ios::binary);
  o << "I\n" << version << " version\n1001 env\n60 per row\n80 rows\n";
  char buf[100];
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      std::snprintf(buf, sizeof buf, "%.9g lat\n%.9g lon\n%.9g z\n", q.lat + j / 79.0f, q.lon + i / 59.0f,
                    q.z[i][j]);
      o << buf;
      int f = q.flags[i][j];
      o << (f & 1) << " diag\n" << ((f >> 1) & 1) << " w0\n" << ((f >> 2) & 1) << " w1\n0 r\n0 r\n";
    }
  o << checkpoint << " checkpoint\n";
  for (const auto& ob : q.objects) {
    std::snprintf(buf, sizeof buf, "%d type\n%.9g lat\n%.9g lon\n", ob.type, ob.lat, ob.lon);
    o << buf;
    if (ob.type == 8) {
      o << ob.height_ft << " Peak\n";
    } else {
      o << ob.height_ft << " ft\n" << ob.i << " i\n" << ob.j << " j\n";
    }
  }
  o << "99 end\n";
}

fs::path env_path(const fs::path& root, int lat, int lon) {
  char name[STR_DIM];
  env_file_name(lat, lon, 1, name);
  return root / "DATA" / name;
}

std::string file_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int read_env(const fs::path& path, env_points* e) {
  std::string b = file_bytes(path);
  if (b.size() != 77129 || b[0] != 'i') return 0;
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      const char* p = b.data() + 5 + 16 * (j * 60 + i);
      std::memcpy(&e->lat[i][j], p, 4);
      std::memcpy(&e->lon[i][j], p + 4, 4);
      std::memcpy(&e->z[i][j], p + 8, 4);
      std::memcpy(&e->flags[i][j], p + 12, 4);
    }
  return 1;
}

void world_reset() {
  clear_records();
  init_constants();
  plat_srand(12345);
  hok.end_process = nullptr;
  desk_alert_record_clear();
  desk_answer_clear();
}

// Per tenth column of the view, the first row below the sky.
std::vector<int> skyline(const std::string& path) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  std::vector<int> tops;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return tops;
  img.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> px(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, px.data(), 0, nullptr)) return tops;
  auto at = [&](int x, int y) { return &px[(size_t)(y * img.width + x) * 3]; };
  const unsigned char* sky = at(400, 60);
  for (int x = 0; x < 800; x += 10) {
    int y = 45;
    while (y < 265 && at(x, y)[0] == sky[0] && at(x, y)[1] == sky[1] && at(x, y)[2] == sky[2]) y++;
    tops.push_back(y);
  }
  return tops;
}
