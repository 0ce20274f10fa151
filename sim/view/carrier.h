// The aircraft carrier and the frigate: their geometry and their picture.
#pragma once

void init_carrier();
void draw_a_carr(float x, float y, float z);
void draw_a_boat(float x, float y, float z);
