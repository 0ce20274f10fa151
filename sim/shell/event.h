// The window procedure of every window of the simulator.
#pragma once

void handle_IBM_win(int window, int message, long wparam, long lparam);
int  winsup();
void updatewin(int index);
void handlewindowclick(int index);
// The window's own click handler (settings windows, charts); used by the
// click and by the repeat of a held button.
void window_click_handler(int index);
