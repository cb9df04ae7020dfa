// The lint's time against a source's size, beside the compiler's reading: line files of 1, 10
// and 100 MB of short first fields that start no row (alone on their lines, which are prose,
// and with more fields, each told), and of rows the lint reads whole. The time per megabyte
// must stay flat: did-you-mean once took about 2 ms for each short unknown first field.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_sources.h"
#include "lint/lint.h"

namespace {

std::string line_file_of(size_t bytes, const std::function<std::string(size_t)>& row) {
  return kBenchLineHead + "pendenza,  0,   0\r\n" + rows_filling(bytes, row) + "[fine]\r\n";
}

void lint_line_file(benchmark::State& state, const std::string& line) {
  size_t told = 0;
  for (auto _ : state) {
    const std::vector<diagnostic> warnings =
        lint_scenario({"Banco_linea.txt", line}, {"Banco_1-.txt", kBenchTrain}, {});
    told = warnings.size();
  }
  state.counters["warnings"] = static_cast<double>(told);
  finish(state, line.size());
}

// A note of about 40 characters, each different: short enough for did-you-mean to look at.
std::string note(size_t n) { return "nota " + std::to_string(n) + " di una lunga serie di note"; }

// Lines of one short field each: prose unless close to a keyword.
void BM_LintShortUnknownFirstFields(benchmark::State& state) {
  const std::string line = line_file_of(static_cast<size_t>(state.range(0)) << 20, [](size_t n) {
    return note(n) + "\r\n";
  });
  lint_line_file(state, line);
}
BENCHMARK(BM_LintShortUnknownFirstFields)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The same with two more fields a line: each line is told passed over.
void BM_LintToldUnknownFirstFields(benchmark::State& state) {
  const std::string line = line_file_of(static_cast<size_t>(state.range(0)) << 20, [](size_t n) {
    return note(n) + ",  12000,  5\r\n";
  });
  lint_line_file(state, line);
}
BENCHMARK(BM_LintToldUnknownFirstFields)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// Rows the lint reads whole and finds nothing to tell of: boards and mountains along a
// 1,000,000 m route, on the grid.
void BM_LintNormalFile(benchmark::State& state) {
  std::string line = line_file_of(static_cast<size_t>(state.range(0)) << 20, [](size_t n) {
    const size_t metre = n % 19000 * 50 + 1000;
    const std::string p = std::to_string(metre);
    switch (n % 3) {
      case 0: return "indicatori_vmax,  " + p + ",  90,  95,  100,  1,  80,  85,  90,  0\r\n";
      case 1: return "cartello_indicatore,  " + p + ",   (Km. 2.256)\r\n";
      default: return "montagna,   " + p + ",  " + std::to_string(metre + 100) + ",  2\r\n";
    }
  });
  line.replace(line.find("82000"), 5, "1000000");
  lint_line_file(state, line);
}
BENCHMARK(BM_LintNormalFile)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
