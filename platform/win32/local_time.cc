#include "platform/local_time.h"

std::tm local_time_of(std::time_t t) {
  std::tm local{};
  localtime_s(&local, &t);
  return local;
}
