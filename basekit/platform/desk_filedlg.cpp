// Open and save file dialogs.
#include "basekit/platform/desk_internal.h"
#include <cstring>

int desk_file_dialog(int save, const char* start_folder, const char* ext, const char* default_name,
                     char* path, int path_size, char* name, int name_size) {
  (void)save; (void)start_folder; (void)ext; (void)default_name;
  int kind, button;
  char chosen[1024];
  if (!desk_take_answer(&kind, &button, chosen, sizeof chosen) || kind != DESK_ANSWER_PATH) return 0;
  if ((int)std::strlen(chosen) >= path_size) return 0;
  std::strcpy(path, chosen);
  const char* slash = std::strrchr(chosen, '/');
  const char* bare = slash ? slash + 1 : chosen;
  if ((int)std::strlen(bare) >= name_size) return 0;
  std::strcpy(name, bare);
  return 1;
}
