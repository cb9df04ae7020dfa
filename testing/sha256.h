// Test helper: the SHA-256 digest of a byte string, in lower-case hex, as sha256sum prints it, so
// whole files can be held to digests recorded elsewhere. Built optimised, apart from the tests
// (which are not), as the corpus hashes a few hundred megabytes.
#pragma once

#include <string>
#include <string_view>

std::string sha256_hex(std::string_view bytes);
