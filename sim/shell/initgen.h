// One-time initialisation of the records at start-up, and the start-up progress bar.
#pragma once

void initgen();
void show_init();
void assign_hr(int index, float height_kft, float density_slug_ft3);
int  MACIBM_initjoy();
