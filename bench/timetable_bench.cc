// The cost of the timetable's check in every compile: the route read back from the finished
// cells and records, the limits, the modelled runs and the legs, and the warnings' words; for
// the built-in scenario and for the longest route with a timetable along it.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

#include "bench/long_route.h"
#include "builtin/builtin_scenario.h"
#include "files/file_names.h"
#include "form1/form1.h"
#include "timetable/findings.h"
#include "timetable/route_timetable.h"

namespace {

// The longest route's train with a timetable: a change of limit every 5 km, a slowdown every
// 50 km, and as many stations as the records hold (78), each a minute's stop, 8 minutes apart.
std::string timed_long_route_train_file() {
  std::string s = "[generale]\r\npercentuale massa frenata, 120\r\n[aderenze]\r\naderenza, 0, 100\r\n";
  const int speeds[] = {160, 120, 80, 140};
  for (int k = 0; k * 5000 < 1000000; ++k)
    s += "velocita, " + std::to_string(k * 5000) + ", " + std::to_string(speeds[k % 4]) + "\r\n";
  for (int k = 0; k < 78; ++k) {
    const int minutes = 6 * 60 + 8 * k;
    s += "stazione, " + std::to_string(6400 + 12800 * k) + ", 2, 400, 0,0,0, 2,1,0, 2,1,1, " +
         (k == 0 ? "1" : "60") + ", " + std::to_string(minutes / 60) + "," +
         std::to_string(minutes % 60) + ",0, STAZIONE " + std::to_string(k + 1) + "\r\n";
  }
  for (int k = 1; k * 50000 < 1000000; ++k)
    s += "rallentamento, " + std::to_string(k * 50000 - 3000) + ", 60, 1000, 0, 1, 0\r\n";
  return s + "[fine]\r\n";
}

// A route compiled in memory and finished, as check leaves it for the timetable.
struct compiled {
  Form1 form;
  std::ostringstream console;
  compiled(const std::string& line, const std::string& train) {
    form.console = &console;
    form.route_name = builtin_route_name;
    form.train_number = builtin_train_number;
    form.write_binaries = false;
    form.memory_files.emplace();
    (*form.memory_files)[line_file_name(form.route_name)] = line;
    (*form.memory_files)[train_file_name(form.route_name, form.train_number)] = train;
    form.memorizza_percorso(0);
  }
};

void timetable_of(benchmark::State& state, const compiled& c) {
  size_t legs = 0, told = 0;
  for (auto _ : state) {
    const std::vector<scenario_record> records(c.form.scenario_records.begin(),
                                               c.form.scenario_records.end());
    const timetable t = route_timetable(c.form.track_cells, records, {});
    const std::vector<timetable_finding> found = timetable_findings(t);
    legs = t.legs.size();
    told = found.size();
    benchmark::DoNotOptimize(found.data());
  }
  state.counters["legs"] = static_cast<double>(legs);
  state.counters["warnings"] = static_cast<double>(told);
}

void BM_TimetableBuiltin(benchmark::State& state) {
  std::string line, train;
  for (std::string_view row : builtin_line_rows()) line += std::string(row) + "\r\n";
  for (std::string_view row : builtin_train_rows()) train += std::string(row) + "\r\n";
  compiled c(line, train);
  timetable_of(state, c);
}
BENCHMARK(BM_TimetableBuiltin)->Unit(benchmark::kMillisecond);

void BM_TimetableLongestRoute(benchmark::State& state) {
  compiled c(long_route_line_file(), timed_long_route_train_file());
  if (c.form.faults_reported > 0) state.SkipWithError("the timed longest route does not compile");
  timetable_of(state, c);
}
BENCHMARK(BM_TimetableLongestRoute)->Unit(benchmark::kMillisecond);

}  // namespace
