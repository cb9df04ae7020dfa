#include "preview/snapshot.h"

#include <nlohmann/json.hpp>

namespace {

std::shared_ptr<const preview_snapshot> with_state(std::shared_ptr<preview_snapshot> s) {
  s->state = std::make_shared<const std::string>(state_json(*s));
  return s;
}

}  // namespace

snapshot_store::snapshot_store() : latest_(with_state(std::make_shared<preview_snapshot>())) {}

void snapshot_store::publish(compile_outcome outcome) {
  std::lock_guard<std::mutex> one_at_a_time(publishing_);
  const auto last = latest();
  auto next = std::make_shared<preview_snapshot>();
  next->version = last->version + 1;
  if (outcome.picture) {
    next->picture_version = next->version;
  } else {
    outcome.picture = last->outcome.picture;
    outcome.timetable = last->outcome.timetable;
    outcome.timetable_late = last->outcome.timetable_late;
    next->picture_version = last->picture_version;
    next->stale = outcome.picture != nullptr;
  }
  next->outcome = std::move(outcome);
  auto made = with_state(std::move(next));
  std::lock_guard<std::mutex> lock(mutex_);
  latest_ = std::move(made);
  if (changed_) changed_(latest_->version);
}

std::shared_ptr<const preview_snapshot> snapshot_store::latest() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return latest_;
}

void snapshot_store::on_change(std::function<void(long)> changed) {
  std::lock_guard<std::mutex> lock(mutex_);
  changed_ = std::move(changed);
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
