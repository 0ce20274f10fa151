// Every test program gets configuration and data folders of its own, so that
// tests running side by side never read each other's preferences.
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {
struct isolated_home {
  std::string dir;
  pid_t owner = 0;
  isolated_home() {
    char tmpl[] = "/tmp/tarvel-test-XXXXXX";
    if (!mkdtemp(tmpl)) return;
    dir = tmpl;
    owner = getpid();
    setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 0);
    // No display and no sound card needed (CTest's environment list keeps
    // only its first entry, so these are set here).
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
  ~isolated_home() {
    // Death tests fork: only the process that made the folder removes it.
    if (!dir.empty() && getpid() == owner) {
      std::error_code ec;
      std::filesystem::remove_all(dir, ec);
    }
  }
};
isolated_home home;
}  // namespace
