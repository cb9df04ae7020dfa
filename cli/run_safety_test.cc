// The program run as a process: interrupted at random moments, run twice at once into one
// folder, and run out of memory, it leaves no temporary file and never a mixed set of files.
#include <algorithm>
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "bench/long_route.h"
#include "files/file_names.h"
#include "testing/temp_folder.h"

extern char** environ;

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

void put_set(const temp_folder& folder, const std::vector<std::string>& set) {
  for (size_t i = 0; i < set.size(); ++i) write_file(folder.file(kSets[i]), set[i]);
}

// The names starting with '.': the temporary files of a run.
std::vector<std::string> hidden_names(const temp_folder& folder) {
  std::vector<std::string> hidden;
  for (const std::string& name : names_in(folder.path()))
    if (name[0] == '.') hidden.push_back(name);
  return hidden;
}

// Starts the program with `args`, its output and errors going nowhere; returns its process.
pid_t start(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string exe = SC_EXECUTABLE;
  argv.push_back(exe.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  int failed = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

int wait_for(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

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
  pid_t pid = start(src.compile_into(out));
  int status = wait_for(pid);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
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
    wait_for(start(long_route.compile_into(out)));
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
    auto wait = std::uniform_int_distribution<long>(0, longest_wait.count())(random);
    pid_t pid = start(long_route.compile_into(out));
    ASSERT_GT(pid, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
    kill(pid, sig);
    int status = wait_for(pid);
    if (WIFSIGNALED(status)) {
      EXPECT_EQ(WTERMSIG(status), sig) << "run " << i;
      ++interrupted;
    } else {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << i << ": " << status;
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
}

// SIGKILL cannot be caught: a run killed so leaves its temporary files. The next run into the
// folder removes them, and the folder holds a whole set again.
TEST(RunSafety, TheNextRunRemovesWhatAKilledRunLeft) {
  sources long_route(1000000);
  temp_folder out;
  auto began = std::chrono::steady_clock::now();
  wait_for(start(long_route.compile_into(out)));
  const auto whole_run = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - began);
  const std::vector<std::string> whole_set = set_in(out);

  std::mt19937 random(std::random_device{}());
  int left_something = 0;
  for (int i = 0; i < 10; ++i) {
    pid_t pid = start(long_route.compile_into(out));
    ASSERT_GT(pid, 0);
    // The files are written in the run's second half.
    auto wait = std::uniform_int_distribution<long>(whole_run.count() / 3, whole_run.count())(random);
    std::this_thread::sleep_for(std::chrono::microseconds(wait));
    kill(pid, SIGKILL);
    wait_for(pid);
    if (!hidden_names(out).empty()) ++left_something;
    int status = wait_for(start(long_route.compile_into(out)));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "run " << i << ": " << status;
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
    pid_t a = start(first.compile_into(out));
    pid_t b = start(second.compile_into(out));
    int status_a = wait_for(a), status_b = wait_for(b);
    EXPECT_TRUE(WIFEXITED(status_a) && WEXITSTATUS(status_a) == 0) << status_a;
    EXPECT_TRUE(WIFEXITED(status_b) && WEXITSTATUS(status_b) == 0) << status_b;
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
}

}  // namespace
