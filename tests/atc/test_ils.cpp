// Vectors to a localizer: through a gate 7 nm out on the side the aircraft is
// on, at most one instruction every 15 to 30 seconds, and the hand-off to the
// tower once established.
#include "tests/atc/atc_fixture.h"

namespace atc_test {

class IlsTest : public AtcTest {
 protected:
  void SetUp() override {
    AtcTest::SetUp();
    loc = navaid_named("KRIV ILS 32");
    ASSERT_GE(loc, 0);
    course = (float)nav_hdng[loc];
    field = nav_z[loc] * con.mtrstoft;
    fpl.cruise_alt = 5000;
  }
  void ask() { controller_respond("request I L S KRIV ILS 32"); }
  // A fresh request from d nm out on the approach, right nm to the right of the course.
  void ask_from(float d, float right, float alt_ft, float heading) {
    reset_controller();
    atc.ils_vec_in_progress = 0;
    heard().clear();
    on_approach(loc, d, right, alt_ft, heading);
    ask();
  }
  // The vector assigned: heading and altitude.
  float assigned(int altitude = 0) {
    float h, a;
    EXPECT_TRUE(assigned_vector(&h, &a));
    return altitude ? a : h;
  }
  int loc = -1;
  float course = 0, field = 0;
};

TEST_F(IlsTest, EstablishedOnTheLocalizerIsHandedToItsTower) {
  // 10 nm out, a little right of the centre line, heading 10 degrees off the course.
  on_approach(loc, 10, 0.5f, field + 3000, course + 10);
  ask();
  EXPECT_EQ(last(), std::string(call()) + "intercept localizer altimeter 2 9 9 2 cleared KRIV ILS 32 contact tower.");
  EXPECT_EQ(fpl.onfile + fpl.activated + atc.waiting_new_frq, 3);
  EXPECT_EQ(atc.plan_phase, PLAN_TOWER);
  EXPECT_EQ(atc.ils_vec_in_progress, 0);
  // Perris Valley lies closer under the approach; the tower is March's.
  EXPECT_EQ(atc.plan_index, kriv);
}

TEST_F(IlsTest, NotEstablishedGetsVectors) {
  struct {
    float d, right, heading_off;
  } cases[] = {{10, 0, 90}, {3, 0, 0}, {25, 0, 0}, {10, 2, 0}};
  for (const auto& k : cases) {
    ask_from(k.d, k.right, field + 3000, course + k.heading_off);
    EXPECT_NE(last().find("vectors KRIV ILS 32, if you would like another approach instead just tell me."),
              std::string::npos)
        << k.d << " nm " << k.right << " right, " << k.heading_off << " off: " << last();
    EXPECT_EQ(atc.ils_vec_in_progress, 1);
  }
}

TEST_F(IlsTest, TheGateIsOnTheAircraftsSide) {
  for (float side : {3.0f, -3.0f}) {
    ask_from(15, side, 5000, course);
    EXPECT_EQ(std::string(atc.ils_command), "request I L S KRIV ILS 32");
    // Right of the course: turned left of it to cut back in, and the reverse.
    float off = std::remainder(assigned() - course, 360.0f);
    if (side > 0) EXPECT_TRUE(off < -10 && off > -45) << off;
    else EXPECT_TRUE(off > 10 && off < 45) << off;
  }
  // Beyond the localizer, flying away from the field: sent round to the approach side.
  ask_from(-10, 0, 5000, course);
  EXPECT_GT(std::fabs(std::remainder(assigned() - course, 360.0f)), 120);
}

TEST_F(IlsTest, OneInstructionEveryFifteenToThirtySeconds) {
  on_approach(loc, 15, 3, 5000, course);
  ask();
  ASSERT_EQ(said().size(), 1u);
  EXPECT_NE(last().find("climb and maintain 5000 feet"), std::string::npos) << last();
  for (int s = 1; s < 15; s++) {
    msc.elap_time += 1;
    controller_respond(atc.ils_command);
  }
  EXPECT_EQ(said().size(), 1u) << last();
  // Flying the vector at its altitude, nothing new to say: the controller talks to others.
  flt.magpsi = assigned();
  msc.elap_time += 16;
  controller_respond(atc.ils_command);
  ASSERT_EQ(said().size(), 2u);
  EXPECT_NE(last().find("november "), std::string::npos);
  EXPECT_NE(last().compare(0, std::strlen(call()), call()), 0) << last();
  // 300 ft low and not climbing: reminded.
  flt.z = 4700 * con.fttomtrs;
  msc.elap_time += 31;
  controller_respond(atc.ils_command);
  EXPECT_EQ(last(), std::string(call()) + "climb and maintain 5000 feet.");
}

TEST_F(IlsTest, AltitudesByDistanceCruiseAndGround) {
  on_approach(loc, 12, 2, 5000, course);  // within 15 nm: 3000 ft above the localizer
  ask();
  EXPECT_EQ(assigned(1), 4500);
  reset_controller();
  atc.ils_vec_in_progress = 0;
  fpl.cruise_alt = 2000;  // a cruise below the ground's reach: ground + 2500
  ask();
  EXPECT_EQ(assigned(1), 4000);
}

}  // namespace atc_test
