// An author's two source files set up for a run from memory: the words `compile` and `check`
// share (the files, the names, the plan switch and the warning options), the reading, the
// encoding and the lint.
#pragma once

#include <iosfwd>
#include <set>
#include <string>
#include <vector>

#include "form1/form1.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "diagnostics/diagnostic.h"
#include "diagnostics/engine.h"
#include "lint/lint.h"
#include "timetable/rates.h"

struct source_run {
  parsed_args args;
  std::string line_source, train_source;  // as given
  std::string route, train;
  bool plan = true;
  bool werror = false;  // warnings are errors
  bool utf8 = false;    // --encoding utf-8: the sources are converted before the run
  lint_options lint;  // its `disabled` holds the kinds the run does not tell
  rate_overrides rates;  // --acceleration and --deceleration, for the timetable's modelled run
  std::string line_bytes, train_bytes;  // Windows-1252, as the compiler reads them
  // Under --encoding utf-8, each character without a Windows-1252 form (read as '?'), an error.
  std::vector<diagnostic> encoding_faults;
};

// Parses `LINE_FILE TRAIN_FILE` with the shared options and `own`: --no-plan, --route NAME,
// --train NUMBER, --werror, -Wno-NAME, -WNAME (a kind off by default), --acceleration RATE,
// --deceleration RATE and --encoding utf-8|windows-1252. Returns exit_clean, or exit_usage once
// the problem and the usage are told.
int parse_source_run(const command& self, const std::vector<std::string>& args,
                     std::vector<known_option> own, source_run& run,
                     diagnostic_engine& diagnostics);

// Reads both files into memory: exit_file_fault once a file that cannot be read is reported,
// else exit_clean. Under --encoding utf-8 a UTF-8 file is converted, and a character without a
// Windows-1252 form is an error, kept in encoding_faults for the caller to report.
int read_sources(source_run& run, diagnostic_engine& diagnostics);

// The lint's warnings, in line order within each file.
std::vector<diagnostic> lint_sources(const source_run& run);

// The warning kinds a run tells, from the words -Wno-NAME and -WNAME among `args`, the later
// word winning; every other word is left in `rest`. Returns the unknown word's problem, else
// an empty text.
std::string take_warning_words(const std::vector<std::string>& args, std::vector<std::string>& rest,
                               std::set<std::string>& disabled);

// --acceleration and --deceleration from `a` into `rates`: the problem with a value that is no
// rate, else an empty text.
std::string take_rate_options(const parsed_args& a, rate_overrides& rates);

// What -Wno-NAME and --werror ask of the run's diagnostics engine.
warning_settings warning_settings_of(const source_run& run);

// Sets `form` to compile the sources from memory.
void load_sources(Form1& form, const source_run& run);
