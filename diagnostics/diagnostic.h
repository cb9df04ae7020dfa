// A fault as a value: made where the fault is found, carried to whoever reports it, printed by
// one printer in the GNU form `FILE:LINE:COL: error CODE: MEANING[: DETAIL] (at POSITION m)`;
// a warning reads `FILE:LINE:COL: warning: DETAIL [-WNAME]`.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Where a fault lies: the source file as the user knows it and, for a fault tied to a row, its
// line and column (from 1) and the line's text. An empty file means the run as a whole.
struct source_location {
  std::string file;
  int line = 0;
  int column = 0;
  std::string text;
};

// A file as a whole, no row in it.
inline source_location file_only(std::string file) { return {std::move(file), 0, 0, {}}; }

// The name the program gives itself in its messages.
inline constexpr const char* kProgramName = "scenario-compiler";

enum class severity { error, warning };

// A place related to a diagnostic, told after it as a note ("the earlier row is here").
struct related_place {
  source_location where;
  std::string message;
};

struct diagnostic {
  severity level = severity::error;
  source_location where;
  int32_t code = 0;  // a recorded code; 0 for a fault that has none (a file that cannot be written)
  std::optional<int32_t> position;  // metres along the route, for the codes that record one
  std::string detail;
  // The system's own message ("Errore n. 1250"): when set it is printed as it is, alone, after
  // the program's name when `by_program` says the program tells it ("cannot read FILE: ...").
  std::string message;
  bool by_program = false;
  std::string name;  // a warning's kind, as -Wno-NAME silences it
  // The kind of row the diagnostic is about, by its keyword as the format names it ("segnale"),
  // empty for a fault tied to no row.
  std::string row_kind;
  // Where along the route the row lies, in metres, when its kind starts with a place (a
  // signal's position, a slowdown's start); not a car count or a route length.
  std::optional<double> metre;
  // Places that explain it, each printed after it as a note.
  std::vector<related_place> related;
};

// A recorded code at `where`.
diagnostic fault_at(source_location where, int32_t code,
                    std::optional<int32_t> position = std::nullopt, std::string detail = {});

// The system's own message, shown word for word.
diagnostic system_message(std::string message);

// A message of the program itself, printed after its name: "scenario-compiler: TEXT".
diagnostic program_message(std::string text);

// A fault with no code, told by its detail alone ("cannot write PATH: REASON").
diagnostic failure(std::string detail);

// A warning of kind `name` at `where`.
diagnostic warning_at(source_location where, std::string name, std::string detail);

// The program's own message through the one printer: "scenario-compiler: TEXT".
void tell(std::ostream& out, std::string text);

// The one printer: the diagnostic's line and, for a fault on a row, the row with a caret under
// its column; then each related place as a note in the same form. A message tied to no file
// starts with the program's name, unless `named` is false (a page that shows only this
// program's messages).
void print_diagnostic(std::ostream& out, const diagnostic& d, bool named = true);
