// Sources of a given size for the reading and lint benchmarks, and their counters: the time per
// megabyte (which must stay flat as the size grows) and the process's peak memory.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <functional>
#include <string>

inline const std::string kBenchLineHead =
    "[generale]\r\nlunghezza percorso,    82000\r\n[pendenze]\r\n";
inline const std::string kBenchTrain =
    "[generale]\r\nnumero vetture,    8\r\n[vel_limite]\r\nvelocita,   0,    30\r\n"
    "[aderenze]\r\naderenza,   0,    100\r\n[fine]\r\n";

// Rows made by `row(n)` for n = 0, 1, ... until they fill `bytes`.
inline std::string rows_filling(size_t bytes, const std::function<std::string(size_t)>& row) {
  std::string s;
  s.reserve(bytes + 256);
  for (size_t n = 0; s.size() < bytes; ++n) s += row(n);
  return s;
}

// Bytes processed, megabytes a second as seconds a megabyte, and the peak memory so far.
inline void finish(benchmark::State& state, size_t bytes) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["peak_rss_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  state.counters["s_per_MB"] = benchmark::Counter(
      static_cast<double>(state.iterations() * bytes) / (1 << 20),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
