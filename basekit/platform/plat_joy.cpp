// Joysticks and force feedback through SDL. Devices come and go while the
// program runs; a fake device stands in for tests and scripts.
#include <SDL.h>
#include <cstring>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

enum { MAX_DEVICES = 4 };
static SDL_Joystick* devices[MAX_DEVICES];
static int fake_set[MAX_DEVICES];
static plat_joy_state fake_state[MAX_DEVICES];

static void open_devices() {
  if (!plat_started()) return;
  int n = SDL_NumJoysticks();
  for (int i = 0; i < n && i < MAX_DEVICES; i++)
    if (!devices[i]) devices[i] = SDL_JoystickOpen(i);
}

void plat_joy_close_all() {
  for (SDL_Joystick*& d : devices) {
    if (d) SDL_JoystickClose(d);
    d = nullptr;
  }
}

void plat_joy_device_event(int added, int which) {
  (void)which;
  // Reopen the whole list: indices shift when a device leaves.
  plat_joy_close_all();
  if (added || SDL_NumJoysticks() > 0) open_devices();
}

int plat_joy_subsystem() {
  for (int i = 0; i < MAX_DEVICES; i++)
    if (fake_set[i]) return 1;
  return plat_started() && SDL_WasInit(SDL_INIT_JOYSTICK) != 0;
}

int plat_joy_count() {
  int fakes = 0;
  for (int i = 0; i < MAX_DEVICES; i++) fakes += fake_set[i];
  if (fakes) return fakes;
  if (!plat_started()) return 0;
  return SDL_NumJoysticks();
}

static int scale_axis(int v) { return v < -32768 ? -32768 : v > 32767 ? 32767 : v; }

int plat_joy_read(int device, plat_joy_state* st) {
  if (device < 0 || device >= MAX_DEVICES) return 0;
  if (fake_set[device]) {
    *st = fake_state[device];
    st->axes = st->axes < 0 ? 0 : st->axes > PLAT_JOY_AXES ? PLAT_JOY_AXES : st->axes;
    st->buttons = st->buttons < 0 ? 0 : st->buttons > PLAT_JOY_BUTTONS ? PLAT_JOY_BUTTONS : st->buttons;
    for (int i = 0; i < PLAT_JOY_AXES; i++) st->axis[i] = scale_axis(st->axis[i]);
    return 1;
  }
  open_devices();
  SDL_Joystick* d = devices[device];
  if (!d || !SDL_JoystickGetAttached(d)) return 0;
  SDL_JoystickUpdate();
  std::memset(st, 0, sizeof *st);
  st->axes = SDL_JoystickNumAxes(d);
  st->buttons = SDL_JoystickNumButtons(d);
  if (st->axes < 0) st->axes = 0;
  if (st->buttons < 0) st->buttons = 0;
  if (st->axes > PLAT_JOY_AXES) st->axes = PLAT_JOY_AXES;
  if (st->buttons > PLAT_JOY_BUTTONS) st->buttons = PLAT_JOY_BUTTONS;
  for (int i = 0; i < st->axes; i++) st->axis[i] = scale_axis(SDL_JoystickGetAxis(d, i));
  for (int i = 0; i < st->buttons; i++) st->button[i] = SDL_JoystickGetButton(d, i) != 0;
  if (SDL_JoystickNumHats(d) > 0) {
    Uint8 h = SDL_JoystickGetHat(d, 0);
    st->hat = ((h & SDL_HAT_UP) ? 1 : 0) | ((h & SDL_HAT_RIGHT) ? 2 : 0) | ((h & SDL_HAT_DOWN) ? 4 : 0) |
              ((h & SDL_HAT_LEFT) ? 8 : 0);
  }
  return 1;
}

void plat_joy_set_fake(int device, const plat_joy_state* st) {
  if (device < 0 || device >= MAX_DEVICES) return;
  fake_set[device] = st != nullptr;
  if (st) fake_state[device] = *st;
}

// ---- force feedback ----
static SDL_Haptic* haptic = nullptr;
static int effect_spring[2] = {-1, -1}, effect_vibration[2] = {-1, -1};
static int effect_buffet = -1, effect_jolt = -1;

int plat_haptic_open(int device) {
  plat_haptic_close();
  open_devices();
  if (device < 0 || device >= MAX_DEVICES || !devices[device]) return 0;
  if (!SDL_JoystickIsHaptic(devices[device])) return 0;
  haptic = SDL_HapticOpenFromJoystick(devices[device]);
  return haptic != nullptr;
}

