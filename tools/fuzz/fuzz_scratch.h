// Where the fuzz targets write the file under test on every run: a memory
// file system when there is one, since a disk's truncate-and-write cost
// more than the reading being fuzzed.
#pragma once
#include <unistd.h>

inline const char* fuzz_scratch_root() { return access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp"; }
