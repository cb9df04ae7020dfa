#include "platform/child_process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/program_path.h"

namespace {

// What the children run: this executable again, one disabled test of it.
child_process child(const char* test) {
  return child_process(executable_path(), {std::string("--gtest_filter=ChildProcessChild.") + test,
                                            "--gtest_also_run_disabled_tests"});
}

TEST(ChildProcessChild, DISABLED_ExitsWith7) { std::exit(7); }

TEST(ChildProcessChild, DISABLED_Sleeps) { std::this_thread::sleep_for(std::chrono::minutes(2)); }

TEST(ChildProcess, TellsTheExitStatus) {
  child_process c = child("DISABLED_ExitsWith7");
  ASSERT_TRUE(c.started());
  const child_end end = c.wait();
  EXPECT_EQ(end.status, 7);
  EXPECT_EQ(end.signal, 0);
  EXPECT_EQ(c.wait().status, 7);  // a second wait gives the same
}

// A child ended at once ends by that, not by its own end two minutes later.
TEST(ChildProcess, EndsAChildAtOnce) {
  child_process c = child("DISABLED_Sleeps");
  ASSERT_TRUE(c.started());
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  c.end_at_once();
  const child_end end = c.wait();
#ifdef _WIN32
  EXPECT_EQ(end.status, 1);
#else
  EXPECT_EQ(end.signal, 9);
#endif
}

TEST(ChildProcess, AMissingProgramIsNotStarted) {
  child_process c(executable_path() + "-missing", {});
  EXPECT_FALSE(c.started());
  EXPECT_EQ(c.wait().status, -1);
}

}  // namespace
