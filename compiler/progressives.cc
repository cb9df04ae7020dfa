// The three kilometre progressives: ordered by start into entries 81 (greatest) to 83
// (smallest) once the general section is read, and checked after the train file.
#include <string>

#include "form1/form1.h"
#include "files/file_names.h"

namespace {

struct progressive {
  int32_t start = 0;
  int32_t value = 0;
  int32_t flag = 0;
};

progressive take(const scenario_record& r) { return {r.number_1, r.number_2, r.number_3}; }

bool empty(const progressive& p) { return p.start == 0 && p.value == 0 && p.flag == 0; }

void put(scenario_record& r, const progressive& p) {
  r.number_1 = p.start;
  r.number_2 = p.value;
  r.number_3 = p.flag;
}

}  // namespace

void Form1::progressive_ordina() {
  const progressive t = take(scenario_records[progressive_three_entry]);
  const progressive d = take(scenario_records[progressive_two_entry]);
  const progressive u = take(scenario_records[progressive_one_entry]);
  progressive r81, r82, r83;

  // The start sum is formed in 64 bits: three large starts must not wrap to 0.
  if (static_cast<int64_t>(t.start) + d.start + u.start != 0) {
    // Greatest start first; a greatest start shared by two progressives clears all three.
    if (t.start > d.start && t.start > u.start) {
      r81 = t;
      if (d.start > u.start) r82 = d, r83 = u;
      else r82 = u, r83 = d;
    }
    if (d.start > t.start && d.start > u.start) {
      r81 = d;
      if (t.start > u.start) r82 = t, r83 = u;
      else r82 = u, r83 = t;
    }
    if (u.start > t.start && u.start > d.start) {
      r81 = u;
      if (t.start > d.start) r82 = t, r83 = d;
      else r82 = d, r83 = t;
    }
  } else {
    // All starts at 0: picked by value, each positive value in turn replacing all three.
    if (t.value > 0) r81 = t, r82 = d, r83 = u;
    if (d.value > 0) r81 = d, r82 = t, r83 = u;
    if (u.value > 0) r81 = u, r82 = d, r83 = t;
  }

  // Only a shared greatest start, or no value above 0, leaves all three empty.
  if (empty(r81) && empty(r82) && empty(r83))
    tell_cleared_progressives(static_cast<int64_t>(t.start) + d.start + u.start != 0);

  put(scenario_records[progressive_three_entry], r81);
  put(scenario_records[progressive_two_entry], r82);
  put(scenario_records[progressive_one_entry], r83);
  // Flag 1 adds 100 to the value, in 64 bits: a value that then leaves 32 bits is refused.
  for (int e = progressive_three_entry; e <= progressive_one_entry; ++e) {
    scenario_record& r = scenario_records[e];
    if (r.number_3 != 1) continue;
    const int64_t raised = int64_t{r.number_2} + 100;
    if (raised > INT32_MAX)
      throw reading_fault("the progressive value " + std::to_string(r.number_2) +
                          " with flag 1 does not fit a 32-bit field once 100 is added");
    r.number_2 = static_cast<int32_t>(raised);
  }
}

void Form1::controlla_progressive() {
  bool off_step = false;
  for (int e = progressive_three_entry; e <= progressive_one_entry; ++e)
    if (scenario_records[e].number_1 % 50 != 0 || scenario_records[e].number_2 % 50 != 0)
      off_step = true;
  // The progressives come from the line file, which is gone by now: the fault names no row.
  if (off_step) record_fault(fault_at(file_place(line_file_name(route_name)), 2));
}

double Form1::minimo(double x, double y) { return x > y ? y : x; }
