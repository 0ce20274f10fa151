// Data files: the one input and one output stream and the scanning calls.
#include "basekit/bk_file.h"
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <charconv>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale>
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"

std::ifstream inf;
std::ofstream ouf;
int inf_is_bin = 0;
int rev_inf_bin = 0;
char x_eln = '\n';
char app_path[STR_DIM];
char prefs_path[STR_DIM];
char prefs_problem[STR_DIM];
char filter_str[STR_DIM];
char def_ext[8];

// ---------------------------------------------------------------- reading

int scan_soft = 0;
int scan_failed = 0;
int inf_open_why = INF_OK;
char inf_path[STR_DIM];
char scan_problem[4][STR_DIM];

static void set_eof() { inf.setstate(std::ios::eofbit); }
static void set_fail() { inf.setstate(std::ios::eofbit | std::ios::failbit); }

// Fatal, unless the reader asked to fall back: then the stream stays failed,
// so every later scan fails quickly too, and the reader checks scan_failed.
static void scan_fail(const char* call, const char* fname) {
  if (scan_soft) {
    scan_failed = 1;
    set_fail();
    return;
  }
  MACIBM_exitalert("File-scanning error!", call, "file:", fname ? fname : "");
}
static int failed() { return inf.fail() || inf.bad(); }

static int is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
static int is_digit(int c) { return c >= '0' && c <= '9'; }

// Characters straight from the stream's buffer: the stream's own get() and
// peek() build a guard object for every character, which dominates reading.
// End of file is turned into the stream's state by the callers.
static int buf_peek() { return inf.rdbuf()->sgetc(); }
static int buf_get() { return inf.rdbuf()->sbumpc(); }

// Consumes one line end: LF, CRLF or a lone CR, whichever the file uses.
// Returns 0 when c was not a line end.
static int eat_line_end(int c) {
  if (c == '\n') return 1;
  if (c != '\r') return 0;
  if (buf_peek() == '\n') buf_get();
  return 1;
}

void rln(const char* fname) {
  if (inf_is_bin) return;
  if (failed()) return scan_fail("rln middle", fname);
  for (;;) {
    int c = buf_get();
    if (c == EOF) {
      set_fail();
      return scan_fail("rln middle", fname);
    }
    if (eat_line_end(c)) break;
  }
  if (failed()) scan_fail("rln finish", fname);
}

// Collects one decimal number (after white space, empty lines included) into
// buf, leaving the stream on the first character after it. The grammar is
// plain decimal in the "C" locale: no hex, no "inf" or "nan".
static int collect_number(char* buf, int size, int frac) {
  if (failed()) return 0;
  int c = buf_peek();
  while (is_space(c)) {
    buf_get();
    c = buf_peek();
  }
  int n = 0, digits = 0, ok = 1;
  auto take = [&]() {
    if (n < size - 1) buf[n++] = (char)c; else ok = 0;
    buf_get();
    c = buf_peek();
  };
  if (c == '+' || c == '-') {
    if (c == '-') buf[n++] = '-';
    buf_get();
    c = buf_peek();
  }
  while (is_digit(c)) { take(); digits++; }
  if (frac) {
    if (c == '.') {
      take();
      while (is_digit(c)) { take(); digits++; }
    }
    if (digits && (c == 'e' || c == 'E')) {
      take();
      if (c == '+' || c == '-') take();
      int exp_digits = 0;
      while (is_digit(c)) { take(); exp_digits++; }
      if (!exp_digits) ok = 0;
    }
  }
  buf[n] = 0;
  if (c == EOF) set_eof();
  if (!digits || !ok) {
    set_fail();
    return 0;
  }
  return 1;
}

static int read4(void* out) {
  if (failed() || inf.rdbuf()->sgetn((char*)out, 4) != 4) {
    set_fail();
    return 0;
  }
  if (rev_inf_bin) rev_byte_order(out);
  return 1;
}

static int text_int(int* v) {
  char buf[64];
  if (!collect_number(buf, sizeof buf, 0)) return 0;
  long long ll = 0;
  auto r = std::from_chars(buf, buf + std::strlen(buf), ll);
  if (r.ec != std::errc() || ll < INT_MIN || ll > INT_MAX) {
    set_fail();
    return 0;
  }
  *v = (int)ll;
  return 1;
}

