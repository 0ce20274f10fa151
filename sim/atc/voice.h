// The controller's voice: text spoken through the speech engine and shown
// over the view while it is said.
#pragma once

int  initspeechsynth();  // 1 when a voice is available; its result is msc.speech_avail
void speakstring(const char* text);
// The transmission over the view, into the current drawing target, while its
// time lasts (text output on, the ATC menu closed).
void plot_atc_text();
