// The Win32 half's own helpers: paths as UTF-16 for the wide calls, and the system's words for
// an error code.
#pragma once

#include <string>

std::wstring wide_of(const std::string& utf8);
std::string utf8_of(const std::wstring& wide);
// The system's message for `code`, or "error N" when it has none.
std::string system_message(unsigned long code);
