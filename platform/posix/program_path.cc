#include "platform/program_path.h"

#include <filesystem>
#include <system_error>

std::string executable_path() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : exe.string();
}
