#include "diagnostics/diagnostic.h"

#include <ostream>

#include "diagnostics/error_codes.h"

diagnostic fault_at(source_location where, int32_t code, std::optional<int32_t> position,
                    std::string detail) {
  diagnostic d;
  d.where = std::move(where);
  d.code = code;
  d.position = position;
  d.detail = std::move(detail);
  return d;
}

diagnostic system_message(std::string message) {
  diagnostic d;
  d.message = std::move(message);
  return d;
}

diagnostic program_message(std::string text) {
  diagnostic d;
  d.message = std::move(text);
  d.by_program = true;
  return d;
}

diagnostic failure(std::string detail) {
  diagnostic d;
  d.detail = std::move(detail);
  return d;
}

diagnostic warning_at(source_location where, std::string name, std::string detail) {
  diagnostic d;
  d.level = severity::warning;
  d.where = std::move(where);
  d.name = std::move(name);
  d.detail = std::move(detail);
  return d;
}

namespace {

void print_place(std::ostream& out, const source_location& at, bool named) {
  if (at.file.empty()) {
    if (named) out << kProgramName << ": ";
  } else if (at.line > 0) {
    out << at.file << ':' << at.line << ':' << (at.column > 0 ? at.column : 1) << ": ";
  } else {
    out << at.file << ": ";
  }
}

void print_row(std::ostream& out, const source_location& at) {
  if (at.line <= 0 || at.text.empty()) return;
  out << at.text << '\n';
  const int column = at.column > 0 ? at.column : 1;
  // The caret stands where a terminal shows the column: a tab in the row is a tab before it too.
  std::string pad(static_cast<size_t>(column - 1), ' ');
  for (size_t i = 0; i < pad.size() && i < at.text.size(); ++i)
    if (at.text[i] == '\t') pad[i] = '\t';
  out << pad << "^\n";
}

}  // namespace

void print_diagnostic(std::ostream& out, const diagnostic& d, bool named) {
  if (!d.message.empty()) {
    if (d.by_program && named) out << kProgramName << ": ";
    out << d.message << '\n';
    out.flush();
    return;
  }
  const source_location& at = d.where;
  print_place(out, at, named);
  out << (d.level == severity::error ? "error" : "warning");
  if (d.code != 0) {
    const error_code_info* info = find_error_code(d.code);
    out << ' ' << d.code << ": " << (info ? meaning_of(*info, at.line > 0) : "unknown fault");
    if (!d.detail.empty()) out << ": " << d.detail;
  } else {
    out << ": " << d.detail;
  }
  if (d.position) out << " (at " << *d.position << " m)";
  // A warning made an error by --werror says so, as it would be silenced.
  if (!d.name.empty()) out << (d.level == severity::error ? " [-Werror=" : " [-W") << d.name << ']';
  out << '\n';
  print_row(out, at);
  for (const related_place& note : d.related) {
    print_place(out, note.where, named);
    out << "note: " << note.message << '\n';
    print_row(out, note.where);
  }
  out.flush();
}

void tell(std::ostream& out, std::string text) {
  print_diagnostic(out, program_message(std::move(text)));
}
