#include "preview/snapshot.h"

#include <nlohmann/json.hpp>

void snapshot_store::publish(compile_outcome outcome) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto next = std::make_shared<preview_snapshot>();
  next->version = latest_->version + 1;
  if (outcome.picture) {
    next->picture_version = next->version;
  } else {
    outcome.picture = latest_->outcome.picture;
    outcome.timetable = latest_->outcome.timetable;
    outcome.timetable_late = latest_->outcome.timetable_late;
    next->picture_version = latest_->picture_version;
    next->stale = outcome.picture != nullptr;
  }
  next->outcome = std::move(outcome);
  latest_ = std::move(next);
  changed_.notify_all();
}

std::shared_ptr<const preview_snapshot> snapshot_store::latest() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return latest_;
}

std::shared_ptr<const preview_snapshot> snapshot_store::wait_newer(
    long since, std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  // Any other version is news: a page left open across a restart of serve holds a later one.
  changed_.wait_for(lock, timeout, [&] { return closed_ || latest_->version != since; });
  return latest_;
}

void snapshot_store::close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  changed_.notify_all();
}

std::string state_json(const preview_snapshot& s) {
  using nlohmann::json;
  const compile_outcome& o = s.outcome;
  json problems = json::array();
  for (const problem& p : o.problems) {
    json item = {{"error", p.error}, {"where", p.where}, {"text", p.text}};
    if (p.metre) item["metre"] = *p.metre;
    if (p.plan_x && p.plan_y) item["plan"] = {*p.plan_x, *p.plan_y};
    problems.push_back(std::move(item));
  }
  json state = {{"version", s.version},
                {"picture", s.picture_version},
                {"stale", s.stale},
                {"summary", o.summary},
                {"timetable", o.timetable},
                {"timetable_late", o.timetable_late},
                {"message", o.message},
                {"errors", o.errors},
                {"warnings", o.warnings},
                {"milliseconds", o.milliseconds},
                {"time", o.time},
                {"problems", std::move(problems)}};
  // A row in Windows-1252 is not UTF-8: its odd bytes become U+FFFD rather than a failure.
  return state.dump(-1, ' ', false, json::error_handler_t::replace);
}
