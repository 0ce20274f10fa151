// The runner's radio: the controller's and the pilot's transmissions printed
// as they are made ("atc: ...", "pilot: ..."), the script's atc verbs, and a
// scripted pilot who flies what the controller says.
#pragma once
#include <string>

void print_radio();
// "" when the words after "atc" make a command, else what is wrong.
std::string check_atc(const std::string& words);
void apply_atc(const std::string& words, int line);
// Once a frame: the scripted pilot at work while "atc follow" is on.
void atc_pilot_frame();
