// The slowdown list: the built-in scenario has none.
#include "builtin/document_lines.h"

namespace {

constexpr std::string_view kLines[] = {
    "",
    "",
    "",
    "",
    "                         NESSUNA PRESCRIZIONE",
};

}  // namespace

std::span<const std::string_view> slowdowns_lines() { return kLines; }
