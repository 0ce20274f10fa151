// Where the aircraft touches the ground or the water.
#pragma once

int  handle_contact_point(int kind, float xarm, float yarm, float zarm);
void handle_float_point(int part, int s, int r, float xos, float yos, float zos);
