// The settings windows: each draws itself whole (plot) and takes the clicks
// in it (click). Their numbers, titles and sizes are in the window table. The
// data-output window belongs to the data output (sim/output/do_file.h), the
// flight-plan window to air traffic control (sim/atc/do_atc.h).
#pragma once

void id_plot();  void id_click();   // airport by identifier
void namplot();  void namclick();   // airport by name
void wrlplot();  void wrlclick();   // the world map
void latplot();  void latclick();   // latitude and longitude
void whrplot();                     // where am I
void gidplot();  void gidclick();   // airport identifiers
void timplot();  void timclick();   // time of day
void spaplot();  void spaclick();   // weather: space
void atmplot();  void atmclick();   // weather: atmosphere
void gndplot();  void gndclick();   // weather: ground
void watplot();  void watclick();   // weather: water
void fltplot();  void fltclick();   // flight mode
void joyplot();  void joyclick();   // joystick options
void drawnull();                    // the joystick's null zones, live while the window is open
void fueplot();  void fueclick();   // fuel load
void wgtplot();  void wgtclick();   // weights
void relplot();  void relclick();   // realistic reliability
void insplot();  void insclick();   // instrument reliability
void eqpplot();  void eqpclick();   // equipment reliability
void sndplot();  void sndclick();   // sound
void wrnplot();  void wrnclick();   // warnings
void isoplot();                     // isometric region
