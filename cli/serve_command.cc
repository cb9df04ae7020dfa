// The serve command: compiles an author's sources in memory as check does, at start and after
// every save, and serves the picture and the problems to a browser on the loopback address.
#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include "cli/checked_run.h"
#include "cli/commands.h"
#include "cli/source_run.h"
#include "files/file_names.h"
#include "files/temp_registry.h"
#include "platform/interruption.h"
#include "platform/local_time.h"
#include "preview/compiled_picture.h"
#include "preview/problem_list.h"
#include "preview/server_module.h"
#include "preview/snapshot.h"
#include "preview/source_watch.h"
#include "timetable/timetable_print.h"

namespace {

using std::chrono::milliseconds;

constexpr int kFirstPort = 8417;
constexpr int kPortsTried = 20;
constexpr milliseconds kPollEvery{10};
constexpr milliseconds kSettle{30};

volatile std::sig_atomic_t stop_requested = 0;

// serve writes no file: an interruption ends the loop and the run ends with status 0; a browser
// that hangs up mid-reply must not end it.
void request_stop() { stop_requested = 1; }

std::string clock_time() {
  std::time_t now = std::time(nullptr);
  const std::tm local = local_time_of(now);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

std::string plural(int n, const std::string& word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

// What the run said outside its problems, as the page shows it: without the program's name.
std::string page_message(const std::vector<diagnostic>& told) {
  std::ostringstream text;
  for (const diagnostic& d : told) print_diagnostic(text, d, false);
  std::string out = text.str();
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// Compiles the sources as they are now; keeps the last good picture's plan, on which the
// problems are placed.
class compiler {
 public:
  explicit compiler(const source_run& base) : base_(base) {}

  compile_outcome compile() {
    const auto start = std::chrono::steady_clock::now();
    compile_outcome o;
    o.time = clock_time();
    source_run run = base_;
    std::vector<diagnostic> told;
    diagnostic_engine diagnostics(keeper(told));
    if (read_sources(run, diagnostics) != exit_clean) {
      o.message = page_message(told) + "\nwatching the file until it can be read";
    } else {
      checked_run checked = run_checked(run, diagnostics);
      o.summary = checked.summary(run);
      o.errors = checked.errors;
      o.warnings = checked.warnings;
      if (checked.exit_status() == exit_clean) draw(run, checked, o, diagnostics);
      o.problems = problems_of(checked.diagnostics, plan_ ? &*plan_ : nullptr);
      o.message = page_message(told);
    }
    o.milliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    return o;
  }

 private:
  void draw(const source_run& run, const checked_run& checked, compile_outcome& o,
            diagnostic_engine& diagnostics) {
    const Form1& form = *checked.form;
    compiled_route route{run.route, run.train, &form.track_cells, &form.scenario_records,
                         form.plan_enabled != 0 ? &form.route_plan : nullptr, run.rates};
    try {
      std::optional<plan_path> plan = plan_of(route);
      o.picture = std::make_shared<const std::string>(draw_compiled_picture(route, plan));
      plan_ = std::move(plan);
      if (checked.route_times) {
        const timetable& t = *checked.route_times;
        o.timetable = "timetable: " + tightness_words(t);
        o.timetable_late = std::any_of(t.legs.begin(), t.legs.end(),
                                       [](const timetable_leg& leg) { return !(leg.slack() >= 0); });
      }
    } catch (const std::exception& e) {
      diagnostics.tell(std::string("cannot draw the route: ") + e.what());
    }
  }

  source_run base_;
  std::optional<plan_path> plan_;
};

void report(std::ostream& out, const compile_outcome& o) {
  out << o.time << ' ';
  if (!o.message.empty() && o.summary.empty()) {
    out << o.message.substr(0, o.message.find('\n'));
  } else {
    out << (o.errors == 0 ? "ok" : plural(o.errors, "error")) << ", "
        << plural(o.warnings, "warning");
  }
  char ms[32];
  std::snprintf(ms, sizeof ms, "%.1f", o.milliseconds);
  out << " (" << ms << " ms)";
  // Where to look first, for an author who watches the console rather than the page.
  for (const problem& p : o.problems)
    if (p.error && !p.where.empty()) {
      out << ", first at " << p.where;
      break;
    }
  out << std::endl;
}

bool parse_port(const std::string& text, int& port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  port = std::stoi(text);
  return port <= 65535;
}

}  // namespace

int run_serve(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("serve");
  source_run base;
  if (int status = parse_source_run(self, args, {{"--port", true}}, base, io.diagnostics);
      status != exit_clean)
    return status;
  const bool port_given = base.args.values.count("--port") > 0;
  int port = kFirstPort;
  if (port_given && !parse_port(base.args.value("--port"), port))
    return usage_error(self, io.diagnostics, "--port needs a number from 0 to 65535");

  snapshot_store store;
  std::string problem;
  std::unique_ptr<preview_listener> server = load_preview_listener(store, problem);
  if (!server) {
    io.diagnostics.tell(problem);
    return exit_file_fault;
  }
  // Without --port the ports from kFirstPort on are tried in turn; the message names the first.
  bool listening = server->start(port, problem);
  for (int i = 1; !listening && !port_given && i < kPortsTried; ++i) {
    std::string later;
    listening = server->start(kFirstPort + i, later);
  }
  if (!listening) {
    io.diagnostics.tell(problem +
                  (port_given ? "" : " (and the " + std::to_string(kPortsTried - 1) + " ports after it)") +
                  "; choose another with --port");
    return exit_file_fault;
  }
  stop_requested = 0;
  stop_on_interruption(request_stop);
  out << "serving " << scenario_name{base.route, base.train}.stem() << " at http://127.0.0.1:"
      << server->port() << "/" << std::endl;

  compiler compiling(base);
  source_watch watch({base.line_source, base.train_source}, kSettle);
  // The compiles run on a thread of their own, one at a time, so that a signal ends serve at
  // once however long a compile takes (a 200 MB source can take minutes).
  std::mutex console;  // the compile's report lines and the last line
  std::atomic<bool> compiled{true};
  std::thread compiling_thread;
  bool due = true;  // the sources changed since the last compile began; at start, the first
  while (!stop_requested) {
    if (compiled && compiling_thread.joinable()) compiling_thread.join();
    if (due && !compiling_thread.joinable()) {
      due = false;
      compiled = false;
      signals_held held;  // the new thread blocks them: they come to this loop
      compiling_thread = std::thread([&] {
        compile_outcome o = compiling.compile();
        {
          std::lock_guard<std::mutex> lock(console);
          report(out, o);
        }
        store.publish(std::move(o));
        compiled = true;
      });
    }
    std::this_thread::sleep_for(kPollEvery);
    if (watch.poll(std::chrono::steady_clock::now())) due = true;
  }
  server->stop();
  if (!compiled) {
    // The compile still running is left behind: the process ends here, without the exit
    // handlers and destructors that the compile may still be using. serve's compile writes no
    // file, but any temporary file the run has goes, as an interrupted run's does.
    std::lock_guard<std::mutex> lock(console);
    out << "stopped" << std::endl;
    std::fflush(stdout);
    remove_temporaries();
    std::_Exit(exit_clean);
  }
  if (compiling_thread.joinable()) compiling_thread.join();
  out << "stopped" << std::endl;
  return exit_clean;
}
