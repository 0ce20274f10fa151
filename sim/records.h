// Every global record of the simulator. Each record's header lives with the
// subsystem that writes it; readers include that header directly.
#pragma once
#include "sim/shell/msc.h"
#include "sim/shell/set.h"
#include "sim/flight/flt.h"
#include "sim/flight/atm.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/aircraft/pln.h"
#include "sim/world/env.h"
#include "sim/view/scn.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/atc/atc.h"
#include "sim/output/grf.h"

// Sets every record to zero, whole, as at program entry (the constants are not cleared).
void clear_records();
