#include "binary/profile_codes.h"

#include <gtest/gtest.h>

namespace {

TEST(ProfileCodes, SpeedsAreKeptInFifthsRoundedToTheNearest) {
  struct speed_case {
    int32_t kmh;
    int64_t code;
  };
  // 1278 km/h and above give a code past the byte: the compiler refuses those.
  for (const speed_case& c : {speed_case{0, 0}, {30, 6}, {150, 30}, {12, 2}, {13, 3}, {-12, -2},
                              {-13, -3}, {1277, 255}, {1278, 256}})
    EXPECT_EQ(speed_code_of(c.kmh), c.code) << c.kmh;
  for (int code : {0, 6, 30, 255}) EXPECT_EQ(speed_code_of(speed_of_code(uint8_t(code))), code);
}

TEST(ProfileCodes, GradientsAndAdhesionComeBackThroughTheirByte) {
  for (int32_t g : {-100, -35, 0, 12, 155})
    EXPECT_EQ(gradient_of_code(gradient_code_of(g)), g) << g;
  EXPECT_EQ(gradient_code_of(0), 100);  // cell 0 of the built-in scenario: level
  EXPECT_EQ(gradient_code_of(156), 0);  // the low 8 bits of 256
  for (int32_t a : {0, 80, 100, 255}) EXPECT_EQ(adhesion_of_code(adhesion_code_of(a)), a) << a;
  EXPECT_EQ(adhesion_code_of(256 + 90), 90);
}

}  // namespace
