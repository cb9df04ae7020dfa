// Whole files held to their digests: the built-in run's six files as the simulator and the driver
// must get them, and the three binary files of the longest route the format allows.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "bench/long_route.h"
#include "cli/run_cli.h"
#include "testing/sha256.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// `sha256sum` lines: digest, two blanks (or blank and star), file name.
std::map<std::string, std::string> digests_in(const fs::path& list) {
  std::map<std::string, std::string> out;
  std::ifstream in(list);
  std::string line;
  while (std::getline(in, line))
    if (line.size() > 66) out[line.substr(66)] = line.substr(0, 64);
  return out;
}

std::map<std::string, std::string> digests_of(const temp_folder& folder,
                                              const std::map<std::string, std::string>& names) {
  std::map<std::string, std::string> out;
  for (const auto& [name, digest] : names)
    if (fs::exists(folder.file(name))) out[name] = sha256_hex(read_file(folder.file(name)));
  return out;
}

TEST(Sha256, KnownDigests) {
  EXPECT_EQ(sha256_hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256_hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits the first block.
  EXPECT_EQ(sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

TEST(GoldenFiles, TheBuiltinRun) {
  const fs::path list = fs::path(SC_SOURCE_DIR) / "../shared/reference/builtin.sha256";
  ASSERT_TRUE(fs::exists(list)) << list;
  const std::map<std::string, std::string> want = digests_in(list);
  ASSERT_EQ(want.size(), 6u);
  temp_folder dir;
  const cli_result r = run({"--out", dir.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(digests_of(dir, want), want);
}

TEST(GoldenFiles, TheLongestRoute) {
  const std::map<std::string, std::string> want =
      digests_in(fs::path(SC_SOURCE_DIR) / "cli/testdata/long_route.sha256");
  ASSERT_EQ(want.size(), 3u);
  temp_folder sources, out;
  write_file(sources.file("Long_linea.txt"), long_route_line_file());
  write_file(sources.file("Long_1-.txt"), long_route_train_file());
  const cli_result r =
      run({"compile", sources.file("Long_linea.txt"), sources.file("Long_1-.txt"), "--out",
           out.path()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(digests_of(out, want), want);
}

}  // namespace
