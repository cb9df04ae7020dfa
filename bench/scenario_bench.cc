// Speed of the compiler's stages: the built-in scenario from its text to the finished model, the
// route plan of the longest route, the encoding of the three binary files, and the whole run.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>

#include "form1/form1.h"
#include "bench/long_route.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"

namespace {

// A private folder on a memory file system when there is one, so the disk does not dominate.
struct bench_folder {
  bench_folder() {
    std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/sc-bench-XXXXXX";
    if (!mkdtemp(pattern.data()))
      throw std::runtime_error("cannot make a temporary folder from " + pattern);
    path = pattern;
  }
  ~bench_folder() { std::filesystem::remove_all(path); }
  std::string path;
};

void report_peak_memory(benchmark::State& state) {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The part of memorizza_percorso before the binary files: compile, finish, stamp.
void compile_and_finish(Form1& form, int32_t j) {
  form.plan_enabled = j;
  form.error_code = 0;
  for (scenario_record& r : form.scenario_records) r = scenario_record{};
  form.memorizza_dati();
  form.rifinisci_griglia();
  form.timbra_codici();
}

void set_up(Form1& form, const std::string& folder, std::ostream& console) {
  form.console = &console;
  form.program_folder = folder;
  form.route_name = builtin_route_name;
  form.train_number = builtin_train_number;
}

void BM_CompileBuiltin(benchmark::State& state) {
  bench_folder dir;
  std::ostringstream console;
  for (auto _ : state) {
    state.PauseTiming();
    Form1 form;
    set_up(form, dir.path, console);
    form.dati_linea();
    form.dati_treno();
    state.ResumeTiming();
    compile_and_finish(form, 1);
    benchmark::DoNotOptimize(form.track_cells.data());
  }
  report_peak_memory(state);
}
BENCHMARK(BM_CompileBuiltin)->Unit(benchmark::kMillisecond);

void BM_PlanOfLongestRoute(benchmark::State& state) {
  bench_folder dir;
  std::ostringstream console;
  const std::string line = long_route_line_file(), train = long_route_train_file();
  for (auto _ : state) {
    state.PauseTiming();
    Form1 form;
    set_up(form, dir.path, console);
    replace_file(form.path_of(line_file_name(form.route_name)), line);
    replace_file(form.path_of(train_file_name(form.route_name, form.train_number)), train);
    state.ResumeTiming();
    compile_and_finish(form, 1);
    benchmark::DoNotOptimize(form.route_plan.values.data());
  }
  report_peak_memory(state);
}
BENCHMARK(BM_PlanOfLongestRoute)->Unit(benchmark::kMillisecond);

void BM_EncodeBinaryFiles(benchmark::State& state) {
  bench_folder dir;
  std::ostringstream console;
  Form1 form;
  set_up(form, dir.path, console);
  replace_file(form.path_of(line_file_name(form.route_name)), long_route_line_file());
  replace_file(form.path_of(train_file_name(form.route_name, form.train_number)),
               long_route_train_file());
  compile_and_finish(form, 1);
  for (auto _ : state) form.scrivi_file_binari();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(
                              std::filesystem::file_size(form.path_of(plan_file_name(form.route_name)))));
  report_peak_memory(state);
}
BENCHMARK(BM_EncodeBinaryFiles)->Unit(benchmark::kMillisecond);

void BM_WholeBuiltinRun(benchmark::State& state) {
  bench_folder dir;
  std::ostringstream console;
  for (auto _ : state) {
    Form1 form;
    set_up(form, dir.path, console);
    form.Form_Load();
  }
  report_peak_memory(state);
}
BENCHMARK(BM_WholeBuiltinRun)->Unit(benchmark::kMillisecond);

}  // namespace
