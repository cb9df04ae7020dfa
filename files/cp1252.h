// Windows-1252 text lives with the binary codecs (binary/cp1252.h); the readers of the text
// files still reach it here.
#pragma once

#include "binary/cp1252.h"
