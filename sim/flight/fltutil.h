// Helpers of the flight model: angle wrapping, the sines and cosines kept
// beside every angle, turning vectors between the world and the aircraft,
// the frame conversions to latitude and longitude, and the cycle trace.
#pragma once

// ---- angles ----
float wrap360(float deg);   // into [0, 360)
float wrap180(float deg);   // into [-180, 180)

// ---- the sines and cosines of flt's attitude, paths, alpha and beta ----
void refresh_trig();

// World vector (east, north, up) into aircraft axes (right, forward, up),
// heading first, then pitch, then roll; and back.
void world_to_body(float east, float north, float up, float* right, float* fwd, float* nup);
void body_to_world(float right, float fwd, float nup, float* east, float* north, float* up);
// Aerodynamic sums (axial along the air path, side, normal) into the world
// frame through the air-path heading and climb and the path roll.
void aero_to_world(float faxil, float fside, float fnrml, float* east, float* north, float* up);

// ---- ground track and the roll of the air-path frame ----
int  crs_wrapped();
void set_path_roll();

// ---- frame conversions within the loaded region ----
double y_with_lat(double lat);
double lat_with_y(double y);
double x_with_latlon(double lat, double lon);
double lon_with_xy(double x, double y);

// ---- the cycle dump to "Tarvel.out" while set.cycout is on ----
void cyc(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
