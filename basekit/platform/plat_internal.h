// Shared between the platform's own files.
#pragma once

int  plat_started();
void plat_text_init();
void plat_text_quit();
void plat_joy_close_all();
void plat_joy_device_event(int added, int which);
// The mixer adds the speech that is ready to the block it makes (PLAT_MIX_RATE).
void plat_speech_mix(float* out, int frames);
void plat_speech_quit();
