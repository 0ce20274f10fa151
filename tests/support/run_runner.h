// Runs the headless runner as a user would from a shell, and keeps what it printed.
#pragma once
#include <sys/wait.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace runner_test {

struct run_result {
  int status;       // exit status, -1 when it did not exit normally
  std::string out;  // standard output and error together
};

inline run_result run_shell(const std::string& cmd) {
  run_result r{-1, ""};
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
  int st = pclose(p);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

// tarvel-headless with these arguments, from the build folder.
inline run_result run(const std::string& args) {
  return run_shell(std::string("cd ") + TARVEL_BUILD_DIR + " && ./tarvel-headless " + args + " 2>&1");
}

// The runner's CSV as rows of cells, the header first.
inline std::vector<std::vector<std::string>> read_csv(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells;
    std::stringstream ss(line);
    for (std::string c; std::getline(ss, c, ',');) cells.push_back(c);
    if (!line.empty() && line.back() == ',') cells.push_back("");
    rows.push_back(cells);
  }
  return rows;
}

// The index of a named column of the header, -1 when there is none.
inline int column_of(const std::vector<std::string>& header, const std::string& name) {
  for (size_t i = 0; i < header.size(); i++)
    if (header[i] == name) return (int)i;
  return -1;
}

}  // namespace runner_test
