// Compiling an author's own line and train description files. The run reads them into memory
// and compiles from there, so the author's files are never deleted or changed and nothing is
// copied anywhere; only the binary files reach the output folder.

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "app/form1.h"
#include "files/atomic_file.h"
#include "files/cp1252.h"
#include "files/file_names.h"
#include "files/whole_file.h"
#include "cli/args.h"
#include "cli/commands.h"

namespace {

namespace fs = std::filesystem;

// "NAME_linea.txt" gives NAME; anything else gives nothing.
std::string route_from(const std::string& line_file) {
  std::string name = fs::path(line_file).filename().string();
  const std::string tail = "_linea.txt";
  return name.ends_with(tail) ? name.substr(0, name.size() - tail.size()) : std::string();
}

// "NAME_NUMBER-.txt" gives NUMBER: what follows the route name and "_" when the name starts
// with them, else what follows the last "_".
std::string train_from(const std::string& train_file, const std::string& route) {
  std::string name = fs::path(train_file).filename().string();
  const std::string tail = "-.txt";
  if (!name.ends_with(tail)) return {};
  std::string stem = name.substr(0, name.size() - tail.size());
  if (!route.empty() && stem.rfind(route + "_", 0) == 0) return stem.substr(route.size() + 1);
  size_t underscore = stem.rfind('_');
  return underscore == std::string::npos ? std::string() : stem.substr(underscore + 1);
}

// A name that becomes part of a file name: not empty, no folder separator.
bool usable_name(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

// The binary files hold the route name and the train number in Windows-1252, and the check
// codes are computed from those bytes: a character the code page lacks would become '?'.
bool has_cp1252_form(const std::string& name) {
  const std::string bytes = utf8_to_cp1252(name);
  return std::count(bytes.begin(), bytes.end(), '?') == std::count(name.begin(), name.end(), '?');
}

// The binary files are written once the grid is finished, unless the compiler ended before a
// usable grid (codes 101, 102 and 1) or a fault held them back.
bool binaries_written(const Form1& form, bool on_fault) {
  if (form.faults_reported > 0 && !on_fault) return false;
  return form.has_grid() && form.error_code != 101 && form.error_code != 102 &&
         form.error_code != 1;
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

int run_compile(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const command& self = *find_command("compile");
  parsed_args a = parse_args(
      args, {{"--out", true},
             {"--no-plan", false},
             {"--route", true},
             {"--train", true},
             {"--emit-on-fault", false}});
  if (!a.error.empty()) return usage_error(self, err, a.error);
  if (a.positional.size() < 2) return usage_error(self, err, "needs LINE_FILE and TRAIN_FILE");
  if (a.positional.size() > 2) return usage_error(self, err, "unexpected " + a.positional[2]);
  const std::string line_source = a.positional[0];
  const std::string train_source = a.positional[1];

  std::string route = a.value("--route", route_from(line_source));
  if (route.empty())
    return usage_error(self, err,
                       "cannot take the route name from " + line_source +
                           " (not NAME_linea.txt); give it with --route");
  std::string train = a.value("--train", train_from(train_source, route));
  if (train.empty())
    return usage_error(self, err,
                       "cannot take the train number from " + train_source +
                           " (not NAME_NUMBER-.txt); give it with --train");
  if (!usable_name(route)) return usage_error(self, err, "unusable route name '" + route + "'");
  if (!usable_name(train)) return usage_error(self, err, "unusable train number '" + train + "'");
  for (const auto& [what, name] : {std::pair{"route name", &route}, {"train number", &train}})
    if (!has_cp1252_form(*name))
      return usage_error(self, err,
                         std::string("the ") + what + " '" + *name +
                             "' has a character that Windows-1252 lacks; the binary files "
                             "store it in that code page");

  const std::string out_folder = a.value("--out", ".");
  const bool plan = !a.has("--no-plan");
  std::vector<std::string> outputs = {records_file_name(route, train), cells_file_name(route, train)};
  if (plan) outputs.insert(outputs.begin(), plan_file_name(route));
  for (const std::string& name : outputs)
    for (const std::string& source : {line_source, train_source})
      if (same_file(join_path(out_folder, name), source))
        return usage_error(self, err, "the output " + join_path(out_folder, name) +
                                          " is the source " + source);

  std::error_code ec;
  if (!fs::is_directory(out_folder, ec)) {
    err << "scenario-compiler: cannot write into " << out_folder << ": no such folder\n";
    return exit_file_fault;
  }

  whole_file line_read = read_whole_file(line_source);
  whole_file train_read = read_whole_file(train_source);
  for (const auto& [path, read] : {std::pair{&line_source, &line_read}, {&train_source, &train_read}}) {
    if (!read->ok) {
      err << "scenario-compiler: cannot read " << *path << ": " << read->reason << '\n';
      return exit_file_fault;
    }
  }

  // The sources stay in memory; only the binary files are written into the output folder,
  // each straight to its place.
  Form1 form;
  form.console = &err;
  form.program_folder = out_folder;
  form.binary_folder = out_folder;
  form.route_name = route;
  form.train_number = train;
  form.memory_files.emplace();
  (*form.memory_files)[line_file_name(route)] = std::move(line_read.bytes);
  (*form.memory_files)[train_file_name(route, train)] = std::move(train_read.bytes);
  form.source_names[line_file_name(route)] = line_source;
  form.source_names[train_file_name(route, train)] = train_source;
  // A fault keeps the earlier binary files as they were, unless the author asks to see the
  // partial result.
  const bool emit_on_fault = a.has("--emit-on-fault");
  form.write_on_fault = emit_on_fault;
  bool written = false;
  const int status = run_reporting(err, [&] {
    folder_lock lock(out_folder);  // one run at a time writes into a folder
    form.memorizza_percorso(plan ? 1 : 0);
    written = binaries_written(form, emit_on_fault);
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });
  if (written) {
    for (const std::string& name : outputs)
      if (name != plan_file_name(route) || form.route_plan.exists())
        out << "wrote " << join_path(out_folder, name) << '\n';
  } else if (status == exit_scenario_fault) {
    err << "scenario-compiler: no file written"
        << (emit_on_fault ? "\n" : " (--emit-on-fault writes them despite the faults)\n");
  }
  return status;
}
