// What the window groups share among themselves.
#pragma once

// The user changed something in window `index`.
void mark_edited(int index);
// Each group forgets its windows' state when one closes, and takes keys.
void loc_windows_closed(int index);
int  loc_windows_key(int index, int key, int character);
void rel_windows_closed(int index);
void ctl_windows_closed(int index);