void plat_haptic_close() {
  if (haptic) SDL_HapticClose(haptic);
  haptic = nullptr;
  effect_spring[0] = effect_spring[1] = effect_vibration[0] = effect_vibration[1] = -1;
  effect_buffet = effect_jolt = -1;
}

// Runs an effect in its slot, replacing what the slot held.
static void run_effect(int* slot, SDL_HapticEffect* effect, Uint32 iterations) {
  if (!haptic) return;
  if (*slot >= 0) SDL_HapticDestroyEffect(haptic, *slot);
  *slot = SDL_HapticNewEffect(haptic, effect);
  if (*slot >= 0) SDL_HapticRunEffect(haptic, *slot, iterations);
}

static void stop_effect(int* slot) {
  if (haptic && *slot >= 0) SDL_HapticDestroyEffect(haptic, *slot);
  *slot = -1;
}

static Sint16 percent_to_level(int p) { return (Sint16)(p * 32767 / 100); }

void plat_haptic_spring(int axis, int center, int stiffness) {
  if (!haptic || axis < 0 || axis > 1 || !(SDL_HapticQuery(haptic) & SDL_HAPTIC_SPRING)) return;
  SDL_HapticEffect e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_HAPTIC_SPRING;
  e.condition.length = SDL_HAPTIC_INFINITY;
  e.condition.right_sat[axis] = e.condition.left_sat[axis] = 0xFFFF;
  e.condition.right_coeff[axis] = e.condition.left_coeff[axis] = percent_to_level(stiffness);
  e.condition.center[axis] = percent_to_level(center);
  run_effect(&effect_spring[axis], &e, 1);
}

void plat_haptic_vibration(int axis, int magnitude, int frequency) {
  if (!haptic || axis < 0 || axis > 1 || !(SDL_HapticQuery(haptic) & SDL_HAPTIC_SINE)) return;
  SDL_HapticEffect e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_HAPTIC_SINE;
  e.periodic.direction.type = SDL_HAPTIC_CARTESIAN;
  e.periodic.direction.dir[0] = axis == 0 ? 1 : 0;
  e.periodic.direction.dir[1] = axis == 1 ? 1 : 0;
  e.periodic.period = (Uint16)(frequency > 0 ? 1000 / frequency : 1000);
  e.periodic.magnitude = percent_to_level(magnitude);
  e.periodic.length = SDL_HAPTIC_INFINITY;
  run_effect(&effect_vibration[axis], &e, 1);
}

void plat_haptic_vibration_clear(int axis) {
  if (axis >= 0 && axis <= 1) stop_effect(&effect_vibration[axis]);
}

void plat_haptic_buffet(int magnitude) {
  if (!haptic || !(SDL_HapticQuery(haptic) & SDL_HAPTIC_SINE)) return;
  SDL_HapticEffect e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_HAPTIC_SINE;
  e.periodic.direction.type = SDL_HAPTIC_CARTESIAN;
  e.periodic.direction.dir[0] = 1;
  e.periodic.direction.dir[1] = 1;
  e.periodic.period = 60;
  e.periodic.magnitude = percent_to_level(magnitude);
  e.periodic.length = SDL_HAPTIC_INFINITY;
  run_effect(&effect_buffet, &e, 1);
}

void plat_haptic_buffet_clear() { stop_effect(&effect_buffet); }

void plat_haptic_jolt(int magnitude, int direction_deg, int duration_ms) {
  if (!haptic || !(SDL_HapticQuery(haptic) & SDL_HAPTIC_CONSTANT)) return;
  SDL_HapticEffect e;
  std::memset(&e, 0, sizeof e);
  e.type = SDL_HAPTIC_CONSTANT;
  e.constant.direction.type = SDL_HAPTIC_POLAR;
  e.constant.direction.dir[0] = direction_deg * 100;
  e.constant.length = (Uint32)duration_ms;
  e.constant.level = percent_to_level(magnitude);
  run_effect(&effect_jolt, &e, 1);
}

void plat_haptic_clear() {
  stop_effect(&effect_spring[0]);
  stop_effect(&effect_spring[1]);
  stop_effect(&effect_vibration[0]);
  stop_effect(&effect_vibration[1]);
  stop_effect(&effect_buffet);
  stop_effect(&effect_jolt);
  if (haptic) SDL_HapticStopAll(haptic);
}
