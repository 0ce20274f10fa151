// Joysticks and force feedback through SDL. Devices come and go while the
// program runs; a gamepad reads as a flight stick; a fake device stands in
// for tests and scripts.
#include <SDL.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

enum { MAX_DEVICES = 4 };
static SDL_Joystick* devices[MAX_DEVICES];
static SDL_GameController* pads[MAX_DEVICES];  // the same device through the game-controller layer
static int fake_set[MAX_DEVICES];
static plat_joy_state fake_state[MAX_DEVICES];

// A gamepad's throttle is a lever that its buttons and stick move, kept per
// device across the reopening of the list.
struct lever {
  SDL_JoystickID id;
  float pos;         // 0 idle .. 1 full
  uint64_t read_ms;  // when it last moved
};
static std::vector<lever> levers;

static void open_devices() {
  if (!plat_started()) return;
  int n = SDL_NumJoysticks();
  for (int i = 0; i < n && i < MAX_DEVICES; i++) {
    if (devices[i]) continue;
    if (SDL_IsGameController(i) && (pads[i] = SDL_GameControllerOpen(i)) != nullptr)
      devices[i] = SDL_GameControllerGetJoystick(pads[i]);
    else
      devices[i] = SDL_JoystickOpen(i);
  }
}

void plat_joy_close_all() {
  for (int i = 0; i < MAX_DEVICES; i++) {
    if (pads[i]) SDL_GameControllerClose(pads[i]);
    else if (devices[i]) SDL_JoystickClose(devices[i]);
    pads[i] = nullptr;
    devices[i] = nullptr;
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

uint32_t plat_joy_fingerprint() {
  std::vector<std::string> ids;
  for (int i = 0; i < MAX_DEVICES; i++)
    if (fake_set[i]) ids.push_back("fake " + std::to_string(i));
  if (ids.empty() && plat_started())
    for (int i = 0; i < SDL_NumJoysticks(); i++) {
      char guid[64];
      SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(i), guid, sizeof guid);
      ids.push_back(guid);
    }
  if (ids.empty()) return 0;
  std::sort(ids.begin(), ids.end());
  uint32_t h = 2166136261u;  // FNV-1a over the sorted identities
  for (const std::string& id : ids)
    for (char c : id + "\n") h = (h ^ (uint8_t)c) * 16777619u;
  return h ? h : 1;
}

int plat_joy_is_pad(int device) {
  if (device < 0 || device >= MAX_DEVICES || fake_set[device]) return 0;
  open_devices();
  return pads[device] != nullptr;
}

static int scale_axis(int v) { return v < -32768 ? -32768 : v > 32767 ? 32767 : v; }

// A stick's slack around its centre is cut out, the rest stretched to full travel.
static int stick(SDL_GameController* p, SDL_GameControllerAxis a) {
  const int slack = 2600;
  int v = SDL_GameControllerGetAxis(p, a);
  if (v > -slack && v < slack) return 0;
  int s = v < 0 ? -1 : 1, m = v < 0 ? -v : v;
  return scale_axis(s * (int)((long)(m - slack) * 32767 / (32767 - slack)));
}

static lever* lever_of(SDL_Joystick* d) {
  SDL_JoystickID id = SDL_JoystickInstanceID(d);
  for (lever& l : levers)
    if (l.id == id) return &l;
  levers.push_back({id, 0, plat_ticks_ms()});
  return &levers.back();
}

// The shoulder buttons run the lever from idle to full in two seconds; the
// right stick pushed up or pulled down moves it as fast at full deflection.
static float move_lever(SDL_GameController* p, lever* l) {
  uint64_t now = plat_ticks_ms();
  float dt = (float)(now - l->read_ms) / 1000.0f;
  l->read_ms = now;
  if (dt > 0.1f) dt = 0.1f;  // after a pause the lever does not jump
  float rate = 0;
  if (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER)) rate += 0.5f;
  if (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_LEFTSHOULDER)) rate -= 0.5f;
  int up = -stick(p, SDL_CONTROLLER_AXIS_RIGHTY);
  if (up > 8192 || up < -8192) rate += 0.5f * (float)up / 32767.0f;
  l->pos += rate * dt;
  l->pos = l->pos < 0 ? 0 : l->pos > 1 ? 1 : l->pos;
  return l->pos;
}

