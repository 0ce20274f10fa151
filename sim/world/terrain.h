// Queries of the loaded region's terrain: the height and triangle under a
// point, and where the ships are. Read by the flight model, the view, the
// scenery generator and the runner.
#pragma once

// The ground height h (m) under (x, y) and the cell (i, j) and triangle t
// holding it; off the mesh, the nearest cell searched.
void  find_local_h(float x, float y, float* h, int* i, int* j, int* t);
float terrain_height(float x, float y);
// Whether the region holds a carrier (carrier 1) or a frigate (0).
int   region_has_ship(int carrier);
// The centre of the cell carrying such a ship nearest (x0, y0): 1 and its
// position, or 0 when there is none.
// Where the ship of cell (i, j) lies: the middle of the cell's four corners.
void  ship_position(int i, int j, float* x, float* y, float* z);
int   nearest_ship(int carrier, double x0, double y0, double* x, double* y, float* z);
