// Everything the programs ask of the operating system. Nothing above this
// layer includes an SDL or espeak header.
#pragma once
#include <stdint.h>
#include <cstdio>

enum { PLAT_SCREEN_W = 800, PLAT_SCREEN_H = 600 };

// ---- start-up, shut-down ----
// 1 on success. Without a display (SDL falls back to its offscreen driver
// when none was asked for) it says so on stderr and returns 0.
int  plat_init(const char* window_title);
void plat_quit();
int  plat_headless();                       // 1 on SDL's dummy or offscreen video driver, asked for

// ---- the command line both programs share ----
struct plat_program {
  const char* name;          // "tarvel": messages, --version
  const char* version;
  const char* summary;       // the line under the usage line
  const char* options_help;  // the program's own options, one "  --x  what" line each
  const char* notes;         // paragraphs after the options
  // The program's own option at argv[i]: returns the arguments it took
  // (1 or 2), 0 when it is not one of them, -1 when its value is bad
  // (after saying why on stderr).
  int (*option)(int argc, char** argv, int i);
  const char* desktop_id;    // the desktop entry's name, which the window's class matches
};
enum { PLAT_RUN = -1 };
// Reads the options: -f/--fullscreen, -w/--window, --whole-scale,
// --smooth-scale, -h/--help, -V/--version and the program's own. Returns
// PLAT_RUN to go on, or the status to exit with: 0 after --help or
// --version (printed to out), 2 after a usage message (to err).
int  plat_command_line(const plat_program* p, int argc, char** argv, FILE* out, FILE* err);
const char* plat_program_name();            // for messages, "tarvel" until told

// ---- the virtual screen: 800 x 600 palette indices ----
uint8_t* plat_screen();
void plat_set_palette_entry(int index, uint8_t r, uint8_t g, uint8_t b);
void plat_get_palette_entry(int index, uint8_t* r, uint8_t* g, uint8_t* b);
void plat_present();                        // screen through the palette to the window
void plat_screen_to_argb(uint32_t* out, int pitch_bytes);  // the conversion present does
int  plat_save_png(const char* path);       // 1 on success
// An 8-bit palette PNG's pixel values (its indices, not its colours), in a
// buffer of dx x dy bytes the caller frees; 1 on success, 0 for a missing,
// unreadable or other kind of file.
int  plat_load_png_indices(const char* path, int* dx, int* dy, uint8_t** pixels);

// ---- the window: the virtual screen scaled to fill it, keeping its shape ----
struct plat_rect { int x, y, w, h; };
// The picture's rectangle in a window (drawable) of w x h pixels: the largest
// 4:3 rectangle that fits, centred; with whole_only, the largest whole
// multiple of 800 x 600 when one fits. Smaller windows scale it down.
plat_rect plat_picture_rect(int w, int h, int whole_only);
int  plat_whole_factor(const plat_rect& pic);  // the nearest-neighbour stage, at least 1
// The virtual-screen pixel shown at window pixel (wx, wy), clamped to the screen.
void plat_window_to_screen(const plat_rect& pic, int wx, int wy, int* sx, int* sy);
// The screen through the palette into the w x h pixels of the picture: each
// pixel the average of the virtual pixels under it, so sharp inside them and
// blended only along their edges (nearest-neighbour at whole factors). With
// row_changed (one flag per virtual row), only picture rows showing a changed
// row are drawn; the others are left as they were.
void plat_scale_screen(const uint8_t* screen, const uint32_t* palette, uint32_t* out, int pitch_bytes, int w, int h,
                       const uint8_t* row_changed = nullptr);
// The first window: the largest 4:3 size in the desktop's usable area.
void plat_first_window_size(int usable_w, int usable_h, int* w, int* h);
// The user's choice in the program (Alt+Enter toggles full screen): in force
// at once, and what the preferences are to remember.
void plat_set_fullscreen(int on);
void plat_set_whole_scale(int on);          // whole factors only, black borders around
int  plat_fullscreen();                     // in force
int  plat_whole_scale();
int  plat_fullscreen_choice();              // to remember
int  plat_whole_scale_choice();
// What the preferences remember: in force unless the command line chose
// otherwise for this run.
void plat_prefer_fullscreen(int on);
void plat_prefer_whole_scale(int on);

