// What the page shows at one moment: the picture of the last compile that had no error, the
// problems of the latest compile and its summary. The compiler publishes; the server's thread
// reads the latest under a lock held only to copy a pointer, so neither holds up the other.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// One error or warning as the page lists it.
struct problem {
  bool error = true;
  std::string where;  // "FILE:LINE", FILE, or empty for the run as a whole
  std::string text;   // as the console prints it: the message, then the row and its caret
  std::optional<double> metre;            // where along the route it lies, when that is known
  std::optional<double> plan_x, plan_y;   // that metre's point on the plan, in metres
};

// What one compile gives.
struct compile_outcome {
  std::shared_ptr<const std::string> picture;  // the SVG; null when the sources have errors
  std::vector<problem> problems;
  std::string summary;  // the check's summary line
  std::string timetable;        // how tight the picture's timetable is, in a line
  bool timetable_late = false;  // a leg of it is late in the modelled run, or cannot be kept
  std::string message;  // what kept the compile from starting (a file that cannot be read)
  int errors = 0, warnings = 0;
  double milliseconds = 0;
  std::string time;  // when it was compiled, hh:mm:ss
};

struct preview_snapshot {
  long version = 0;          // grows by one with each publication
  long picture_version = 0;  // the version whose compile made the picture; 0: none yet
  bool stale = false;        // the picture comes from an earlier state of the sources
  compile_outcome outcome;   // its picture is the last good one
  // state_json of this snapshot, made once by the publisher: the server's one thread only
  // sends it, however many problems it lists and however many tabs ask.
  std::shared_ptr<const std::string> state;
};

class snapshot_store {
 public:
  snapshot_store();

  // Makes `outcome` the latest. Without a picture of its own it keeps the last good one, with
  // its timetable line, then marked stale.
  void publish(compile_outcome outcome);

  std::shared_ptr<const preview_snapshot> latest() const;

  // Calls `changed` with the new version after each publication, from the publishing thread,
  // until another (or an empty one) replaces it: the server wakes its own thread with it. It is
  // called under the store's lock, so once on_change returns the old one is never running; it
  // must be quick and must not call the store.
  void on_change(std::function<void(long version)> changed);

 private:
  std::mutex publishing_;  // one publication at a time, made outside mutex_
  mutable std::mutex mutex_;
  std::function<void(long)> changed_;
  std::shared_ptr<const preview_snapshot> latest_;
};

// The snapshot as the page's script reads it, without the picture itself.
std::string state_json(const preview_snapshot& s);
