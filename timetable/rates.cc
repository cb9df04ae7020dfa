#include "timetable/rates.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

double minden_deceleration(int32_t braked_mass_percent) {
  // v in km/h, s in metres: v² / 2s in m/s² is (6.1 (1 + λ/10)) / (3.6² × 2 × 3.85).
  const double lambda = braked_mass_percent;
  return 6.1 * (1 + lambda / 10) / (3.6 * 3.6 * 2 * 3.85);
}

running_rates rates_for(int32_t braked_mass_percent, const rate_overrides& overrides) {
  running_rates r;
  if (overrides.acceleration) r.acceleration = *overrides.acceleration;
  if (overrides.deceleration) {
    r.deceleration = *overrides.deceleration;
    r.deceleration_given = true;
  } else if (braked_mass_percent >= kLeastBrakedMass && braked_mass_percent <= kMostBrakedMass) {
    r.deceleration = minden_deceleration(braked_mass_percent);
    r.braked_mass = braked_mass_percent;
  }
  return r;
}

namespace {

std::string rate_text(double rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f m/s\u00b2", rate);
  return text;
}

}  // namespace

std::string rates_words(const running_rates& rates) {
  std::string braking = rates.deceleration_given ? " (given)"
                        : rates.braked_mass
                            ? " (from " + std::to_string(*rates.braked_mass) + " % braked mass)"
                            : " (the default: no braked mass from " +
                                  std::to_string(kLeastBrakedMass) + " to " +
                                  std::to_string(kMostBrakedMass) + " %)";
  return "acceleration " + rate_text(rates.acceleration) + ", braking " +
         rate_text(rates.deceleration) + braking;
}

std::optional<double> parse_rate(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos)
    return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(value) || value <= 0 || value > 10)
    return std::nullopt;
  return value;
}
