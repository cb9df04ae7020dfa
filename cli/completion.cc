#include "cli/completion.h"

#include <ostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/usage.h"
#include "lint/lint.h"

namespace {

// What completes a placeholder, as a call of one of the script's helpers; empty: nothing does
// (a route name or a train number is the author's to type).
std::string completer(const std::string& placeholder) {
  if (placeholder.find('|') != std::string::npos) {
    std::string words = placeholder;
    for (char& c : words)
      if (c == '|') c = ' ';
    return "_scenario_compiler_words '" + words + "'";
  }
  if (placeholder == "DIR") return "_scenario_compiler_folders";
  if (placeholder == "LINE_FILE" || placeholder == "TRAIN_FILE") return "_scenario_compiler_files txt";
  if (placeholder == "FILE") return "_scenario_compiler_files dat sim";
  if (placeholder == "SIM_FILE") return "_scenario_compiler_files sim";
  if (placeholder == "FILE.svg") return "_scenario_compiler_files svg";
  if (placeholder == "COMMAND") {
    std::string words = "format";
    for (const command& c : command_table()) words += std::string(" ") + c.name;
    return "_scenario_compiler_words '" + words + "'";
  }
  return {};
}

const char kHelpers[] =
    "_scenario_compiler_words() {\n"
    "  local IFS=$' \\t\\n'\n"
    "  COMPREPLY+=($(compgen -W \"$1\" -- \"$cur\"))\n"
    "}\n"
    "_scenario_compiler_folders() {\n"
    "  local IFS=$'\\n'\n"
    "  compopt -o filenames 2>/dev/null\n"
    "  COMPREPLY+=($(compgen -d -- \"$cur\"))\n"
    "}\n"
    "# Files with one of the extensions given, and folders to reach them.\n"
    "_scenario_compiler_files() {\n"
    "  local IFS=$'\\n' ext\n"
    "  for ext in \"$@\"; do\n"
    "    COMPREPLY+=($(compgen -f -X \"!*.$ext\" -- \"$cur\"))\n"
    "  done\n"
    "  _scenario_compiler_folders\n"
    "}\n";

std::string option_words(const usage_syntax& syntax) {
  std::string words = "--help";
  for (const usage_option& o : syntax.options) {
    if (o.glued && o.name == "-Wno-") {
      for (const warning_kind& k : warning_kinds()) words += " -Wno-" + std::string(k.name);
    } else {
      words += " " + o.name;
    }
  }
  return words;
}

void command_arm(std::ostream& out, const command& c) {
  usage_syntax syntax = parse_usage(c.usage, c.name);
  out << "    " << c.name << ")\n      case $prev in\n";
  for (const usage_option& o : syntax.options) {
    if (o.glued || o.argument.empty()) continue;
    std::string call = completer(o.argument);
    out << "        " << o.name << ") " << (call.empty() ? ":" : call) << "; return ;;\n";
  }
  out << "      esac\n"
      << "      if [[ $cur == -* ]]; then _scenario_compiler_words '" << option_words(syntax) << "'; return; fi\n";
  std::vector<std::string> calls;
  for (const std::string& w : syntax.words) {
    std::string call = completer(w);
    bool known = call.empty();
    for (const std::string& seen : calls) known = known || seen == call;
    if (!known) calls.push_back(call);
  }
  for (const std::string& call : calls) out << "      " << call << "\n";
  out << "      ;;\n";
}

}  // namespace

void write_bash_completion(std::ostream& out) {
  out << "# bash completion for scenario-compiler: commands, options and file arguments.\n"
      << kHelpers << "_scenario_compiler() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]} prev= command=run\n"
      << "  (( COMP_CWORD > 0 )) && prev=${COMP_WORDS[COMP_CWORD-1]}\n"
      << "  COMPREPLY=()\n"
      << "  # The command is the first word unless that is an option: the built-in run's.\n"
      << "  if (( COMP_CWORD == 1 )) && [[ $cur != -* ]]; then\n"
      << "    _scenario_compiler_words '";
  bool first = true;
  for (const command& c : command_table()) {
    out << (first ? "" : " ") << c.name;
    first = false;
  }
  out << "'\n    return\n  fi\n"
      << "  (( COMP_CWORD > 1 )) && [[ ${COMP_WORDS[1]} != -* ]] && command=${COMP_WORDS[1]}\n"
      << "  if (( COMP_CWORD == 1 )); then\n"
      << "    _scenario_compiler_words '--version " << option_words(parse_usage(find_command("run")->usage, "run"))
      << "'\n    return\n  fi\n"
      << "  case $command in\n";
  for (const command& c : command_table()) command_arm(out, c);
  out << "  esac\n}\n"
      << "complete -F _scenario_compiler scenario-compiler\n";
}
