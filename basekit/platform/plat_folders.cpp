// Opening files safely, the application folder and the user's configuration
// and data folders.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "basekit/platform/platform.h"

// Opened without waiting for a writer (a pipe) and checked before any read.
FILE* plat_fopen_regular(const char* path) {
  int fd = path ? open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
  if (fd < 0) return nullptr;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EISDIR;
    return nullptr;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  FILE* f = fdopen(fd, "rb");
  if (!f) close(fd);
  return f;
}

static int is_dir(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

static void make_dirs(const std::string& path) {
  for (size_t i = 1; i <= path.size(); i++) {
    if (i == path.size() || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (!is_dir(part)) mkdir(part.c_str(), 0755);
    }
  }
}

const char* plat_app_dir() {
  static std::string dir;
  if (!dir.empty()) return dir.c_str();
  // An installed copy finds the data under its own prefix, wherever that was
  // moved, before the source tree it was built from; a build finds the data
  // of its source tree.
  char exe[4096];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  std::string exe_dir;
  if (n > 0) {
    exe[n] = 0;
    exe_dir = exe;
    exe_dir = exe_dir.substr(0, exe_dir.rfind('/'));
  }
  const std::string candidates[] = {exe_dir.empty() ? "" : exe_dir + "/../share/tarvel", TARVEL_SOURCE_DATA_DIR,
                                    TARVEL_INSTALL_DATA_DIR, exe_dir.empty() ? "" : exe_dir + "/data"};
  for (const std::string& c : candidates)
    if (!c.empty() && is_dir(c)) {
      // Without "..": file names climbing out of the folder are refused.
      char* real = c.find("/../") != std::string::npos ? realpath(c.c_str(), nullptr) : nullptr;
      dir = real ? real : c;
      std::free(real);
      return dir.c_str();
    }
  dir = TARVEL_SOURCE_DATA_DIR;
  return dir.c_str();
}

// The home folder, "" when $HOME names no absolute folder: then nothing is
// saved, rather than in a shared folder such as /tmp, where another user
// could plant links for our saves to follow.
static std::string home_dir() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  return "";
}

static std::string user_dir(const char* xdg_var, const char* fallback, const char* program) {
  const char* xdg = std::getenv(xdg_var);
  std::string base;
  if (xdg && xdg[0] == '/') base = xdg;
  else {
    std::string home = home_dir();
    if (home.empty()) return "";
    base = home + fallback;
  }
  std::string dir = base + "/" + program;
  make_dirs(dir);
  return is_dir(dir) ? dir : "";
}

const char* plat_config_dir(const char* program) {
  static std::string dir;
  dir = user_dir("XDG_CONFIG_HOME", "/.config", program);
  return dir.c_str();
}

const char* plat_data_dir(const char* program) {
  static std::string dir;
  dir = user_dir("XDG_DATA_HOME", "/.local/share", program);
  return dir.c_str();
}
