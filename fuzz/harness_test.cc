// Every input the fuzzer ever found a fault with, and the kept seeds, through the fuzz harness.
#include "fuzz/harness.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/temp_folder.h"

namespace {

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
  for (const char* kept : {"regressions", "seeds"}) {
    std::filesystem::path folder = std::filesystem::path(SC_SOURCE_DIR) / "fuzz" / kept;
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (!entry.is_regular_file() || entry.path().filename() == "README") continue;
      SCOPED_TRACE(entry.path().string());
      compile_fuzz_input(read_file(entry.path().string()));  // aborts on a broken invariant
      ++inputs;
    }
    EXPECT_GT(inputs, 0) << folder;
  }
}

TEST(FuzzRegressions, AnEmptyFileInEveryMode) {
  for (char mode = 0; mode < 8; ++mode) compile_fuzz_input(std::string(1, mode));
}

}  // namespace
