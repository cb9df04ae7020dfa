// The program's start, which differs between systems: its arguments as UTF-8 and its standard
// streams as bytes.
#pragma once

#include <string>
#include <vector>

// The command line's arguments after the program's name, as UTF-8. On Windows they come from
// the wide command line, so that a path with characters beyond the code page (Città, 日本)
// reaches the program whole.
std::vector<std::string> program_arguments(int argc, char** argv);

// Standard input, output and error carry bytes as written: no CR is put before an LF and none
// is taken away (`render -o -` stays the file's bytes, a language client's headers keep their
// CR LF), and a console shows the UTF-8 that the program prints.
void prepare_standard_streams();
