// Stand-in until speech exists: no voice, nothing said.
#include "sim/atc/voice.h"

int initspeechsynth() { return 0; }
void speakstring(const char*) {}
