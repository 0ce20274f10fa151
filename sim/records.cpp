#include "sim/records.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"
#include <cstring>
#include <type_traits>
#include "basekit/bk_mnw.h"

miscstruct msc;
settingstruct set;
flightstruct flt;
atmospherestruct atm;
ottostruct ott;
relstruct rel;
planestruct pln;
airfoilstruct afl;
environmentstruct env;
runwaystruct rwy;
scenerystruct scn;
starstruct sta;
carrierstruct car;
inststruct ins;
navstruct nav;
atcstruct atc;
flightplanstruct fpl;
graphstruct grf;
pathstruct pat;

template <typename T> static void zero(T& record) {
  static_assert(std::is_trivially_copyable<T>::value, "records are plain data");
  std::memset(&record, 0, sizeof record);
}

void clear_records() {
  zero(flt); zero(ott); zero(ins); zero(set); zero(msc); zero(mnw); zero(scn); zero(sta);
  zero(nav); zero(atm); zero(rwy); zero(env); zero(grf); zero(car); zero(pln); zero(pat);
  zero(rel); zero(afl); zero(atc); zero(fpl);
}
