#include "sim/shell/lax.h"

int main() { return tarvel_winmain(); }
