#include "platform/local_time.h"

std::tm local_time_of(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  return local;
}
