// The local time of day, as the console shows it.
#pragma once

#include <ctime>

std::tm local_time_of(std::time_t t);
