// The shipped trainer against its class: the lift a control adds on a finite
// wing, and the stability and control derivatives the measuring tool finds.
#include "tests/flight/flight_fixture.h"
#include "tools/support/stability.h"
#include "tools/support/steadyair.h"

namespace {
using flight::FlightTest;

class Handling : public FlightTest {
 protected:
  void trainer_in_calm_air() {
    load_file(std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/Trainer/Trainer.acf");
    level_sea_level_ground();
    standard_calm_air();
  }
};

// A flap's lift on a wing of finite span is that of its sections less what
// its own downwash takes: lifting-line theory gives the section increment
// times the wing's lift-slope ratio (about 0.75 for this wing), never more
// than the section's.
TEST_F(Handling, AFlapOnAFiniteWingLiftsLessThanItsSections) {
  trainer_in_calm_air();
  fly(1000, 50, 3.0f, 3.0f);
  flt.flap = 0;
  forces();
  float clean = flt.fnrmlaero;
  flt.flap = 50;
  forces();
  float flapped = flt.fnrmlaero;
  float area = 0;
  for (int p = 4; p <= 5; p++)
    for (int e = 0; e < pln.els[p]; e++)
      if (pln.flap[p][e]) area += pln.s[p][e];
  ASSERT_GT(area, 1.0f);
  float q = 0.5f * atm.rho * flt.av * flt.av;
  float ratio = (flapped - clean) / (q * area) / pln.clflap[50];
  EXPECT_GT(ratio, 0.5f);
  EXPECT_LT(ratio, 0.85f);
}

}  // namespace

namespace {
// The stall flag of a part rises when its element passes the angle at which
// its section reaches the file's stalling angle, not only far beyond it.
TEST_F(Handling, AFiniteWingIsStalledOnceItsSectionsArePastTheStallingAngle) {
  trainer_in_calm_air();
  int p = 5, e = 0;
  float file_stall = pln.alpha_max[p] * pln.al_D_al0[p];  // as the airfoil file gives it
  ASSERT_GT(file_stall, 12.0f);
  flt.alpha_max[p] = pln.alpha_max[p];
  float cl, cd, cm;
  // The angle at which the section itself is at the file's stalling angle.
  float al_zl = afl.al_zl[p][1][0];
  float at_stall = al_zl + (file_stall - al_zl) / pln.al_D_al0[p];
  anyfoil(at_stall - 3, &cl, &cd, &cm, p, 1, 0, e);
  EXPECT_EQ(flt.stalled[p], 0);
  anyfoil(at_stall + 1, &cl, &cd, &cm, p, 1, 0, e);
  EXPECT_EQ(flt.stalled[p], 1);
}
}  // namespace
