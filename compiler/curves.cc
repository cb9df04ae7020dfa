// Curve rows and the route plan: one point per metre, each the previous point plus a step.
// A straight point repeats the last step; a curved point turns it by the curve's factor and
// lengthens it by sqrt(1 + f * f); the step is not re-normalised.
#include <string>

#include "form1/form1.h"
#include "files/keywords.h"

namespace {

// Turning factor per metre of curve classes 1 to 6.
constexpr double kCurvature[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
constexpr int32_t kPlanLimit = 1000000;

}  // namespace

void Form1::add_straight_point() {
  const int32_t k = plan_index;
  if (k > route_plan.upper)
    row_fault("route plan point " + std::to_string(k) + " lies beyond its end");
  const double dx = route_plan.coordinate(k - 1, 0) - route_plan.coordinate(k - 2, 0);
  const double dy = route_plan.coordinate(k - 1, 1) - route_plan.coordinate(k - 2, 1);
  route_plan.set_double(k, 0, route_plan.coordinate(k - 1, 0) + dx);
  route_plan.set_double(k, 1, route_plan.coordinate(k - 1, 1) + dy);
  ++plan_index;
}

void Form1::add_curved_point(double factor) {
  const int32_t k = plan_index;
  if (k > route_plan.upper)
    row_fault("route plan point " + std::to_string(k) + " lies beyond its end");
  const double dx = route_plan.coordinate(k - 1, 0) - route_plan.coordinate(k - 2, 0);
  const double dy = route_plan.coordinate(k - 1, 1) - route_plan.coordinate(k - 2, 1);
  // The turned step is formed and stored first, then added to the previous point.
  const double step_x = dx + factor * dy;
  const double step_y = dy - factor * dx;
  route_plan.set_double(k, 0, route_plan.coordinate(k - 1, 0) + step_x);
  route_plan.set_double(k, 1, route_plan.coordinate(k - 1, 1) + step_y);
  ++plan_index;
}

Form1::row_outcome Form1::read_curve_row() {
  const std::string keyword = current_field;
  int32_t s, l;
  read_field(s);
  read_field(l);
  if (!row_fits_grid(s)) return row_outcome::end_of_reading;

  // The first class digit found, testing 1 to 6 in turn, picks the curvature.
  double factor = 0;
  bool found = false;
  for (size_t k = 0; k < std::size(kCurveClasses) && !found; ++k) {
    if (contains(keyword, kCurveClasses[k])) {
      factor = kCurvature[k];
      found = true;
    }
  }
  if (!found) {
    end_line_file();
    record_fault(row_diagnostic(103));
    return row_outcome::stop_phase;
  }
  if (contains_nocase(keyword, kLeftCurve)) factor = -factor;  // a left-hand curve

  const int64_t end = static_cast<int64_t>(s) + l;
  if (end > route_plan.upper) {
    record_fault(field_diagnostic(1, 29, s,
                                  "the curve ends at " + std::to_string(end) +
                                      " m, the route plan at " + std::to_string(route_plan.upper) +
                                      " m"));
    return row_outcome::end_of_reading;
  }
  auto past_limit = [&] {
    if (plan_index <= kPlanLimit) return false;
    end_line_file();
    record_fault(row_diagnostic(103));
    return true;
  };
  while (plan_index <= s) {
    add_straight_point();
    if (past_limit()) return row_outcome::stop_phase;
  }
  while (plan_index <= end) {
    add_curved_point(factor);
    if (past_limit()) return row_outcome::stop_phase;
  }
  return row_outcome::next_row;
}

// After the file: straight on to the third point from the end, without the limit; the last
// two points stay empty.
void Form1::final_plan_fill() {
  while (plan_index <= grid_length - 2) add_straight_point();
}
