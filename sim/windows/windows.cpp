// Stand-ins until the settings windows exist: they draw and do nothing.
#include "sim/windows/windows.h"

void id_plot() {}  void id_click() {}
void namplot() {}  void namclick() {}
void wrlplot() {}  void wrlclick() {}
void latplot() {}  void latclick() {}
void whrplot() {}
void gidplot() {}  void gidclick() {}
void timplot() {}  void timclick() {}
void spaplot() {}  void spaclick() {}
void atmplot() {}  void atmclick() {}
void gndplot() {}  void gndclick() {}
void watplot() {}  void watclick() {}
void fltplot() {}  void fltclick() {}
void joyplot() {}  void joyclick() {}
void drawnull() {}
void fueplot() {}  void fueclick() {}
void wgtplot() {}  void wgtclick() {}
void relplot() {}  void relclick() {}
void insplot() {}  void insclick() {}
void eqpplot() {}  void eqpclick() {}
void sndplot() {}  void sndclick() {}
void wrnplot() {}  void wrnclick() {}
void isoplot() {}
