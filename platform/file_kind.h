// What stands at a path, as the operating system tells it.
#pragma once

#include <string>

enum class file_kind { missing, regular, folder, fifo, socket, device, other, unknown };

// What `path` names, a link followed; `unknown` when it cannot be looked at for a reason other
// than absence.
file_kind kind_of_file(const std::string& path);
// The same for the entry itself: a link, followed or not, is `other`.
file_kind kind_of_entry(const std::string& path);