// ---- frame pacing ----
// The program's frame loop calls plat_wait_frame once a frame (the message
// pump does): it holds the loop to the display's refresh rate when the
// driver does not wait for vertical sync, and while idle (paused, a
// settings window or alert open, the window minimised) to a few frames a
// second, waking at once for input. Headless runs never wait.
void plat_set_idle(int idle);
void plat_wait_frame();

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
// The set of devices plugged in, as a number that changes when the set does; 0 for none.
uint32_t plat_joy_fingerprint();
// A gamepad (a device SDL's game-controller layer knows, from its built-in
// mappings or SDL_GAMECONTROLLERCONFIG) reads as a flight stick: axis 0 roll
// (left stick), 1 pitch (left stick), 2 throttle (a lever the shoulder
// buttons and the right stick move up and down), 3 rudder (right stick
// sideways, right trigger less left trigger); the d-pad is the hat; buttons
// 1 back, 2 B, 4 A, 5 Y, 6 X, 7 and 8 the stick clicks, 10 start.
int  plat_joy_is_pad(int device);
// An SDL virtual gamepad, for tests and scripts; it comes and goes as a real one would.
enum { PLAT_PAD_LEFTX, PLAT_PAD_LEFTY, PLAT_PAD_RIGHTX, PLAT_PAD_RIGHTY, PLAT_PAD_TRIGGERLEFT,
       PLAT_PAD_TRIGGERRIGHT, PLAT_PAD_AXES };
enum { PLAT_PAD_A, PLAT_PAD_B, PLAT_PAD_X, PLAT_PAD_Y, PLAT_PAD_BACK, PLAT_PAD_GUIDE, PLAT_PAD_START,
       PLAT_PAD_LEFTSTICK, PLAT_PAD_RIGHTSTICK, PLAT_PAD_LEFTSHOULDER, PLAT_PAD_RIGHTSHOULDER, PLAT_PAD_DPAD_UP,
       PLAT_PAD_DPAD_DOWN, PLAT_PAD_DPAD_LEFT, PLAT_PAD_DPAD_RIGHT, PLAT_PAD_BUTTONS };
int  plat_pad_attach();                      // 1 when plugged in
void plat_pad_detach();
void plat_pad_axis(int axis, int value);     // sticks -32768..32767, triggers 0..32767
void plat_pad_button(int button, int down);

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
// Each slot is a clip played at its own rate (hertz of the clip's samples)
// and volume (hundredths of a decibel, -5000 or less silent, 0 full), once or
// looping, resampled into one mono stream of PLAT_MIX_RATE frames a second.
enum { PLAT_CLIPS = 64, PLAT_MIX_RATE = 22050 };
// What loading a WAVE file found.
enum { PLAT_WAV_OK, PLAT_WAV_OPEN, PLAT_WAV_NOT_WAVE, PLAT_WAV_CORRUPT, PLAT_WAV_READ_FORMAT,
       PLAT_WAV_NOT_PCM, PLAT_WAV_NO_DATA, PLAT_WAV_EMPTY, PLAT_WAV_READ_DATA, PLAT_WAV_MEMORY };
int  plat_audio_init();                      // 1 when an output device opened
int  plat_audio_open();                      // 1 while it is open
void plat_audio_quit();
int  plat_clip_load(int slot, const int16_t* pcm, int frames, int channels, int rate);  // 1 on success
int  plat_clip_load_wav(int slot, const char* path);  // PLAT_WAV_*
void plat_clip_play(int slot, int loop);     // from the start
void plat_clip_stop(int slot);
void plat_clip_set(int slot, int frequency_hz, int centibels);  // 100..100000 Hz, -10000..0
int  plat_clip_playing(int slot);
void plat_clip_get(int slot, int* frequency_hz, int* centibels);
// Capture: the stream stops following the device's clock and advances only
// when rendered here, so that it follows simulated time.
void plat_audio_capture(int on);
void plat_audio_render(float* out, int frames);  // the next frames of the mix, -1..1
void plat_audio_advance(double seconds);     // render that long (for the record)
int  plat_audio_record(const char* path);    // every rendered frame also into a WAV file; null ends it
int  plat_wav_save(const char* path, const int16_t* pcm, int frames, int rate);  // 16-bit mono

// ---- speech: text synthesised off the frame loop, played through the mix ----
int  plat_speech_init();                     // 1 when a voice is available (needs the sound open)
int  plat_speech_say(const char* text);      // queues the text and returns at once; 0 when it cannot
int  plat_speech_busy();                     // 1 while queued speech is unsaid

// ---- files and folders ----
// fopen(path, "rb") for a regular file only: a pipe, device or folder is
// refused (nullptr, errno set) without waiting on it.
FILE* plat_fopen_regular(const char* path);
const char* plat_app_dir();                  // the shipped data folder, no trailing '/'
// The user's configuration and data folders for a program ("tarvel", "gridwright"),
// created when missing; no trailing '/'. "" when there is no home folder (and
// no absolute $XDG_* folder) or the folder cannot be made: nothing is saved then.
const char* plat_config_dir(const char* program);
const char* plat_data_dir(const char* program);