static int text_flt(float* v) {
  char buf[128];
  if (!collect_number(buf, sizeof buf, 1)) return 0;
  double d = 0.0;
  auto r = std::from_chars(buf, buf + std::strlen(buf), d);
  // Tiny values flush to zero; values too large for a float are an error.
  if (r.ec == std::errc::result_out_of_range) {
    const char* e = std::strpbrk(buf, "eE");
    if (e && e[1] == '-') d = 0.0, r.ec = std::errc();
  }
  if (r.ec != std::errc() || !(std::fabs(d) <= FLT_MAX)) {
    set_fail();
    return 0;
  }
  *v = (float)d;
  return 1;
}

static int scan_int(const char* fname, const char* call, int skip_line) {
  int v = 0;
  if (inf_is_bin) {
    if (!read4(&v)) scan_fail(call, fname);
    return v;
  }
  if (!text_int(&v)) scan_fail(call, fname);
  if (skip_line) rln(fname);
  return v;
}

static float scan_flt(const char* fname, const char* call, int skip_line) {
  float v = 0.0f;
  if (inf_is_bin) {
    // A NaN or infinity in a data file is corruption, whatever wrote it.
    if (!read4(&v) || !std::isfinite(v)) {
      scan_fail(call, fname);
      v = 0.0f;
    }
    return v;
  }
  if (!text_flt(&v)) scan_fail(call, fname);
  if (skip_line) rln(fname);
  return v;
}

int intscan(const char* fname) { return scan_int(fname, "intscan", 1); }
float fltscan(const char* fname) { return scan_flt(fname, "fltscan", 1); }
int bolscan(const char* fname) { return scan_int(fname, "bolscan", 1) == 1; }
int intscanNOSN(const char* fname) { return scan_int(fname, "intscanNOSN", 0); }
float fltscanNOSN(const char* fname) { return scan_flt(fname, "fltscanNOSN", 0); }
int bolscanNOSN(const char* fname) { return scan_int(fname, "bolscanNOSN", 0) == 1; }

void stringscan(char* C_string, const char* fname, int dim) {
  if (dim < 1) return;
  if (inf_is_bin) {
    if (failed() || !inf.read(C_string, dim)) {
      set_fail();
      C_string[0] = 0;
      return scan_fail("stringscan", fname);
    }
    // The field is fixed-size: a writer that filled it leaves no terminator.
    C_string[dim - 1] = 0;
    return;
  }
  if (failed()) {
    C_string[0] = 0;
    return scan_fail("stringscan", fname);
  }
  // The write position stops at dim - 1, so a long line keeps dim - 2
  // characters; the line end (or the last character kept) becomes the end.
  int pos = 0;
  for (;;) {
    int c = buf_get();
    if (c == EOF) {
      set_fail();
      C_string[pos] = 0;
      return scan_fail("stringscan", fname);
    }
    C_string[pos] = (char)c;
    if (pos < dim - 1) pos++;
    if (eat_line_end(c)) break;
  }
  C_string[pos > 0 ? pos - 1 : 0] = 0;
}

void checkpoint(int pointwanted) {
  const char* cpname = inf_path;
  rln(cpname);
  int got = intscan(cpname);
  if (got == pointwanted) {
    rln(cpname);
    return;
  }
  char line3[STR_DIM];
  std::snprintf(line3, sizeof line3, "Wanted checkpoint %d, but got point %d.", pointwanted, got);
  MACIBM_exitalert("An error occurred during read-in of the aircraft file.",
                   "Either the file has been corrupted,or it is not really an aircraft file.", line3, cpname);
}

// ---------------------------------------------------------------- ranges

static void out_of_range(const char* fname, const char* field, const char* value, const char* lo, const char* hi) {
  std::snprintf(scan_problem[0], STR_DIM, "A number in a data file is out of range!");
  std::snprintf(scan_problem[1], STR_DIM, "%s", fname ? fname : "");
  std::snprintf(scan_problem[2], STR_DIM, "The %s is %s, but it must lie between %s and %s.", field, value, lo, hi);
  std::snprintf(scan_problem[3], STR_DIM, "The file may be corrupted: revert to a back-up or write it again.");
  if (scan_soft) {
    scan_failed = 1;
    set_fail();
    return;
  }
  MACIBM_exitalert(scan_problem[0], scan_problem[1], scan_problem[2], scan_problem[3]);
}

float flt_in(float v, const char* fname, const char* field, float lo, float hi) {
  if (v >= lo && v <= hi) return v;
  char a[32], b[32], c[32];
  std::snprintf(a, sizeof a, "%g", v);
  std::snprintf(b, sizeof b, "%g", lo);
  std::snprintf(c, sizeof c, "%g", hi);
  out_of_range(fname, field, a, b, c);
  return v >= lo ? hi : lo;  // NaN too
}

