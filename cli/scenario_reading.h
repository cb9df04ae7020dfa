// Finding a compiled scenario and reading its binary files, for the commands that read one
// (render, timetable): a .sim named on the command line, --dir, --route and --train.
#pragma once

#include <string>
#include <vector>

#include "binary/binary_decoding.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "files/file_names.h"
#include "files/whole_file.h"

// A file that cannot be read for a reason other than its content.
struct unreadable_file {
  std::string path;
  std::string reason;
  bool missing;
};

// A file whose bytes do not decode; `noun` says what it should have been.
struct damaged_file {
  std::string path;
  const char* noun;
  decoding_fault fault;
};

inline std::string read_or_throw(const std::string& path) {
  whole_file f = read_whole_file(path, max_binary_bytes);
  if (!f.ok) throw unreadable_file{path, f.reason, f.missing};
  return std::move(f.bytes);
}

// Reads and decodes one file; a decoding fault is reported against the file.
template <class Decode>
auto read_decoded(const std::string& path, const char* noun, Decode decode) {
  std::string bytes = read_or_throw(path);
  try {
    return decode(bytes);
  } catch (const decoding_fault& f) {
    throw damaged_file{path, noun, f};
  }
}

// Where the scenario lives and what it is called.
struct scenario_place {
  std::string dir;
  scenario_name name;

  std::string cells_path() const { return join_path(dir, cells_file_name(name.route, name.train)); }
  std::string records_path() const {
    return join_path(dir, records_file_name(name.route, name.train));
  }
  std::string plan_path() const { return join_path(dir, plan_file_name(name.route)); }
};

// Finds the scenario from the .sim among a's words, from --route and --train, or by looking in
// --dir (the current folder by default). Returns exit_clean with `place` set, or the status
// once the problem is reported.
int locate_scenario(const command& self, const parsed_args& a, scenario_place& place,
                    diagnostic_engine& diagnostics);

// Runs `read`, which reads the scenario's files by the functions above: a file that cannot be
// read is told and gives exit_file_fault, a damaged one exit_scenario_fault; else what `read`
// returns.
template <class Read>
int reading_scenario(diagnostic_engine& diagnostics, Read read) {
  try {
    return read();
  } catch (const unreadable_file& f) {
    diagnostics.tell("cannot read " + f.path + ": " + f.reason);
    return exit_file_fault;
  } catch (const damaged_file& f) {
    diagnostics.tell(damaged_file_message(f.path, f.noun, f.fault));
    return exit_scenario_fault;
  }
}
