// The controller's voice: text spoken through the speech engine and shown
// over the view while it is said.
#pragma once

int  initspeechsynth();  // 1 when a voice is available; its result is msc.speech_avail
void speakstring(const char* text);