int int_in(int v, const char* fname, const char* field, int lo, int hi) {
  if (v >= lo && v <= hi) return v;
  char a[32], b[32], c[32];
  std::snprintf(a, sizeof a, "%d", v);
  std::snprintf(b, sizeof b, "%d", lo);
  std::snprintf(c, sizeof c, "%d", hi);
  out_of_range(fname, field, a, b, c);
  return v < lo ? lo : hi;
}

// A value that failed to scan (or follows one that did, in a soft read) is a
// scanning error, not a number out of range.
float fltscan_in(const char* fname, const char* field, float lo, float hi) {
  float v = fltscan(fname);
  return scan_failed ? v : flt_in(v, fname, field, lo, hi);
}
float fltscanNOSN_in(const char* fname, const char* field, float lo, float hi) {
  float v = fltscanNOSN(fname);
  return scan_failed ? v : flt_in(v, fname, field, lo, hi);
}
int intscan_in(const char* fname, const char* field, int lo, int hi) {
  int v = intscan(fname);
  return scan_failed ? v : int_in(v, fname, field, lo, hi);
}
int intscanNOSN_in(const char* fname, const char* field, int lo, int hi) {
  int v = intscanNOSN(fname);
  return scan_failed ? v : int_in(v, fname, field, lo, hi);
}

void rev_byte_order(void* value) {
  unsigned char* b = (unsigned char*)value;
  unsigned char t = b[0];
  b[0] = b[3];
  b[3] = t;
  t = b[1];
  b[1] = b[2];
  b[2] = t;
}

static int pending_output();

int file_kind(const char* path) {
  struct stat st;
  if (!path || !path[0] || stat(path, &st) != 0) return errno == EACCES ? INF_UNREADABLE : INF_MISSING;
  if (!S_ISREG(st.st_mode)) return INF_NOT_FILE;
  if (access(path, R_OK) != 0) return INF_UNREADABLE;
  return INF_OK;
}

const char* inf_why_text(int why) {
  switch (why) {
    case INF_MISSING: return "There is no such file.";
    case INF_NOT_FILE: return "It is not a regular file (a folder, pipe or device).";
    case INF_UNREADABLE: return "It cannot be read: you have no permission to read it.";
    case INF_NOT_DATA: return "It is empty or not a data file of this program (its first line is not \"I\" or \"A\").";
    case INF_BAD_VERSION: return "It is a data file of another version.";
    default: return "";
  }
}

static int open_failed(int why) {
  inf_open_why = why;
  if (inf.is_open()) inf.close();
  inf.setstate(std::ios::failbit);
  return 0;
}

int inf_open(const char* inf_name, int ftype, int version, int alert_bad_version) {
  // A writer that closed ouf itself still has its file waiting to be put in
  // place; do it before anyone reads it back.
  if (pending_output() && !ouf.is_open()) ouf_close();
  if (inf.is_open()) inf.close();
  inf.clear();
  inf_open_why = INF_OK;
  std::snprintf(inf_path, sizeof inf_path, "%s", inf_name ? inf_name : "");
  inf_is_bin = ftype == FTYPE_ANY_BINARY;
  // A pipe or a device would block the open or the first read for ever.
  int kind = file_kind(inf_name);
  if (kind != INF_OK) return open_failed(kind);
  // Always binary underneath: line ends are handled here, whatever wrote the file.
  inf.open(inf_name, std::ios::in | std::ios::binary);
  if (!inf.good()) return open_failed(INF_UNREADABLE);

  int mark = inf.get();
  int got = 0, readable = 0;
  if (inf_is_bin) {
    if (mark != 'a' && mark != 'i') return open_failed(INF_NOT_DATA);
    rev_inf_bin = mark == 'a';
    int v;
    if (inf.read((char*)&v, 4)) {
      if (rev_inf_bin) rev_byte_order(&v);
      got = v;
      readable = 1;
    } else {
      set_fail();
    }
  } else {
    if (mark != 'A' && mark != 'I') return open_failed(INF_NOT_DATA);
    // The rest of line 1 is the line end the whole file uses.
    int c = inf.get();
    while (c != EOF && c != '\n' && c != '\r') c = inf.get();
    if (c == EOF) return open_failed(INF_NOT_DATA);
    x_eln = (c == '\r' && inf.peek() != '\n') ? '\r' : '\n';
    eat_line_end(c);
    readable = text_int(&got);
    if (readable) {
      c = inf.get();
      while (c != EOF && !eat_line_end(c)) c = inf.get();
      if (c == EOF) set_eof();
    }
  }

  // An unreadable version line is as wrong as a wrong number.
  if (!readable || got != version) {
    if (!alert_bad_version) return open_failed(INF_BAD_VERSION);
    MACIBM_exitalert("The following file is the wrong version for this version of Tarvel:", inf_name,
                     "Throw that file away. You should only use the files that came with the program.",
                     "You may have to re-install Tarvel from the CD.");
  }
  if (!inf.good()) return open_failed(INF_NOT_DATA);
  return 1;
}

