#include "cli/manual.h"

#include <cctype>
#include <ostream>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/help_blocks.h"
#include "cli/troff.h"
#include "cli/usage.h"

namespace {

// A page being written: knows whether a heading came last, since the heading already breaks the
// paragraph and a .PP right after it is one too many.
class troff_page {
 public:
  std::ostream& text() {
    after_heading_ = false;
    return out_;
  }
  void heading(const std::string& macro_line) {
    out_ << macro_line << '\n';
    after_heading_ = true;
  }
  std::ostream& paragraph_break() {
    if (!after_heading_) out_ << ".PP\n";
    return text();
  }
  std::string str() const { return out_.str(); }

 private:
  std::ostringstream out_;
  bool after_heading_ = false;
};

void header(troff_page& page, const std::string& title, int section, const std::string& part) {
  page.text() << ".TH " << troff_argument(title) << ' ' << section << " \"" << SC_DATE << "\" "
      << troff_argument(std::string("scenario-compiler ") + SC_VERSION) << ' '
      << troff_argument(part) << '\n'
      << ".nh\n.ad l\n";  // no hyphens in option names, ragged right
}

void paragraph(troff_page& page, const std::string& text) {
  page.paragraph_break() << troff_text(text) << '\n';
}

// A usage line with the program and option names in bold and placeholders in italics; brackets,
// bars and "..." stay roman.
std::string styled_usage(const std::string& usage) {
  std::string out;
  std::string word;
  int depth = 0;  // inside brackets a space does not break: "[--route NAME]" stays whole
  auto flush = [&] {
    if (word.empty()) return;
    bool placeholder = std::isupper(static_cast<unsigned char>(word[0]));
    const usage_option glued = word[0] == '-' ? option_word(word) : usage_option{};
    if (glued.glued) {  // -Wno-NAME
      out += "\\fB" + troff_line(glued.name) + "\\fI" + troff_line(glued.argument) + "\\fR";
    } else {
      out += (placeholder ? "\\fI" : "\\fB") + troff_line(word) + "\\fR";
    }
    word.clear();
  };
  for (size_t i = 0; i < usage.size(); ++i) {
    char c = usage[i];
    if (c == '[' || c == ']' || c == '|' || c == ' ' || usage.compare(i, 3, "...") == 0) {
      flush();
      if (c == '.') {
        out += "\\&...";
        i += 2;
      } else {
        depth += c == '[' ? 1 : c == ']' ? -1 : 0;
        out += c == ' ' && depth > 0 ? std::string("\\ ") : std::string(1, c);
      }
    } else {
      word += c;
    }
  }
  flush();
  return out;
}

// A usage line hanging under its first word, as a synopsis is set.
void usage_paragraph(troff_page& page, const std::string& usage) {
  page.paragraph_break() << ".in +4n\n.ti -4n\n" << troff_wrapped(styled_usage(usage)) << "\n.in\n";
}

// An entry's term: its first word in bold ("--out", "-Wno-" with its glued NAME in italics) and
// the argument after it in italics; a term that is no option (a kind of warning) in bold.
std::string styled_term(const std::string& term) {
  size_t space = term.find(' ');
  std::string first = term.substr(0, space);
  std::string out = styled_usage(first);
  if (space != std::string::npos) out += " \\fI" + troff_line(term.substr(space + 1)) + "\\fR";
  return out;
}

void long_help(troff_page& page, const std::string& text) {
  for (const help_block& block : help_blocks(text)) {
    if (!block.paragraph.empty()) {
      paragraph(page, block.paragraph);
      continue;
    }
    for (const help_entry& e : block.entries)
      page.text() << ".TP\n" << styled_term(e.term) << '\n' << troff_text(e.text) << '\n';
  }
}

std::string sentence(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

void tagged(troff_page& page, const std::string& tag, const std::string& text) {
  page.text() << ".TP\n" << tag << '\n' << troff_text(text) << '\n';
}

void verbatim(troff_page& page, const std::string& line) {
  page.paragraph_break() << ".RS 4n\n.nf\n" << troff_line(line) << "\n.fi\n.RE\n";
}

}  // namespace

void write_command_manual(std::ostream& written) {
  troff_page out;
  header(out, "SCENARIO-COMPILER", 1, "User Commands");
  out.heading(".SH NAME");
  out.text() << troff_wrapped("scenario\\-compiler \\- compile scenarios of a train\\-driving simulator "
                       "from their source text")
      << '\n';

  out.heading(".SH SYNOPSIS");
  usage_paragraph(out, "scenario-compiler [COMMAND] [OPTIONS]");
  for (const command& c : command_table()) usage_paragraph(out, c.usage);

  out.heading(".SH DESCRIPTION");
  paragraph(out,
            "scenario-compiler compiles a route's and a train's source text into the files a "
            "train-driving simulator loads: a grid of 50-metre track cells, a table of scenario "
            "records and a metre-by-metre plan of the route, stamped with two check codes. It "
            "also writes the built-in scenario, its sources and its three driver documents, "
            "checks an author's sources, and reads compiled files back.");
  paragraph(out,
            "Without a command it runs the built-in scenario. The source files are described "
            "in scenario-compiler-format(5), which 'scenario-compiler help format' prints too.");
  tagged(out, "\\fB\\-\\-help\\fR [\\fICOMMAND\\fR], \\fB\\-h\\fR [\\fICOMMAND\\fR]",
         "List the commands, or show one command's help; so do 'scenario-compiler help "
         "[COMMAND]' and 'scenario-compiler COMMAND --help'.");
  tagged(out, "\\fB\\-\\-version\\fR", "Print the program's version.");

  out.heading(".SH COMMANDS");
  for (const command& c : command_table()) {
    out.heading(".SS " + troff_argument(c.name));
    usage_paragraph(out, c.usage);
    paragraph(out, sentence(c.short_help));
    long_help(out, c.long_help);
  }

  out.heading(".SH \"EXIT STATUS\"");
  tagged(out, "0", "A clean run.");
  tagged(out, "1", "A scenario fault: a recorded error code, or the shown messages 1250 and 1251.");
  tagged(out, "2", "Wrong usage.");
  tagged(out, "3",
         "A file that cannot be written or read for a reason other than its content; also "
         "running out of memory.");
  tagged(out, "128 + N",
         "Interrupted by signal N (SIGINT, SIGTERM, SIGHUP or SIGPIPE); the run's temporary "
         "files are removed.");

  out.heading(".SH DIAGNOSTICS");
  paragraph(out,
            "Every fault is reported on standard error as it is recorded, in the order "
            "recorded, one diagnostic each:");
  verbatim(out, "FILE:LINE:COLUMN: error CODE: MEANING[: DETAIL] (at POSITION m)");
  paragraph(out,
            "followed, for a fault tied to a row, by the row and a caret under the field at "
            "fault. The detail names the culprit where the meaning cannot: the position for a "
            "row beyond the grid or a taken cell, the length for a station length or a "
            "slowdown's end, the text for a board text, the value that cannot be read for code "
            "25. Codes not tied to a row name the file alone; codes not tied to a file start "
            "with \"scenario-compiler:\".");
  paragraph(out,
            "compile and check warn, before compiling, of rows that compile but not as the "
            "author meant:");
  verbatim(out, "FILE:LINE:COL: warning: MESSAGE [-WNAME]");
  paragraph(out,
            "also followed by the row and a caret. A warning changes no output and no exit "
            "status; --werror makes every warning an error ([-Werror=NAME], exit status 1), "
            "and -Wno-NAME silences one kind.");
  paragraph(out,
            "A compile that reports any fault ends with the line \"scenario-compiler: no file "
            "written\" and leaves the binary files of an earlier compile as they were.");

  out.heading(".SH FILES");
  tagged(out, "\\fINAME\\fR_linea.txt", "The line description: the route's source text.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR\\-.txt",
         "The train description: the train's source text.");
  tagged(out, "\\fINAME\\fR_linea.dat", "The route plan, a point every metre.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR.sim", "The scenario records.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR.dat", "The track cells, one every 50 m.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR_scheda_treno.txt",
         "The train's sheet, one of the driver's documents the built-in run writes.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR_rallentamenti.txt",
         "The slowdowns along the route, for the driver.");
  tagged(out, "\\fINAME\\fR_\\fINUMBER\\fR_note.txt", "The driver's notes.");
  paragraph(out,
            "Every file is replaced whole: written under a temporary name in its own folder "
            "and renamed over the old one. Text files are Windows-1252 with CR LF line ends.");

  out.heading(".SH \"SEE ALSO\"");
  out.text() << ".BR scenario\\-compiler\\-format (5)\n";
  written << out.str();
}

void write_format_manual(std::ostream& written, std::span<const reference_section> sections) {
  troff_page out;
  header(out, "SCENARIO-COMPILER-FORMAT", 5, "File Formats");
  out.heading(".SH NAME");
  out.text() << troff_wrapped("scenario\\-compiler\\-format \\- the line and train source files of "
                       "scenario\\-compiler")
      << '\n';
  for (const reference_section& s : sections) {
    out.heading(".SH " + troff_argument(s.title));
    std::istringstream lines(s.text);
    std::string line, prose;
    bool in_example = false;
    auto end_prose = [&] {
      if (!prose.empty()) paragraph(out, prose);
      prose.clear();
    };
    auto end_example = [&] {
      if (in_example) out.text() << ".fi\n.RE\n";
      in_example = false;
    };
    while (std::getline(lines, line)) {
      if (line.compare(0, 2, "  ") == 0) {
        end_prose();
        if (!in_example) out.paragraph_break() << ".RS 4n\n.nf\n";
        in_example = true;
        out.text() << troff_line(line.substr(2)) << '\n';
      } else if (line.find_first_not_of(' ') == std::string::npos) {
        end_prose();
        end_example();
      } else {
        end_example();
        prose += (prose.empty() ? "" : " ") + line;
      }
    }
    end_prose();
    end_example();
  }
  out.heading(".SH \"SEE ALSO\"");
  out.text() << ".BR scenario\\-compiler (1)\n";
  written << out.str();
}
