// Windows-1252 on disk, UTF-8 in memory.
#pragma once

#include <string>
#include <string_view>

// Converts UTF-8 text to Windows-1252 bytes. A character the code page lacks becomes '?';
// a byte that is not valid UTF-8 is taken as the Windows-1252 byte it is.
std::string utf8_to_cp1252(std::string_view utf8);

// Converts Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined are
// kept as the control characters of the same number.
std::string cp1252_to_utf8(std::string_view bytes);
