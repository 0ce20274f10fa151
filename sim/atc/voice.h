// The controller's voice: text spoken through the speech engine and shown
// over the view while it is said.
#pragma once

int  initspeechsynth();  // 1 when a voice is available; its result is msc.speech_avail
void speakstring(const char* text);
// The transmission over the view, into the current drawing target, while its
// time lasts (text output on, the ATC menu closed).
void plot_atc_text();
// The colour of the controller's text and the pilot's menu over the view:
// dark on a clear daylight sky, light on anything darker.
int  atc_text_color();
// Both are placed in the view's own pixels; once the view is on the screen
// (nothing locked) its rows lie this much lower in the main window.
enum { ATC_VIEW_Y = 17 };

// Who says what on the radio, for a listener such as the runner's transcript:
// the controller's transmissions as they are spoken, the pilot's as he makes them.
typedef void (*radio_listener)(int pilot, const char* text);
void set_radio_listener(radio_listener listener);  // null for none
void pilot_transmits(const char* text);