// ---------------------------------------------------------------- writing

// Floats go out in the "C" locale, and a NaN or infinity that slipped into a
// record is written as 0, so the file can always be read back.
struct finite_num_put : std::num_put<char> {
  iter_type do_put(iter_type out, std::ios_base& str, char fill, double v) const override {
    return std::num_put<char>::do_put(out, str, fill, std::isfinite(v) ? v : 0.0);
  }
  iter_type do_put(iter_type out, std::ios_base& str, char fill, long double v) const override {
    return std::num_put<char>::do_put(out, str, fill, std::isfinite(v) ? v : 0.0L);
  }
};

static const std::locale& file_locale() {
  static const std::locale loc(std::locale::classic(), new finite_num_put);
  return loc;
}

// Output goes to a temporary file beside the target, renamed over it by
// ouf_close(), so that a failed save never leaves half a file.
static char ouf_name_given[STR_DIM];
static char ouf_target[PATH_MAX];
static char ouf_temp[PATH_MAX];
static int ouf_pending = 0;
static char ouf_buf[4096];

static int pending_output() { return ouf_pending; }

static const char* const TEMP_SUFFIX = ".tmp~";

static void save_failed(const char* name) {
  MACIBM_alert("I could not save the file! Could your disk be full?", name,
               "Could the file be flagged as read-only? This happens if you copy it from a CD!",
               "Try alt-tab to put this app in the background and then make the file writable in its Properties "
               "(or with chmod u+w).",
               0);
}

