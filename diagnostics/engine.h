// The diagnostics engine: every message of a run goes through one, which applies the warning
// settings (-Wno-NAME silences a kind, --werror makes warnings errors), counts what it passes
// on, and hands each diagnostic to its sink: the console printer, or a list that the live page
// or an editor reads as it is, with its place, kind and metre.
#pragma once

#include <functional>
#include <iosfwd>
#include <set>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"

struct warning_settings {
  std::set<std::string> disabled;  // kinds silenced with -Wno-NAME
  bool werror = false;             // warnings are errors
};

using diagnostic_sink = std::function<void(const diagnostic&)>;

// Prints each diagnostic on `out` with the one printer.
diagnostic_sink console_printer(std::ostream& out);
// Keeps each diagnostic in `kept`, in order.
diagnostic_sink keeper(std::vector<diagnostic>& kept);

class diagnostic_engine {
 public:
  explicit diagnostic_engine(diagnostic_sink sink, warning_settings settings = {})
      : sink_(std::move(sink)), settings_(std::move(settings)) {}

  // Passes `d` on under the settings: a silenced warning is dropped (false), a warning under
  // --werror goes on as an error.
  bool report(diagnostic d);
  // A message of the program itself, "scenario-compiler: TEXT", that is not a fault of a file.
  void tell(std::string text);

  void send_to(diagnostic_sink sink) { sink_ = std::move(sink); }
  const warning_settings& settings() const { return settings_; }
  void set_settings(warning_settings settings) { settings_ = std::move(settings); }

  int errors() const { return errors_; }
  int warnings() const { return warnings_; }

 private:
  diagnostic_sink sink_;
  warning_settings settings_;
  int errors_ = 0;
  int warnings_ = 0;
};
