// Stand-in until the mixer and the clips exist: sound reports itself
// available and plays nothing.
#include "sim/sound/do_sound.h"

int init_sound() { return 1; }
void dispose_sound() {}
void play_buffer(int, int) {}
void stop_buffer(int) {}
void set_frq_vol(float, float, float, float, int) {}
void play_engine_and_windrain() {}
void stop_engine_and_windrain() {}
void maintain_engine_sound() {}
void maintain_windrain_sound() {}
void play_thunder(float) {}
void beepme(int) {}
int ret_engsnd_en() { return SND_XP_RECIP; }