// Creates the temporary file exclusively (never through a link someone left
// there) with the permissions the saved file should have; -1 on failure.
static int make_temp(const struct stat* old) {
  int n = std::snprintf(ouf_temp, sizeof ouf_temp, "%s.XXXXXX%s", ouf_target, TEMP_SUFFIX);
  if (n < 0 || n >= (int)sizeof ouf_temp) return -1;
  int fd = mkstemps(ouf_temp, (int)std::strlen(TEMP_SUFFIX));
  if (fd < 0) return -1;
  mode_t mode;
  if (old) {
    mode = old->st_mode & 0777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  return fd;
}

// Leftovers of an interrupted save of this very file ("name.XXXXXX.tmp~"),
// wherever it lies: the next save of it clears them.
static void remove_own_stray_temps(const char* target) {
  char dir[PATH_MAX];
  std::snprintf(dir, sizeof dir, "%s", target);
  char* slash = std::strrchr(dir, '/');
  const char* base = slash ? slash + 1 : target;
  if (slash) *slash = 0;
  else std::snprintf(dir, sizeof dir, ".");
  DIR* d = opendir(dir[0] ? dir : "/");
  if (!d) return;
  size_t bl = std::strlen(base), sl = std::strlen(TEMP_SUFFIX);
  while (struct dirent* e = readdir(d)) {
    const char* n = e->d_name;
    if (std::strlen(n) != bl + 7 + sl || std::strncmp(n, base, bl) != 0 || n[bl] != '.' ||
        std::strcmp(n + bl + 7, TEMP_SUFFIX) != 0)
      continue;
    char path[PATH_MAX];
    int m = std::snprintf(path, sizeof path, "%s/%s", dir, n);
    struct stat st;
    if (m > 0 && m < (int)sizeof path && lstat(path, &st) == 0 && !S_ISDIR(st.st_mode)) unlink(path);
  }
  closedir(d);
}

int ouf_open(const char* ouf_name, int ftype, int version) {
  if (ouf_pending) ouf_close();
  if (ouf.is_open()) ouf.close();
  ouf.clear();
  std::snprintf(ouf_name_given, sizeof ouf_name_given, "%s", ouf_name);

  size_t len = std::strlen(ouf_name);
  if (len + 16 >= sizeof ouf_target || len >= STR_DIM - 1) {
    MACIBM_alert("I could not save the file: its path is too long.", ouf_name_given,
                 "Choose a folder with a shorter path.", "", 0);
    return 0;
  }
  std::strcpy(ouf_target, ouf_name);
  // A link at the target is replaced by the saved file, never written
  // through; a file the user has made read-only is refused, as it always was.
  struct stat st;
  int exists = lstat(ouf_target, &st) == 0;
  int ok = ouf_name[0] != 0;
  if (ok && exists && S_ISDIR(st.st_mode)) ok = 0;
  if (ok && exists && S_ISREG(st.st_mode) && access(ouf_target, W_OK) != 0) ok = 0;
  if (ok) remove_own_stray_temps(ouf_target);
  int fd = ok ? make_temp(exists && S_ISREG(st.st_mode) ? &st : nullptr) : -1;
  if (fd < 0) ok = 0;
  if (ok) {
    ouf.rdbuf()->pubsetbuf(ouf_buf, sizeof ouf_buf);
    ouf.imbue(file_locale());
    ouf.open(ouf_temp, std::ios::out | std::ios::trunc | std::ios::binary);
    close(fd);
    if (ftype == FTYPE_ANY_BINARY) {
      // Little-endian whatever the machine.
      unsigned int u = (unsigned int)version;
      char head[5] = {'i', (char)(u & 255), (char)((u >> 8) & 255), (char)((u >> 16) & 255), (char)(u >> 24)};
      ouf.write(head, 5);
    } else {
      ouf << "I\n" << version << " version\n";
    }
    ok = ouf.good();
  }
  if (!ok) {
    if (ouf.is_open()) ouf.close();
    if (fd >= 0) unlink(ouf_temp);
    save_failed(ouf_name);
    return 0;
  }
  ouf_pending = 1;
  return 1;
}

int ouf_close() {
  if (!ouf_pending) {
    if (ouf.is_open()) ouf.close();
    return 1;
  }
  ouf_pending = 0;
  int ok;
  if (ouf.is_open()) {
    ouf.flush();
    ok = ouf.good();
    ouf.close();
    if (ouf.fail()) ok = 0;
  } else {
    ok = !ouf.fail() && !ouf.bad();
  }
  if (ok) {
    // On the disk before the rename, so a crash leaves the old file or the new.
    int fd = open(ouf_temp, O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0) ok = 0;
    if (fd >= 0) close(fd);
  }
  if (ok && std::rename(ouf_temp, ouf_target) == 0) return 1;
  unlink(ouf_temp);
  save_failed(ouf_name_given);
  return 0;
}

int save_text_file(const char* path, const char* text) {
  char temp[PATH_MAX];
  int n = std::snprintf(temp, sizeof temp, "%s.XXXXXX%s", path, TEMP_SUFFIX);
  if (!path[0] || n < 0 || n >= (int)sizeof temp) return 0;
  int fd = mkstemps(temp, (int)std::strlen(TEMP_SUFFIX));
  if (fd < 0) return 0;
  fchmod(fd, 0644);
  size_t len = std::strlen(text);
  int ok = write(fd, text, len) == (ssize_t)len && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok && std::rename(temp, path) == 0) return 1;
  unlink(temp);
  return 0;
}

std::FILE* fopen_output(const char* path) {
  if (!path || !path[0]) return nullptr;
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "w");
  if (!f) close(fd);
  return f;
}

int remove_stray_temps(const char* folder) {
  if (!folder || !folder[0]) return 0;
  DIR* d = opendir(folder);
  if (!d) return 0;
  int removed = 0;
  size_t sl = std::strlen(TEMP_SUFFIX);
  while (struct dirent* e = readdir(d)) {
    size_t n = std::strlen(e->d_name);
    if (n <= sl || std::strcmp(e->d_name + n - sl, TEMP_SUFFIX) != 0) continue;
    char path[PATH_MAX];
    int m = std::snprintf(path, sizeof path, "%s/%s", folder, e->d_name);
    struct stat st;
    // Only files: unlink removes a link itself, never what it points at.
    if (m > 0 && m < (int)sizeof path && lstat(path, &st) == 0 && !S_ISDIR(st.st_mode) && unlink(path) == 0)
      removed++;
  }
  closedir(d);
  return removed;
}

// ---------------------------------------------------------------- dialogs

