#include "tests/windows/windows_fixture.h"

namespace windows_test {
relstruct WindowTest::kept_rel;
atmospherestruct WindowTest::kept_atm;
flightstruct WindowTest::kept_flt;
miscstruct WindowTest::kept_msc;
settingstruct WindowTest::kept_set;
environmentstruct WindowTest::kept_env;
scenerystruct WindowTest::kept_scn;
planestruct WindowTest::kept_pln;
}  // namespace windows_test
