// The check the language server runs: an editor's sources in memory, as `check` checks them.
#pragma once

#include "lsp/checker.h"

check_outcome check_in_memory(const check_request& request);
