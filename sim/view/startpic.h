// The start-up picture shown in the main window while the simulator loads:
// a bitmap made by code (dusk sky, aircraft, title, progress-bar track).
#pragma once

enum { STARTUP_PICTURE_ID = 128, STARTUP_PICTURE_DX = 800, STARTUP_PICTURE_DY = 580 };
// The progress bar drawn over it: 3 x 5 rectangles of colour 12 at
// x = STARTUP_BAR_X + STARTUP_BAR_STEP * k (k < STARTUP_BAR_STEPS), y = STARTUP_BAR_Y.
enum { STARTUP_BAR_X = 59, STARTUP_BAR_Y = 541, STARTUP_BAR_STEP = 5, STARTUP_BAR_STEPS = 44 };

void register_startup_picture();
// Into the current window (the main window, right after it is made).
void draw_startup_picture();
