// What every command reads must be a regular file of bounded size: anything else is refused
// with status 3 before a byte is read, so a FIFO never hangs a run and /dev/zero is never read.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <functional>

#include "cli/run_cli.h"
#include "files/whole_file.h"
#include "testing/sample_route.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kLine =
    "[generale]\r\nlunghezza percorso,    1000\r\n[curve]\r\n[pendenze]\r\npendenza,  0,   0\r\n"
    "[fine]\r\n";
const std::string kTrain =
    "[generale]\r\nnumero vetture,    8\r\n[vel_limite]\r\nvelocita,   0,    30\r\n"
    "[aderenze]\r\naderenza,   0,    100\r\n[fine]\r\n";

// A device that never ends when read.
#ifdef _WIN32
const std::string kDevice = "NUL";
#else
const std::string kDevice = "/dev/zero";
#endif

// A file of `size` bytes that takes no room on disk.
void make_sparse(const std::string& path, uint64_t size) {
  write_file(path, "");
  fs::resize_file(path, size);
}

#ifndef _WIN32
void make_fifo(const std::string& path) {
  fs::remove(path);
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}
#endif

struct source_case {
  const char* what;
  // Puts the bad source in place and returns its path.
  std::function<std::string(const temp_folder&)> make;
  const char* reason;
};

TEST(CompileSources, OnlyRegularFilesOfBoundedSize) {
  const source_case cases[] = {
#ifndef _WIN32  // a FIFO in a folder is POSIX's
      {"a FIFO with no writer",
       [](const temp_folder& t) {
         make_fifo(t.file("Mini_linea.txt"));
         return t.file("Mini_linea.txt");
       },
       "it is a FIFO, not a regular file"},
#endif
      {"an endless device", [](const temp_folder&) { return kDevice; },
       "it is a device, not a regular file"},
      {"a folder",
       [](const temp_folder& t) {
         fs::remove(t.file("Mini_linea.txt"));
         fs::create_directory(t.file("Mini_linea.txt"));
         return t.file("Mini_linea.txt");
       },
       "it is a folder"},
      {"a source one byte over the bound",
       [](const temp_folder& t) {
         make_sparse(t.file("Mini_linea.txt"), max_source_bytes + 1);
         return t.file("Mini_linea.txt");
       },
       "it is larger than 268435456 bytes"},
  };
  for (const source_case& c : cases) {
    temp_folder t;
    write_file(t.file("Mini_linea.txt"), kLine);
    write_file(t.file("Mini_1-.txt"), kTrain);
    fs::create_directory(t.file("out"));
    const std::string bad = c.make(t);
    cli_result r = run({"compile", bad, t.file("Mini_1-.txt"), "--route", "Mini", "--out",
                        t.file("out")});
    EXPECT_EQ(r.status, 3) << c.what;
    EXPECT_EQ(r.err.rfind("scenario-compiler: cannot read " + bad + ": " + c.reason, 0), 0u)
        << c.what << ": " << r.err;
    EXPECT_EQ(names_in(t.file("out")), std::vector<std::string>{}) << c.what;
  }
}

TEST(BinaryInputs, InspectAndRenderReadOnlyRegularFilesOfBoundedSize) {
  const std::string plan = "Zenvro_Quarvel_linea.dat";
  const source_case cases[] = {
#ifndef _WIN32
      {"a FIFO with no writer",
       [&](const temp_folder& t) {
         make_fifo(t.file(plan));
         return t.file(plan);
       },
       "it is a FIFO, not a regular file"},
#endif
      {"a plan file over the bound",
       [&](const temp_folder& t) {
         make_sparse(t.file(plan), max_binary_bytes + 1);
         return t.file(plan);
       },
       "it is larger than 33554432 bytes"},
  };
  for (const source_case& c : cases) {
    temp_folder t;
    sample_route(2000).write(t.path(), "Zenvro_Quarvel", "2417");
    const std::string bad = c.make(t);
    const std::string said = "scenario-compiler: cannot read " + bad + ": " + c.reason;
    cli_result inspected = run({"inspect", bad});
    EXPECT_EQ(inspected.status, 3) << c.what;
    EXPECT_EQ(inspected.err.rfind(said, 0), 0u) << c.what << ": " << inspected.err;
    cli_result rendered = run({"render", "--dir", t.path(), "-o", t.file("out.svg")});
    EXPECT_EQ(rendered.status, 3) << c.what;
    EXPECT_EQ(rendered.err.rfind(said, 0), 0u) << c.what << ": " << rendered.err;
    EXPECT_FALSE(file_present(t.file("out.svg"))) << c.what;
  }
  cli_result device = run({"inspect", "--kind", "cells", kDevice});
  EXPECT_EQ(device.status, 3);
  EXPECT_EQ(device.err,
            "scenario-compiler: cannot read " + kDevice + ": it is a device, not a regular file\n");
}

}  // namespace
