// The program run as a process: interrupted at random moments, run twice at once into one
// folder, and run out of memory, it leaves no temporary file and never a mixed set of files.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/long_route.h"
#include "files/file_names.h"
#include "platform/child_process.h"
#include "testing/temp_folder.h"

namespace {

const char* const kSets[] = {"Lungo_linea.dat", "Lungo_1.sim", "Lungo_1.dat"};

// A line file like the longest route's, `length` metres long: its curves past the end dropped.
std::string line_file_of(int length) {
  std::string s = long_route_line_file(), kept;
  for (size_t at = 0, end; at < s.size(); at = end + 2) {
    end = s.find("\r\n", at);
    std::string line = s.substr(at, end - at);
    if (line.rfind("curva", 0) == 0) {
      int start = std::stoi(line.substr(line.find(',') + 1));
      if (start + 1500 >= length) continue;
    }
    if (line.rfind("lunghezza percorso", 0) == 0) line = "lunghezza percorso, " + std::to_string(length);
    kept += line + "\r\n";
  }
  return kept;
}

// A sanitized run is several times slower and needs far more address space.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

// The three files of a compile, as found in `folder`.
std::vector<std::string> set_in(const temp_folder& folder) {
  std::vector<std::string> set;
  for (const char* name : kSets) set.push_back(read_file(folder.file(name)));
  return set;
}

[[maybe_unused]] void put_set(const temp_folder& folder, const std::vector<std::string>& set) {
  for (size_t i = 0; i < set.size(); ++i) write_file(folder.file(kSets[i]), set[i]);
}

// The names starting with '.': the temporary files of a run.
std::vector<std::string> hidden_names(const temp_folder& folder) {
  std::vector<std::string> hidden;
  for (const std::string& name : names_in(folder.path()))
    if (name[0] == '.') hidden.push_back(name);
  return hidden;
}

// Runs the program with `args` to its end: how it ended.
child_end run_program(const std::vector<std::string>& args) {
  child_process c(SC_EXECUTABLE, args);
  EXPECT_TRUE(c.started());
  return c.wait();
}

bool clean_exit(const child_end& end) { return end.signal == 0 && end.status == 0; }

struct sources {
  temp_folder folder;
  std::string line, train;
  explicit sources(int length)
      : line(folder.file("Lungo_linea.txt")), train(folder.file("Lungo_1-.txt")) {
    write_file(line, line_file_of(length));
    write_file(train, long_route_train_file());
  }
  std::vector<std::string> compile_into(const temp_folder& out) const {
    return {"compile", line, train, "--out", out.path()};
  }
};

// The set a whole compile of `src` writes.
std::vector<std::string> compiled_set(const sources& src) {
  temp_folder out;
  const child_end end = run_program(src.compile_into(out));
  EXPECT_TRUE(clean_exit(end)) << end.status << " " << end.signal;
  return set_in(out);
}

int count_from_environment(const char* name, int otherwise) {
  const char* value = std::getenv(name);
  return value ? std::atoi(value) : otherwise;
}

// A 1,000,000 m compile interrupted at random moments, over an older set of the same names:
// each run ends by its signal (or finishes first), leaves no temporary file, and the folder
// holds the old set or the new one, never a mix. SC_INTERRUPTIONS sets how many runs (fewer
// under the address sanitizer, where each run takes over a second).
TEST(RunSafety, InterruptedCompilesLeaveNoTemporaryFileAndNoMixedSet) {
#ifdef _WIN32
  GTEST_SKIP() << "sends POSIX signals (SIGINT, SIGTERM, SIGHUP, SIGPIPE) to the runs";
#else
  sources long_route(1000000), older(999000);
  std::vector<std::string> new_set = compiled_set(long_route);
  std::vector<std::string> old_set = compiled_set(older);
  ASSERT_NE(new_set, old_set);

  temp_folder out;
  // Signals fall anywhere from the start to a little past a whole run's length. A run's length
  // is the shortest of three, so a machine that is busy now and free later still has most runs
  // interrupted.
  std::chrono::steady_clock::duration whole_run = std::chrono::hours(1);
  for (int k = 0; k < 3; ++k) {
    auto began = std::chrono::steady_clock::now();
    run_program(long_route.compile_into(out));
    whole_run = std::min(whole_run, std::chrono::steady_clock::now() - began);
  }
  auto longest_wait = std::chrono::duration_cast<std::chrono::microseconds>(whole_run) * 11 / 10;

  const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
  std::mt19937 random(std::random_device{}());
  int interrupted = 0, finished = 0;
  const int runs = count_from_environment("SC_INTERRUPTIONS", kAddressSanitizer ? 40 : 100);
  for (int i = 0; i < runs; ++i) {
    put_set(out, old_set);
    int sig = signals[random() % 4];
    auto wait = std::uniform_int_distribution<long long>(0, longest_wait.count())(random);
    child_process child(SC_EXECUTABLE, long_route.compile_into(out));
    ASSERT_TRUE(child.started());
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
    kill(static_cast<pid_t>(child.id()), sig);
    const child_end end = child.wait();
    if (end.signal != 0) {
      EXPECT_EQ(end.signal, sig) << "run " << i;
      ++interrupted;
    } else {
      EXPECT_EQ(end.status, 0) << "run " << i;
      ++finished;
    }
    EXPECT_EQ(hidden_names(out), std::vector<std::string>{}) << "run " << i << " after " << wait << " us";
    std::vector<std::string> found = set_in(out);
    EXPECT_TRUE(found == old_set || found == new_set) << "run " << i << " after " << wait << " us";
    if (HasFailure()) break;
  }
  std::cout << interrupted << " runs interrupted, " << finished << " finished first\n";
  // Enough runs must have been cut short for the test to mean anything.
  EXPECT_GT(interrupted, runs / 3);
#endif
}

// A run ended at once (SIGKILL, TerminateProcess) cannot clean up: it leaves its temporary
// files. The next run into the folder removes them, and the folder holds a whole set again.
TEST(RunSafety, TheNextRunRemovesWhatAKilledRunLeft) {
  sources long_route(1000000);
  temp_folder out;
  auto began = std::chrono::steady_clock::now();
  run_program(long_route.compile_into(out));
  const auto whole_run = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - began);
  const std::vector<std::string> whole_set = set_in(out);

