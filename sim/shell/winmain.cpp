// Tarvel keeps no command line: everything it needs is in its folders.
#include "sim/shell/lax.h"

int main() { return tarvel_winmain(); }
