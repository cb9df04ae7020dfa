// The bash completion script, made from the command table's usage lines: the commands, each
// command's options, and for each word or option argument what it names (a source, a binary
// file, a folder, a picture, one of a few words).
#pragma once

#include <iosfwd>

void write_bash_completion(std::ostream& out);