  std::mt19937 random(std::random_device{}());
  int left_something = 0;
  for (int i = 0; i < 10; ++i) {
    child_process killed(SC_EXECUTABLE, long_route.compile_into(out));
    ASSERT_TRUE(killed.started());
    // The files are written in the run's second half.
    auto wait =
        std::uniform_int_distribution<long long>(whole_run.count() / 3, whole_run.count())(random);
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
    killed.end_at_once();
    killed.wait();
    if (!hidden_names(out).empty()) ++left_something;
    const child_end next = run_program(long_route.compile_into(out));
    EXPECT_TRUE(clean_exit(next)) << "run " << i << ": " << next.status << " " << next.signal;
    EXPECT_EQ(hidden_names(out), std::vector<std::string>{}) << "run " << i << " after " << wait << " us";
    EXPECT_EQ(set_in(out), whole_set) << "run " << i;
    if (HasFailure()) break;
  }
  std::cout << left_something << " of 10 killed runs left temporary files\n";
}

// Two compiles of different routes into one folder at once: the folder ends with one whole
// set or the other.
TEST(RunSafety, ConcurrentCompilesIntoOneFolderLeaveOneWholeSet) {
  sources first(300000), second(200000);
  std::vector<std::string> first_set = compiled_set(first);
  std::vector<std::string> second_set = compiled_set(second);
  ASSERT_NE(first_set, second_set);
  temp_folder out;
  const int pairs = count_from_environment("SC_CONCURRENT_PAIRS", 30);
  for (int i = 0; i < pairs; ++i) {
    child_process a(SC_EXECUTABLE, first.compile_into(out));
    child_process b(SC_EXECUTABLE, second.compile_into(out));
    const child_end end_a = a.wait(), end_b = b.wait();
    EXPECT_TRUE(clean_exit(end_a)) << end_a.status << " " << end_a.signal;
    EXPECT_TRUE(clean_exit(end_b)) << end_b.status << " " << end_b.signal;
    std::vector<std::string> found = set_in(out);
    EXPECT_TRUE(found == first_set || found == second_set) << "pair " << i;
    EXPECT_EQ(hidden_names(out), std::vector<std::string>{});
    if (HasFailure()) break;
  }
}

// The 1,000,000 m compile under address-space limits from far too small to enough: each run
// ends clean with the new set, or with status 3, "out of memory" and the old set untouched;
// never an abort, never a temporary file left.
TEST(RunSafety, RunningOutOfMemoryIsStatus3AndLeavesTheOldSet) {
#ifdef _WIN32
  GTEST_SKIP() << "limits the run's address space with the POSIX shell's ulimit";
#else
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer needs more address space";
  sources long_route(1000000);
  std::vector<std::string> new_set = compiled_set(long_route);
  const std::vector<std::string> old_set = {"old plan", "old records", "old cells"};
  temp_folder out;
  int out_of_memory = 0;
  for (int limit_kb = 8000; limit_kb <= 40000; limit_kb += 1000) {
    put_set(out, old_set);
    std::string command = "ulimit -v " + std::to_string(limit_kb) + "; exec " + SC_EXECUTABLE +
                          " compile " + long_route.line + " " + long_route.train + " --out " +
                          out.path() + " 2>" + out.file(".err") + " >/dev/null";
    int status = std::system(command.c_str());
    std::string err = read_file(out.file(".err"));
    std::remove(out.file(".err").c_str());
    ASSERT_TRUE(WIFEXITED(status)) << limit_kb << " KB: " << status;
    if (WEXITSTATUS(status) == 3) {
      ++out_of_memory;
      EXPECT_EQ(err, "scenario-compiler: error: out of memory: the run is stopped\n") << limit_kb;
      EXPECT_EQ(set_in(out), old_set) << limit_kb << " KB";
    } else {
      EXPECT_EQ(WEXITSTATUS(status), 0) << limit_kb << " KB: " << err;
      EXPECT_EQ(set_in(out), new_set) << limit_kb << " KB";
    }
    EXPECT_EQ(hidden_names(out), std::vector<std::string>{}) << limit_kb << " KB";
  }
  EXPECT_GT(out_of_memory, 0);
#endif
}

}  // namespace
