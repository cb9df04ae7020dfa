#include "timetable/rates.h"

#include <gtest/gtest.h>

namespace {

// The Minden formula's braking distance from v km/h at rate b: (v / 3.6)² / 2b.
double stopping_metres(double kmh, double rate) { return (kmh / 3.6) * (kmh / 3.6) / (2 * rate); }

TEST(Rates, MindenFormula) {
  // Its own form: 3.85 v² / (6.1 (1 + λ/10)) metres.
  for (int lambda : {50, 80, 120, 160})
    for (double kmh : {60.0, 120.0, 160.0})
      EXPECT_NEAR(stopping_metres(kmh, minden_deceleration(lambda)),
                  3.85 * kmh * kmh / (6.1 * (1 + lambda / 10.0)), 1e-6)
          << lambda << " % from " << kmh << " km/h";
  // What brake percentages stand for: 80 % stops a train from 120 km/h in about 1000 m.
  EXPECT_NEAR(stopping_metres(120, minden_deceleration(80)), 1000, 15);
  EXPECT_NEAR(minden_deceleration(120), 0.795, 0.001);
}

TEST(Rates, WhereEachRateComesFrom) {
  const running_rates built_in = rates_for(120, {});
  EXPECT_EQ(built_in.acceleration, kDefaultAcceleration);
  EXPECT_EQ(built_in.deceleration, minden_deceleration(120));
  EXPECT_EQ(built_in.braked_mass, 120);
  EXPECT_NE(rates_words(built_in).find("(from 120 % braked mass)"), std::string::npos);

  for (int32_t outside : {0, -5, kMostBrakedMass + 1}) {
    const running_rates r = rates_for(outside, {});
    EXPECT_EQ(r.deceleration, kDefaultDeceleration) << outside;
    EXPECT_FALSE(r.braked_mass) << outside;
    EXPECT_NE(rates_words(r).find("the default"), std::string::npos) << outside;
  }

  const running_rates given = rates_for(120, {0.45, 0.6});
  EXPECT_EQ(given.acceleration, 0.45);
  EXPECT_EQ(given.deceleration, 0.6);
  EXPECT_EQ(rates_words(given), "acceleration 0.45 m/s\u00b2, braking 0.60 m/s\u00b2 (given)");
}

TEST(Rates, ParsedFromAnOption) {
  EXPECT_EQ(parse_rate("0.5"), 0.5);
  EXPECT_EQ(parse_rate("1"), 1.0);
  EXPECT_EQ(parse_rate(".25"), 0.25);
  for (const char* wrong : {"", "0", "-1", "0,5", "1e3", "abc", "0.5x", "11", "."})
    EXPECT_EQ(parse_rate(wrong), std::nullopt) << wrong;
}

}  // namespace
