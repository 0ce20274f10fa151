// One-time initialisation of the records at start-up, and the start-up progress bar.
#pragma once
#include <cstdio>

extern FILE* bbx;  // "Tarvel.box": the data file of the data output
extern FILE* trk;  // "Tarvel.out": reports and the cycle dump

void initgen();
void show_init();
void assign_hr(int index, float height_kft, float density_slug_ft3);
int  MACIBM_initjoy();
void open_output_streams();
void close_output_streams();
