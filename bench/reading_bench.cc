// Reading time against a source's size: line files of 1, 10 and 100 MB made of rows the
// compiler passes over, and one line of a megabyte of commas in each text file. The time per
// megabyte must stay flat; a reader that does work per field in proportion to its line (as
// building the line's text for each field did) shows here as a line of commas taking seconds.
// Peak memory is the process's: run one benchmark per process to read it, as the README does.
#include <benchmark/benchmark.h>

#include <sstream>
#include <stdexcept>
#include <string>

#include "bench/bench_sources.h"
#include "form1/form1.h"
#include "files/file_names.h"

namespace {

const std::string& kLineHead = kBenchLineHead;
const std::string& kTrain = kBenchTrain;
const std::string kTrainHead = "[generale]\r\nnumero vetture,    8\r\n[vel_limite]\r\n";
const std::string kLine = kLineHead + "pendenza,  0,   0\r\n[fine]\r\n";

// Rows of three fields that match no keyword: each field is read, looked at and passed over.
std::string rows_of(size_t bytes) {
  return rows_filling(bytes, [](size_t) { return "nota,  12000,  5\r\n"; });
}

std::string commas(size_t bytes) { return std::string(bytes, ',') + "\r\n"; }

// The whole compile in memory, no file written: the line and train sources as given.
void compile_in_memory(const std::string& line, const std::string& train) {
  std::ostringstream console;
  Form1 form;
  form.console = &console;
  form.route_name = "Banco";
  form.train_number = "1";
  form.write_binaries = false;
  form.memory_files.emplace();
  (*form.memory_files)[line_file_name(form.route_name)] = line;
  (*form.memory_files)[train_file_name(form.route_name, form.train_number)] = train;
  form.memorizza_percorso(0);
  if (form.faults_reported > 0) throw std::runtime_error("the bench sources gave a fault");
}

// A line file of state.range(0) MB.
void BM_ReadLineSource(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  const std::string line = kLineHead + rows_of(bytes) + "[fine]\r\n";
  for (auto _ : state) compile_in_memory(line, kTrain);
  finish(state, line.size());
}
BENCHMARK(BM_ReadLineSource)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// One line of state.range(0) MB of commas: a million empty fields a megabyte.
void BM_LineOfCommasInTheLineFile(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  const std::string line = kLineHead + commas(bytes) + "[fine]\r\n";
  for (auto _ : state) compile_in_memory(line, kTrain);
  finish(state, line.size());
}
BENCHMARK(BM_LineOfCommasInTheLineFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

void BM_LineOfCommasInTheTrainFile(benchmark::State& state) {
  const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
  const std::string train =
      kTrainHead + commas(bytes) + "[aderenze]\r\naderenza,   0,    100\r\n[fine]\r\n";
  for (auto _ : state) compile_in_memory(kLine, train);
  finish(state, train.size());
}
BENCHMARK(BM_LineOfCommasInTheTrainFile)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
