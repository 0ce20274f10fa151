// Monotonic millisecond clock, with a fake clock for tests and headless runs,
// and the 15-bit random generator.
#include "basekit/platform/platform.h"
#include <chrono>
#include <thread>

static int fake_clock_on = 0;
static uint64_t fake_clock_ms = 0;

uint64_t plat_ticks_ms() {
  if (fake_clock_on) return fake_clock_ms;
  using namespace std::chrono;
  static const steady_clock::time_point start = steady_clock::now();
  return (uint64_t)duration_cast<milliseconds>(steady_clock::now() - start).count();
}

void plat_use_fake_clock(uint64_t start_ms) {
  fake_clock_on = 1;
  fake_clock_ms = start_ms;
}

void plat_advance_fake_clock(uint64_t ms) { fake_clock_ms += ms; }

void plat_delay_ms(uint32_t ms) {
  if (fake_clock_on) {
    fake_clock_ms += ms;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The classic portable generator: the same sequence on every machine for a seed.
static uint32_t rand_state = 1;

void plat_srand(uint32_t seed) { rand_state = seed; }

int plat_rand() {
  rand_state = rand_state * 1103515245u + 12345u;
  return (int)((rand_state / 65536u) % 32768u);
}
