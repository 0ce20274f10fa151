// Single lines of the airport and navaid files ("apt_dat", "nav_dat"), read
// and written the same way by the simulator and the scenery editor. The line
// readers take from the open input stream inf, the writers put into ouf.
#pragma once

enum { APT_ID_DIM = 5, APT_NAME_DIM = 40, APT_NAV_VERSION = 354 };

// Names the file in the readers' error messages ("scan apt line", "scan nav line").
void aptnav_set_file(const char* path);
// The line of the file the next record stands on, for the messages.
void aptnav_set_line(int line);

// The rest of one airport line, after its type: three runways, elevation,
// tower, identifier and name. Runway arrays have three elements. Every number
// is checked against what it can be (a latitude within 90 degrees, an
// elevation within the Earth's); a value outside, or a line without its
// identifier, ends the program with a message naming the file and the line.
void scan_apt_line(float* apt_lat, float* apt_lon, int* apt_num, char* apt_lr, int* apt_hdng,
                   int* apt_len, int* apt_width, int* apt_lite, float* apt_z, int* apt_twr,
                   char* apt_id, char* apt_name);
// The rest of one navaid line, after its type.
void scan_nav_line(float* nav_lat, float* nav_lon, float* nav_z, int* nav_f1, int* nav_f2,
                   int* nav_hdng, char* nav_id, char* nav_name);

void dump_apt_line(int apt_type, const float* apt_lat, const float* apt_lon, const int* apt_num,
                   const char* apt_lr, const int* apt_hdng, const int* apt_len, const int* apt_width,
                   const int* apt_lite, float apt_z, int apt_twr, const char* apt_id,
                   const char* apt_name);
void dump_nav_line(int nav_type, float nav_lat, float nav_lon, float nav_z, int nav_f1, int nav_f2,
                   int nav_hdng, const char* nav_id, const char* nav_name);

// Headings are kept in 0..359 whatever the file holds.
int wrap_hdng(int h);
