// Everything the programs ask of the operating system. Nothing above this
// layer includes an SDL or espeak header.
#pragma once
#include <stdint.h>

enum { PLAT_SCREEN_W = 800, PLAT_SCREEN_H = 600 };

// ---- start-up, shut-down ----
int  plat_init(const char* window_title);  // 1 on success
void plat_quit();
int  plat_headless();                       // 1 on SDL's dummy or offscreen video driver

// ---- the virtual screen: 800 x 600 palette indices ----
uint8_t* plat_screen();
void plat_set_palette_entry(int index, uint8_t r, uint8_t g, uint8_t b);
void plat_get_palette_entry(int index, uint8_t* r, uint8_t* g, uint8_t* b);
void plat_present();                        // screen through the palette to the window
void plat_screen_to_argb(uint32_t* out, int pitch_bytes);  // the conversion present does
int  plat_save_png(const char* path);       // 1 on success

// ---- clock (monotonic milliseconds) ----
uint64_t plat_ticks_ms();
void plat_delay_ms(uint32_t ms);
// A fake clock for tests and headless runs: it moves only when told to.
void plat_use_fake_clock(uint64_t start_ms);
void plat_advance_fake_clock(uint64_t ms);

// ---- random numbers (0..32767, a 15-bit generator that repeats across machines) ----
void plat_srand(uint32_t seed);
int  plat_rand();

// ---- input ----
enum {
  KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_RETURN = 13, KEY_ESCAPE = 27, KEY_DELETE = 127,
  KEY_F1 = 0x170,  // KEY_F1 + n - 1 is Fn, up to F12
  KEY_KP0 = 0x180, // KEY_KP0 + n is keypad n
  KEY_KP_PERIOD = 0x18A, KEY_KP_ENTER, KEY_KP_PLUS, KEY_KP_MINUS, KEY_KP_MULTIPLY, KEY_KP_DIVIDE,
  KEY_UP = 0x190, KEY_DOWN, KEY_LEFT, KEY_RIGHT, KEY_HOME, KEY_END, KEY_PAGEUP, KEY_PAGEDOWN,
  KEY_SHIFT = 0x1A0, KEY_CTRL, KEY_ALT
};  // printable keys are their unshifted US-layout characters
enum { PLAT_MOD_SHIFT = 1, PLAT_MOD_CTRL = 2, PLAT_MOD_ALT = 4 };
enum { PLAT_EV_NONE, PLAT_EV_QUIT, PLAT_EV_KEYDOWN, PLAT_EV_KEYUP, PLAT_EV_MOUSEMOVE,
       PLAT_EV_BUTTONDOWN, PLAT_EV_BUTTONUP, PLAT_EV_WHEEL, PLAT_EV_EXPOSE,
       PLAT_EV_JOYADDED, PLAT_EV_JOYREMOVED };
struct plat_event {
  int type;
  int key, mods;   // key events
  int text;        // the character the key types with its modifiers (0 if none)
  int x, y;        // mouse events, virtual-screen pixels
  int button;      // 1 left, 2 middle, 3 right; wheel: +1 up, -1 down
};
int  plat_poll_event(plat_event* ev);        // 1 while events remain
void plat_inject_event(const plat_event* ev); // scripts and tests
void plat_inject_key(int key, int shift);     // a press and release, with Shift around it
int  plat_shift_down();
int  plat_key_down(int key);
void plat_show_cursor(int on);
void plat_mouse_position(int* x, int* y);

// ---- window-system text into 8-bit pixels ----
enum { PLAT_FONT_SYSTEM = 0, PLAT_FONT_PROPORTIONAL = 1, PLAT_FONT_BOLD = 2 };
int  plat_text_width(int font, const char* text);
int  plat_font_height(int font);
int  plat_font_ascent(int font);
// Clipped to the w x h target; y is the top of the text line.
void plat_draw_text(uint8_t* pix, int row, int w, int h, int font, int x, int y,
                    const char* text, uint8_t color);

// ---- joysticks (axes -32768..32767, buttons 0/1, hat bits 1 up 2 right 4 down 8 left) ----
enum { PLAT_JOY_AXES = 8, PLAT_JOY_BUTTONS = 32 };
struct plat_joy_state { int axes, buttons; int axis[PLAT_JOY_AXES]; int button[PLAT_JOY_BUTTONS]; int hat; };
int  plat_joy_subsystem();                   // 0 when the system cannot handle joysticks at all
int  plat_joy_count();                       // devices present
int  plat_joy_read(int device, plat_joy_state* st);  // 1 on success
// A fake device replaces the real ones while set (tests, scripts); null removes it.
void plat_joy_set_fake(int device, const plat_joy_state* st);

// ---- force feedback on a joystick (nothing happens on a device without it) ----
int  plat_haptic_open(int device);           // 1 when the device has force feedback
void plat_haptic_close();
void plat_haptic_spring(int axis, int center, int stiffness);        // -100..100, 0..100
void plat_haptic_vibration(int axis, int magnitude, int frequency);  // 0..100, hertz
void plat_haptic_vibration_clear(int axis);
void plat_haptic_buffet(int magnitude);
void plat_haptic_buffet_clear();
void plat_haptic_jolt(int magnitude, int direction_deg, int duration_ms);
void plat_haptic_clear();

// ---- sound: clips mixed into one stream ----
int  plat_audio_init();                      // 1 when an output device opened
void plat_audio_quit();
int  plat_clip_load(int slot, const int16_t* pcm, int frames, int channels, int rate);
void plat_clip_play(int slot, int loop);
void plat_clip_stop(int slot);
void plat_clip_set(int slot, float rate_ratio, float volume);  // playback rate, 0..1
int  plat_clip_playing(int slot);
enum { PLAT_CLIPS = 64 };

// ---- speech ----
int  plat_speech_init();                     // 1 when a voice is available
// Synthesises text into 16-bit mono PCM at plat_speech_rate(); returns frames, or -1.
int  plat_speech_synth(const char* text, int16_t* pcm, int max_frames);
int  plat_speech_rate();

// ---- folders ----
const char* plat_app_dir();                  // the shipped data folder, no trailing '/'
// The user's configuration and data folders for a program ("tarvel", "gridwright"),
// created when missing; no trailing '/'. "" when there is no home folder (and
// no absolute $XDG_* folder) or the folder cannot be made: nothing is saved then.
const char* plat_config_dir(const char* program);
const char* plat_data_dir(const char* program);
