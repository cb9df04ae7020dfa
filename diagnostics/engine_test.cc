#include "diagnostics/engine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

diagnostic warning(const char* name) {
  return warning_at({"t.txt", 3, 1, "pendnza, 100, 5"}, name, "no row starts with \"pendnza\"");
}

TEST(DiagnosticEngine, SettingsSilenceOrRaiseWarningsAndTheCountsFollow) {
  struct settings_case {
    warning_settings settings;
    int kept, errors, warnings;
    severity level;  // of the warning kept
  };
  for (const settings_case& c : {
           settings_case{{}, 3, 1, 2, severity::warning},
           settings_case{{{"unknown-row"}, false}, 2, 1, 1, severity::warning},
           settings_case{{{}, true}, 3, 3, 0, severity::error},
           settings_case{{{"unknown-row"}, true}, 2, 2, 0, severity::error},
       }) {
    std::vector<diagnostic> kept;
    diagnostic_engine engine(keeper(kept), c.settings);
    EXPECT_EQ(engine.report(warning("unknown-row")), c.kept == 3);
    engine.report(warning("range"));
    engine.report(fault_at({"t.txt", 9, 1, "segnale, 1"}, 16, 1));
    EXPECT_EQ(kept.size(), static_cast<size_t>(c.kept));
    EXPECT_EQ(engine.errors(), c.errors);
    EXPECT_EQ(engine.warnings(), c.warnings);
    EXPECT_EQ(kept.front().level, c.level);
  }
}

TEST(DiagnosticEngine, TheProgramsOwnWordsAreToldNotCounted) {
  std::ostringstream out;
  diagnostic_engine engine(console_printer(out));
  engine.tell("cannot read R_linea.txt: no such file");
  engine.report(system_message(" Errore n. 1250"));
  engine.report(failure("cannot write out/a.dat: No space left on device"));
  EXPECT_EQ(out.str(),
            "scenario-compiler: cannot read R_linea.txt: no such file\n"
            " Errore n. 1250\n"
            "scenario-compiler: error: cannot write out/a.dat: No space left on device\n");
  EXPECT_EQ(engine.errors(), 1);
  EXPECT_EQ(engine.warnings(), 0);
}

TEST(DiagnosticEngine, APageShowsTheMessagesWithoutTheProgramsName) {
  std::ostringstream page;
  print_diagnostic(page, program_message("cannot read R_linea.txt: no such file"), false);
  print_diagnostic(page, failure("cannot draw the route"), false);
  print_diagnostic(page, fault_at({"t.txt", 2, 1, "x"}, 1), false);
  EXPECT_EQ(page.str(),
            "cannot read R_linea.txt: no such file\n"
            "error: cannot draw the route\n"
            "t.txt:2:1: error 1: route length above 1000000 m\nx\n^\n");
}

}  // namespace
