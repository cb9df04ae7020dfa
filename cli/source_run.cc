#include "cli/source_run.h"

#include <algorithm>
#include <ostream>

#include "files/cp1252.h"
#include "files/file_names.h"
#include "files/whole_file.h"
#include "lint/encoding.h"
#include "cli/args.h"

namespace {

// A name that becomes part of a file name: not empty, no folder separator.
// The binary files hold the route name and the train number in Windows-1252, and the check
// codes are computed from those bytes: a character the code page lacks would become '?'.
bool has_cp1252_form(const std::string& name) {
  const std::string bytes = utf8_to_cp1252(name);
  return std::count(bytes.begin(), bytes.end(), '?') == std::count(name.begin(), name.end(), '?');
}

bool usable_name(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}  // namespace

std::string take_warning_words(const std::vector<std::string>& args, std::vector<std::string>& rest,
                               std::set<std::string>& disabled) {
  for (const warning_kind& k : warning_kinds())
    if (!k.on_by_default) disabled.insert(k.name);
  // -Wno-NAME and -WNAME are taken out first: the option parser knows only fixed names.
  for (const std::string& word : args) {
    const bool off = word.starts_with("-Wno-");
    if (!off && !(word.starts_with("-W") && word.size() > 2)) {
      rest.push_back(word);
      continue;
    }
    const std::string name = word.substr(off ? 5 : 2);
    if (!is_warning_kind(name)) {
      std::vector<std::string_view> names;
      for (const warning_kind& k : warning_kinds()) names.push_back(k.name);
      return "unknown warning " + word + did_you_mean(name, names, off ? "-Wno-" : "-W", "");
    }
    if (off)
      disabled.insert(name);
    else
      disabled.erase(name);
  }
  return {};
}

std::string take_rate_options(const parsed_args& a, rate_overrides& rates) {
  for (auto [option, rate] : {std::pair{"--acceleration", &rates.acceleration},
                              {"--deceleration", &rates.deceleration}}) {
    if (!a.values.count(option)) continue;
    *rate = parse_rate(a.value(option));
    if (!*rate)
      return std::string(option) + " takes a rate in m/s^2 above 0 and at most 10, such as 0.5, not '" +
             a.value(option) + "'";
  }
  return {};
}

int parse_source_run(const command& self, const std::vector<std::string>& args,
                     std::vector<known_option> own, source_run& run,
                     diagnostic_engine& diagnostics) {
  std::vector<std::string> rest;
  if (std::string problem = take_warning_words(args, rest, run.lint.disabled); !problem.empty())
    return usage_error(self, diagnostics, problem);
  for (known_option o : {known_option{"--no-plan", false},
                         {"--route", true},
                         {"--train", true},
                         {"--werror", false},
                         {"--acceleration", true},
                         {"--deceleration", true},
                         {"--encoding", true}})
    own.push_back(o);
  run.args = parse_args(rest, own);
  const parsed_args& a = run.args;
  if (!a.error.empty()) return usage_error(self, diagnostics, a.error);
  if (std::string problem = take_rate_options(a, run.rates); !problem.empty())
    return usage_error(self, diagnostics, problem);
  if (a.positional.size() < 2) return usage_error(self, diagnostics, "needs LINE_FILE and TRAIN_FILE");
  if (a.positional.size() > 2) return usage_error(self, diagnostics, "unexpected " + a.positional[2]);
  run.line_source = a.positional[0];
  run.train_source = a.positional[1];

  run.route = a.value("--route", route_of_line_file(run.line_source));
  if (run.route.empty())
    return usage_error(self, diagnostics,
                       "cannot take the route name from " + run.line_source +
                           " (not NAME_linea.txt); give it with --route");
  run.train = a.value("--train", train_of_train_file(run.train_source, run.route));
  if (run.train.empty())
    return usage_error(self, diagnostics,
                       "cannot take the train number from " + run.train_source +
                           " (not NAME_NUMBER-.txt); give it with --train");
  if (!usable_name(run.route))
    return usage_error(self, diagnostics, "unusable route name '" + run.route + "'");
  if (!usable_name(run.train))
    return usage_error(self, diagnostics, "unusable train number '" + run.train + "'");
  for (const auto& [what, name] : {std::pair{"route name", &run.route}, {"train number", &run.train}})
    if (!has_cp1252_form(*name))
      return usage_error(self, diagnostics,
                         std::string("the ") + what + " '" + *name +
                             "' has a character that Windows-1252 lacks; the binary files "
                             "store it in that code page");

  const std::string encoding = a.value("--encoding", "windows-1252");
  if (encoding != "utf-8" && encoding != "windows-1252")
    return usage_error(self, diagnostics, "unknown encoding " + encoding + " (utf-8 or windows-1252)");
  run.utf8 = encoding == "utf-8";
  run.plan = !a.has("--no-plan");
  run.lint.plan = run.plan;
  run.werror = a.has("--werror");
  return exit_clean;
}

int read_sources(source_run& run, diagnostic_engine& diagnostics) {
  for (auto [path, bytes] :
       {std::pair{&run.line_source, &run.line_bytes}, {&run.train_source, &run.train_bytes}}) {
    whole_file read = read_whole_file(*path);
    if (!read.ok) {
      diagnostics.tell("cannot read " + *path + ": " + read.reason);
      return exit_file_fault;
    }
    *bytes = std::move(read.bytes);
    if (run.utf8) *bytes = utf8_to_windows_1252({*path, *bytes}, run.encoding_faults);
  }
  return exit_clean;
}

std::vector<diagnostic> lint_sources(const source_run& run) {
  return lint_scenario({run.line_source, run.line_bytes}, {run.train_source, run.train_bytes},
                       run.lint);
}

warning_settings warning_settings_of(const source_run& run) {
  return {run.lint.disabled, run.werror};
}

void load_sources(Form1& form, const source_run& run) {
  form.route_name = run.route;
  form.train_number = run.train;
  form.memory_files.emplace();
  (*form.memory_files)[line_file_name(run.route)] = run.line_bytes;
  (*form.memory_files)[train_file_name(run.route, run.train)] = run.train_bytes;
  form.source_names[line_file_name(run.route)] = run.line_source;
  form.source_names[train_file_name(run.route, run.train)] = run.train_source;
}