static void read_pad(SDL_GameController* p, SDL_Joystick* d, plat_joy_state* st) {
  SDL_GameControllerUpdate();
  st->axes = 4;
  st->axis[0] = stick(p, SDL_CONTROLLER_AXIS_LEFTX);
  st->axis[1] = stick(p, SDL_CONTROLLER_AXIS_LEFTY);
  // A flight stick's throttle axis reads 1.1 at -32768 and -0.1 at 32767
  // (a stop past each end); the lever's idle and full sit where it reads 0 and 1.
  float f = move_lever(p, lever_of(d));
  st->axis[2] = scale_axis((int)((1.1f - f) / 1.2f * 65537.0f + 0.5f) - 32768);
  st->axis[3] = scale_axis(stick(p, SDL_CONTROLLER_AXIS_RIGHTX) +
                           SDL_GameControllerGetAxis(p, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) -
                           SDL_GameControllerGetAxis(p, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
  // Buttons 1 to 4 count only pressed alone: the ones pressed together in a
  // hurry (brakes, speed brake) are among them, the flaps and views are not.
  static const SDL_GameControllerButton as_button[12] = {
      SDL_CONTROLLER_BUTTON_BACK,      SDL_CONTROLLER_BUTTON_B,          SDL_CONTROLLER_BUTTON_INVALID,
      SDL_CONTROLLER_BUTTON_A,         SDL_CONTROLLER_BUTTON_Y,          SDL_CONTROLLER_BUTTON_X,
      SDL_CONTROLLER_BUTTON_LEFTSTICK, SDL_CONTROLLER_BUTTON_RIGHTSTICK, SDL_CONTROLLER_BUTTON_INVALID,
      SDL_CONTROLLER_BUTTON_START,     SDL_CONTROLLER_BUTTON_INVALID,    SDL_CONTROLLER_BUTTON_INVALID};
  st->buttons = 12;
  for (int b = 0; b < 12; b++)
    st->button[b] = as_button[b] != SDL_CONTROLLER_BUTTON_INVALID && SDL_GameControllerGetButton(p, as_button[b]);
  st->hat = (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_DPAD_UP) ? 1 : 0) |
            (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) ? 2 : 0) |
            (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_DPAD_DOWN) ? 4 : 0) |
            (SDL_GameControllerGetButton(p, SDL_CONTROLLER_BUTTON_DPAD_LEFT) ? 8 : 0);
}

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
  std::memset(st, 0, sizeof *st);
  if (pads[device]) {
    read_pad(pads[device], d, st);
    return 1;
  }
  SDL_JoystickUpdate();
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

// ---- a virtual gamepad ----
static int virtual_index = -1;
static SDL_Joystick* virtual_handle = nullptr;

int plat_pad_attach() {
  if (!plat_started()) return 0;
  if (virtual_handle) return 1;
  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Virtual gamepad";
  virtual_index = SDL_JoystickAttachVirtualEx(&desc);
  if (virtual_index < 0) return 0;
  virtual_handle = SDL_JoystickOpen(virtual_index);
  if (!virtual_handle) {
    SDL_JoystickDetachVirtual(virtual_index);
    virtual_index = -1;
    return 0;
  }
  return 1;
}

void plat_pad_detach() {
  if (!virtual_handle) return;
  SDL_JoystickID id = SDL_JoystickInstanceID(virtual_handle);
  SDL_JoystickClose(virtual_handle);
  // Its index may have moved as other devices came and went.
  for (int i = 0; i < SDL_NumJoysticks(); i++)
    if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
  virtual_handle = nullptr;
  virtual_index = -1;
}

void plat_pad_axis(int axis, int value) {
  if (!virtual_handle || axis < 0 || axis >= PLAT_PAD_AXES) return;
  // A trigger's raw axis spans the whole range for its 0..32767.
  if (axis == PLAT_PAD_TRIGGERLEFT || axis == PLAT_PAD_TRIGGERRIGHT)
    value = (value < 0 ? 0 : value > 32767 ? 32767 : value) * 2 - 32767;
  SDL_JoystickSetVirtualAxis(virtual_handle, axis, (Sint16)scale_axis(value));
}

void plat_pad_button(int button, int down) {
  if (virtual_handle && button >= 0 && button < PLAT_PAD_BUTTONS)
    SDL_JoystickSetVirtualButton(virtual_handle, button, down ? 1 : 0);
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
