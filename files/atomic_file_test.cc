#include "files/atomic_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>

#include "files/temp_registry.h"
#include "testing/small_tmpfs.h"
#include "testing/system_words.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, ReplacesTheOldFileWhole) {
  temp_folder dir;
  write_file(dir.file("f"), std::string(1000, 'o'));
  replace_file(dir.file("f"), "new");
  EXPECT_EQ(read_file(dir.file("f")), "new");
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"f"});
}

// The new file's mode is what the file-creation mask makes of 0666, as for any new file, and
// the mask is left as it was.
TEST(AtomicFile, TheModeFollowsTheCreationMask) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows files have no mode bits and no creation mask";
#else
  temp_folder dir;
  for (mode_t mask : {mode_t{022}, mode_t{077}}) {
    mode_t before = umask(mask);
    replace_file(dir.file("f"), "x");
    mode_t after = umask(before);
    EXPECT_EQ(after, mask);
    struct stat st;
    ASSERT_EQ(stat(dir.file("f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << std::oct << mask;
  }
#endif
}

TEST(AtomicFile, ALinkIsReplacedByAFileAndItsTargetIsUntouched) {
  temp_folder dir;
  write_file(dir.file("target"), "precious");
  if (!make_symlink(dir.file("target"), dir.file("out"))) GTEST_SKIP() << kNoSymlinks;
  replace_file(dir.file("out"), "new");
  EXPECT_FALSE(fs::is_symlink(dir.file("out")));
  EXPECT_EQ(read_file(dir.file("out")), "new");
  EXPECT_EQ(read_file(dir.file("target")), "precious");
}

TEST(AtomicFile, AFolderInTheWayIsAFailureAndStays) {
  temp_folder dir;
  fs::create_directory(dir.file("out"));
  write_file(dir.file("out/inside"), "x");
  try {
    replace_file(dir.file("out"), "new");
    FAIL() << "no failure";
  } catch (const write_failure& f) {
    EXPECT_EQ(f.path, dir.file("out"));
    EXPECT_EQ(f.reason, system_words(failure_kind::folder_in_the_way));
  }
  EXPECT_EQ(read_file(dir.file("out/inside")), "x");
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"out"});
}

TEST(AtomicFile, AFullDiskKeepsTheOldFileAndLeavesNoPartialOne) {
  small_tmpfs disk("64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  write_file(disk.file("f"), "old");
  try {
    replace_file(disk.file("f"), std::string(200 * 1024, 'n'));
    FAIL() << "no failure";
  } catch (const write_failure& f) {
    EXPECT_EQ(f.reason, "No space left on device");
    EXPECT_EQ(std::string(f.what()), "cannot write " + disk.file("f") + ": No space left on device");
  }
  EXPECT_EQ(read_file(disk.file("f")), "old");
  EXPECT_EQ(names_in(disk.path()), std::vector<std::string>{"f"});
}

TEST(AtomicFile, AReadOnlyFolderKeepsTheOldFile) {
  small_tmpfs disk("64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  write_file(disk.file("f"), "old");
  ASSERT_TRUE(disk.make_read_only());
  try {
    replace_file(disk.file("f"), "new");
    FAIL() << "no failure";
  } catch (const write_failure& f) {
    EXPECT_EQ(f.reason, "Read-only file system");
  }
  EXPECT_EQ(read_file(disk.file("f")), "old");
}

// A set whose last file does not fit: the whole set is dropped and the old files stay, every one.
TEST(FileSet, AFullDiskAtTheLastFileReplacesNothing) {
  small_tmpfs disk("64k");
  if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  for (const char* name : {"plan", "records", "cells"}) write_file(disk.file(name), "old");
  file_set set;
  try {
    set.fill([&] {
      set.add(disk.file("plan")).write("new plan");
      set.add(disk.file("records")).write("new records");
      set.add(disk.file("cells")).write(std::string(200 * 1024, 'n'));
    });
    set.commit();
    FAIL() << "no failure";
  } catch (const write_failure& f) {
    EXPECT_EQ(std::string(f.what()), "cannot write " + disk.file("cells") +
                                         ": No space left on device; nothing was replaced");
  }
  for (const char* name : {"plan", "records", "cells"})
    EXPECT_EQ(read_file(disk.file(name)), "old") << name;
  EXPECT_EQ(names_in(disk.path()), (std::vector<std::string>{"cells", "plan", "records"}));
}

// A rename that fails after another succeeded: the message names what was replaced and what
// was not. Here the second file's folder is moved away before the set is committed.
TEST(FileSet, AFailureBetweenRenamesNamesWhatWasReplaced) {
  temp_folder dir;
  fs::create_directory(dir.file("a"));
  fs::create_directory(dir.file("b"));
  write_file(dir.file("a/plan"), "old");
  file_set set;
  set.add(dir.file("a/plan")).write("new plan");
  set.add(dir.file("b/cells")).write("new cells");
  fs::rename(dir.file("b"), dir.file("moved"));
  try {
    set.commit();
    FAIL() << "no failure";
  } catch (const write_failure& f) {
    EXPECT_EQ(std::string(f.what()), "cannot write " + dir.file("b/cells") +
                                         ": " + system_words(failure_kind::no_such_folder) +
                                         "; replaced: " +
                                         dir.file("a/plan") + "; not replaced: " +
                                         dir.file("b/cells"));
  }
  EXPECT_EQ(read_file(dir.file("a/plan")), "new plan");
  EXPECT_EQ(names_in(dir.file("a")), std::vector<std::string>{"plan"});
}

// Every file of a set is made before any is renamed: until commit, the old files are whole.
TEST(FileSet, NothingIsReplacedBeforeCommit) {
  temp_folder dir;
  write_file(dir.file("plan"), "old");
  {
    file_set set;
    set.add(dir.file("plan")).write("new");
    EXPECT_EQ(read_file(dir.file("plan")), "old");
  }  // dropped without commit
  EXPECT_EQ(read_file(dir.file("plan")), "old");
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"plan"});
}

// A run ended by a signal while its files are being written leaves none of them: the handler
// removes them and the run ends by that signal.
TEST(FileSet, ASignalRemovesTheTemporaryFilesAndEndsTheRun) {
#ifdef _WIN32
  GTEST_SKIP() << "raises POSIX signals in a forked child";
#else
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
    temp_folder dir;
    write_file(dir.file("plan"), "old");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      remove_temporaries_on_signals();
      file_set set;
      set.add(dir.file("plan")).write("new plan");
      set.add(dir.file("cells")).write("new cells");
      raise(sig);
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig << ": " << status;
    EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"plan"}) << sig;
    EXPECT_EQ(read_file(dir.file("plan")), "old") << sig;
  }
#endif
}

}  // namespace
