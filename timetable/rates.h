// The rates of the modelled run: how fast the train gains speed and how hard it brakes, each
// constant along the route. The braking rate comes from the train's braked-mass percentage by
// the Minden formula unless the author gives one; so may the acceleration.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// m/s²: a locomotive-hauled passenger train's mean rate from a stand to line speed.
inline constexpr double kDefaultAcceleration = 0.3;
// m/s²: the braking rate when the train file gives no braked mass the formula can take.
inline constexpr double kDefaultDeceleration = 0.5;
// The braked-mass percentages the formula is taken for; outside them the default applies.
inline constexpr int32_t kLeastBrakedMass = 1;
inline constexpr int32_t kMostBrakedMass = 250;

// What the author asks for instead of the defaults (--acceleration, --deceleration).
struct rate_overrides {
  std::optional<double> acceleration, deceleration;  // m/s², above 0
};

struct running_rates {
  double acceleration = kDefaultAcceleration;  // m/s²
  double deceleration = kDefaultDeceleration;  // m/s²
  // Where the braking rate came from: given, from this braked mass, or the default.
  bool deceleration_given = false;
  std::optional<int32_t> braked_mass;  // set when the formula gave the braking rate
};

// The Minden formula for a passenger train on level track: from v km/h it stops within
// s = 3.85 v² / (6.1 (1 + λ/10)) metres, λ the braked-mass percentage; a constant braking rate
// of v² / 2s, the same from any speed: 0.0611 (1 + λ/10) m/s², 0.79 for 120 %.
double minden_deceleration(int32_t braked_mass_percent);

// The rates for a train of `braked_mass_percent` (0 where the train file gives none).
running_rates rates_for(int32_t braked_mass_percent, const rate_overrides& overrides);

// "acceleration 0.30 m/s², braking 0.79 m/s² (from 120 % braked mass)".
std::string rates_words(const running_rates& rates);

// A rate as an option gives it ("0.5"): a number above 0 and at most 10 m/s², else nothing.
std::optional<double> parse_rate(const std::string& text);