int build_IBM_filter(const char* name, const char* ext) {
  char disp[STR_DIM], pat[STR_DIM];
  std::snprintf(disp, sizeof disp, "%s (*.%s)", name, ext);
  std::snprintf(pat, sizeof pat, "*.%s", ext);
  size_t b = std::strlen(pat);
  if (b > STR_DIM / 2) b = STR_DIM / 2, pat[b] = 0;
  size_t a = std::strlen(disp);
  if (a + 1 + b + 2 > STR_DIM) a = STR_DIM - b - 3, disp[a] = 0;
  std::memcpy(filter_str, disp, a + 1);
  std::memcpy(filter_str + a + 1, pat, b + 1);
  filter_str[a + 1 + b + 1] = 0;
  std::snprintf(def_ext, 5, "%s", ext);
  return (int)(a + 1 + b + 2);
}

void set_up_IBM_filter(int file_type) {
  switch (file_type) {
    case FTYPE_AIRFOIL: build_IBM_filter("Airfoil", "afl"); break;
    case FTYPE_FLAP: build_IBM_filter("Flap", "flp"); break;
    case FTYPE_SITUATION: build_IBM_filter("Situation", "sit"); break;
    case FTYPE_AIRCRAFT: build_IBM_filter("Aircraft", "acf"); break;
    case FTYPE_ANY_TEXT: build_IBM_filter("Any", "*"); break;
    default: break;  // keeps the previous filter
  }
}

static void bounded_copy(char* dst, const char* src, size_t size) {
  size_t n = strnlen(src, size - 1);
  std::memmove(dst, src, n);
  dst[n] = 0;
}

static int run_dialog(int save, char* C_file, char* C_path, int file_type) {
  if (hok.stop_sounds) hok.stop_sounds();
  set_up_IBM_filter(file_type);
  const char* ext = def_ext[0] ? def_ext : "*";

  // Start where the caller's path points, else in the application folder.
  char folder[STR_DIM], start_name[STR_DIM];
  bounded_copy(folder, C_path, sizeof folder);
  char* slash = std::strrchr(folder, '/');
  if (slash) {
    bounded_copy(start_name, slash + 1, sizeof start_name);
    slash[slash == folder ? 1 : 0] = 0;
  } else {
    bounded_copy(start_name, folder[0] ? folder : C_file, sizeof start_name);
    bounded_copy(folder, app_path, sizeof folder);
  }

  char path[STR_DIM], file[STR_DIM];
  int ok = desk_file_dialog(save, folder, ext, start_name, path, sizeof path, file, sizeof file);
  // A name typed without an extension gets the type's own.
  if (ok && save && ext[0] != '*' && !std::strchr(file, '.')) {
    size_t e = std::strlen(ext) + 1;
    if (std::strlen(path) + e < sizeof path && std::strlen(file) + e < sizeof file) {
      std::strcat(path, ".");
      std::strcat(path, ext);
      std::strcat(file, ".");
      std::strcat(file, ext);
    } else {
      ok = 0;
    }
  }
  if (ok) {
    bounded_copy(C_path, path, STR_DIM);
    bounded_copy(C_file, file, STR_DIM);
  }
  if (hok.restart_sounds) hok.restart_sounds();
  return ok;
}

int MACIBM_open(char* C_file, char* C_path, int file_type) { return run_dialog(0, C_file, C_path, file_type); }
int MACIBM_save(char* C_file, char* C_path, int file_type) { return run_dialog(1, C_file, C_path, file_type); }

// ---------------------------------------------------------------- paths

// True when s holds ".." as a whole path component.
static int has_dotdot(const char* s) {
  for (const char* p = s; (p = std::strstr(p, "..")) != nullptr; p += 2) {
    int starts = p == s || p[-1] == '/';
    int ends = p[2] == 0 || p[2] == '/';
    if (starts && ends) return 1;
  }
  return 0;
}

int ap_dir(const char* dir, const char* file, char* path) {
  char out[STR_DIM];
  const char* sep = app_path[0] && app_path[std::strlen(app_path) - 1] != '/' ? "/" : "";
  int n;
  if (dir && dir[0])
    n = std::snprintf(out, sizeof out, "%s%s%s/%s", app_path, sep, dir, file);
  else
    n = std::snprintf(out, sizeof out, "%s%s%s", app_path, sep, file);
  // Names from data files may carry the old backslash separators.
  size_t base = std::strlen(app_path);
  for (char* p = out + base; *p; p++)
    if (*p == '\\') *p = '/';
  // A name that does not fit, or climbs out of the folder, opens nothing.
  if (n < 0 || n >= (int)sizeof out || has_dotdot(out + base)) {
    path[0] = 0;
    return 0;
  }
  std::memcpy(path, out, (size_t)n + 1);
  return 1;
}
