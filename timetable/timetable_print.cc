#include "timetable/timetable_print.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include <nlohmann/json.hpp>

#include "timetable/clock_text.h"
#include "timetable/findings.h"

namespace {

// Characters a UTF-8 name takes on a terminal, one each.
size_t shown_width(const std::string& s) {
  return static_cast<size_t>(std::count_if(
      s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& s, size_t width, bool right) {
  const size_t w = shown_width(s);
  const std::string pad(w < width ? width - w : 0, ' ');
  return right ? pad + s : s + pad;
}

// What a leg's figures say, beside them.
std::string verdict(const timetable& t, const timetable_leg& leg) {
  if (t.stations[leg.to].scheduled <= t.stations[leg.from].scheduled) return "not after the one before";
  if (leg.blocked_at) return "no train gets through";
  if (leg.line_speed > leg.scheduled) return "beyond line speed";
  if (leg.modelled > leg.scheduled) return "late";
  return "";
}

nlohmann::json seconds_or_null(double s) {
  if (!std::isfinite(s)) return nullptr;
  return std::round(s * 10) / 10;
}

}  // namespace

std::string tightness_words(const timetable& t) {
  if (t.legs.empty())
    return t.stations.empty() ? "no station has a scheduled time"
                              : "one station has a scheduled time: there is no leg to run";
  int late = 0, beyond = 0;
  const timetable_leg* tightest = nullptr;
  for (const timetable_leg& leg : t.legs) {
    const std::string v = verdict(t, leg);
    beyond += !v.empty() && v != "late";
    late += v == "late";
    if (!tightest || leg.slack() < tightest->slack()) tightest = &leg;
  }
  const std::string where = t.stations[tightest->from].name + " to " + t.stations[tightest->to].name;
  if (beyond + late == 0)
    return "the timetable can be kept: the least slack is " + duration_text(tightest->slack(), true) +
           ", " + where;
  std::string words;
  if (beyond > 0)
    words = std::to_string(beyond) + (beyond == 1 ? " leg" : " legs") +
            " cannot be kept even at line speed";
  if (late > 0)
    words += (words.empty() ? "" : "; ") + std::to_string(late) + (late == 1 ? " leg is" : " legs are") +
             " late in the modelled run";
  if (std::isfinite(tightest->slack()))
    words += "; the worst, " + where + ", by " + duration_text(-tightest->slack());
  return words;
}

void print_timetable(std::ostream& out, const timetable& t, const std::string& title) {
  out << title << ": " << t.stations.size() << " timed stations, " << t.legs.size()
      << (t.legs.size() == 1 ? " leg" : " legs") << "\nmodelled at " << rates_words(t.rates) << "\n";
  if (t.stations.empty()) {
    out << tightness_words(t) << "\n";
    return;
  }
  size_t name_width = 7;
  for (const timed_station& s : t.stations) name_width = std::max(name_width, shown_width(s.name));
  out << '\n'
      << padded("station", name_width, false) << "  " << padded("due", 8, true) << "  "
      << padded("stop", 4, true) << "  " << padded("distance", 9, true) << "  "
      << padded("line speed", 10, true) << "  " << padded("modelled", 8, true) << "  "
      << padded("arrives", 8, true) << "  " << padded("slack", 6, true) << "\n";
  for (size_t i = 0; i < t.stations.size(); ++i) {
    const timed_station& s = t.stations[i];
    out << padded(s.name, name_width, false) << "  " << padded(clock_text(s.scheduled), 8, true)
        << "  " << padded(std::to_string(s.stop_value), 4, true);
    if (i > 0) {
      const timetable_leg& leg = t.legs[i - 1];
      char km[32];
      std::snprintf(km, sizeof km, "%.3f km", leg.distance / 1000);
      out << "  " << padded(km, 9, true) << "  " << padded(duration_text(leg.line_speed), 10, true)
          << "  " << padded(duration_text(leg.modelled), 8, true) << "  "
          << padded(clock_text(leg.modelled_arrival(t.stations[leg.from])), 8, true) << "  "
          << padded(duration_text(leg.slack(), true), 6, true);
      const std::string v = verdict(t, leg);
      if (!v.empty()) out << "  " << v;
    }
    out << "\n";
  }
  out << "\nline speed and modelled: the leg's running time, its stop excluded; arrives: the "
         "modelled\narrival when the train leaves the station before on time; slack: the time "
         "the\ntimetable gives the leg, less the modelled run\n"
      << tightness_words(t) << "\n";
}

std::string timetable_json(const timetable& t, const std::string& route, const std::string& train) {
  using nlohmann::json;
  json stations = json::array();
  for (const timed_station& s : t.stations)
    stations.push_back({{"name", s.name},
                        {"entry", s.entry},
                        {"metre", s.place},
                        {"due_s", s.scheduled},
                        {"stop_s", s.stop_value}});
  json legs = json::array();
  for (const timetable_leg& leg : t.legs) {
    const timed_station& a = t.stations[leg.from];
    const timed_station& b = t.stations[leg.to];
    json item = {{"from", a.name},
                 {"to", b.name},
                 {"distance_m", leg.distance},
                 {"scheduled_s", leg.scheduled},
                 {"line_speed_s", seconds_or_null(leg.line_speed)},
                 {"modelled_s", seconds_or_null(leg.modelled)},
                 {"slack_s", seconds_or_null(leg.slack())},
                 {"departs_s", a.scheduled},
                 {"due_s", b.scheduled},
                 {"stop_s", b.stop_value},
                 {"modelled_arrival_s", seconds_or_null(leg.modelled_arrival(a))},
                 {"verdict", verdict(t, leg).empty() ? "kept" : verdict(t, leg)}};
    if (leg.blocked_at) item["blocked_at_m"] = *leg.blocked_at;
    legs.push_back(std::move(item));
  }
  json rates = {{"acceleration_m_s2", t.rates.acceleration},
                {"deceleration_m_s2", t.rates.deceleration},
                {"deceleration_from", t.rates.deceleration_given ? "given"
                                      : t.rates.braked_mass     ? "braked mass"
                                                                : "default"}};
  if (t.rates.braked_mass) rates["braked_mass_percent"] = *t.rates.braked_mass;
  json all = {{"route", route},     {"train", train},   {"rates", std::move(rates)},
              {"stations", stations}, {"legs", legs}, {"summary", tightness_words(t)}};
  // A name in Windows-1252 read from a file that is not UTF-8 becomes U+FFFD, not a failure.
  return all.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}
