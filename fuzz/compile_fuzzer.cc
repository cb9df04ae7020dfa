// The libFuzzer entry point over the compiler's fuzz harness.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  compile_fuzz_input(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
