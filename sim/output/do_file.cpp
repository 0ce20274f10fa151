// The two output files, opened at start-up in the user's data folder.
#include "sim/output/do_file.h"
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"

FILE* bbx = nullptr;
FILE* trk = nullptr;

static FILE* open_output(const char* name) {
  char path[STR_DIM];
  std::snprintf(path, sizeof path, "%s/%s", plat_data_dir("tarvel"), name);
  FILE* f = std::fopen(path, "w");
  if (f) std::setvbuf(f, nullptr, _IOFBF, 4096);
  return f;
}

void open_output_streams() {
  close_output_streams();
  bbx = open_output("Tarvel.box");
  trk = open_output("Tarvel.out");
}

void close_output_streams() {
  if (bbx) std::fclose(bbx);
  if (trk) std::fclose(trk);
  bbx = trk = nullptr;
  set_geo_report_stream(nullptr);  // the geometry report wrote into trk
}


// Stand-ins until the data output exists.
void datplot() {}
void datclick() {}
