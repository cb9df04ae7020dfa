#include "inspect/describe.h"

#include <cmath>
#include <cstdio>

namespace {

std::string number(double v) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.0f", std::isfinite(v) ? v : 0.0);
  return buffer;
}


std::string three(const int v[3]) {
  return std::to_string(v[0]) + "/" + std::to_string(v[1]) + "/" + std::to_string(v[2]);
}

std::string stripes(int n) {
  if (n == 0) return "";
  return ", " + std::to_string(n) + (n == 1 ? " stripe" : " stripes");
}

}  // namespace

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char ch : text) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch == '\t') {
      out += "\\t";
    } else if (ch < 0x20 || ch == 0x7f) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", ch);
      out += buffer;
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

std::string metres_text(const kilometre_marks& marks, double metre) {
  return number(metre) + " m (km " + marks.text(metre) + ")";
}

std::string located(const kilometre_marks& marks, double metre, const std::string& what) {
  return metres_text(marks, metre) + ": " + what;
}

std::string stretch_text(const kilometre_marks& marks, double from, double to) {
  return number(from) + " m to " + number(to) + " m (km " + marks.text(from) + " to " +
         marks.text(to) + ")";
}

std::string time_of_day(int32_t seconds) {
  if (seconds < 0) return std::to_string(seconds) + " s";
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return buffer;
}

std::string describe_station(const kilometre_marks& marks, const station_mark& s) {
  std::string text = "station " + std::to_string(s.entry) + " " + quoted(s.name) + " at " +
                     metres_text(marks, s.position) + ", from " + number(s.start) + " m to " +
                     number(s.end) + " m, ";
  text += s.has_stop ? "stop cell " + number(s.stop_from) + " m to " + number(s.stop_from + 50) + " m"
                     : std::string("no stop cell");
  text += ", type " + std::to_string(s.type);
  if (s.scheduled != 0) text += ", due " + time_of_day(s.scheduled);
  if (s.stop_value != 0) text += ", stop value " + std::to_string(s.stop_value);
  return text;
}

std::string describe_stop_point(const point_mark& p, const std::string& name) {
  return "stop cell of station " + std::to_string(p.value) +
         (name.empty() ? "" : " " + quoted(name)) + ", its last 50 m";
}

std::string describe_signal(const signal_mark& s) {
  std::string text = "signal, aspects " + three(s.aspects) + ", side codes " +
                     std::to_string(s.left_side) + " and " + std::to_string(s.right_side);
  if (s.rapp != 0) text += ", side tens " + std::to_string(s.rapp);
  if (s.time != 0) text += ", time " + std::to_string(s.time);
  return text;
}

std::string describe_speed_board(const speed_board_mark& b) {
  std::string text = "speed board " + three(b.left) + stripes(b.left_stripes);
  if (b.right[0] != 0 || b.right[1] != 0 || b.right[2] != 0 || b.right_stripes != 0)
    text += "; right-hand board " + three(b.right) + stripes(b.right_stripes);
  return text;
}

std::string describe_slowdown_start(const slowdown_mark& s) {
  std::string text = "slowdown start " + std::to_string(s.speed) + " km/h";
  if (s.end > s.start) return text + " for " + number(s.end - s.start) + " m";
  return text + ", no end after it";
}

std::string describe_slowdown_end(const slowdown_mark& s) {
  return "slowdown end, after " + std::to_string(s.speed) + " km/h since " + number(s.start) + " m";
}

std::string describe_warning_board(const point_mark& w) {
  return "slowdown warning board " + std::to_string(w.value) + " km/h";
}

std::string describe_speed_cut(const point_mark& c) {
  if (c.value > 0) return "speed cut " + std::to_string(c.value) + " km/h";
  return "speed cut without a value";
}

std::string describe_indicator_board(const point_mark& b) {
  if (b.text.empty()) return "indicator board, its text in record entry " + std::to_string(b.value);
  return "indicator board " + quoted(b.text);
}

std::string describe_unknown_object(const point_mark& o) {
  return "an object of kind " + std::to_string(o.value) + ", which no row makes";
}

std::string describe_mountain(const value_run& m) {
  return "mountain of type " + std::to_string(m.value) + " for " + number(m.to - m.from) +
         " m, to " + number(m.to) + " m";
}

std::string describe_speed(const value_run& r) {
  return "speed limit " + std::to_string(r.value) + " km/h";
}

std::string describe_gradient(const value_run& r) {
  return "gradient " + std::to_string(r.value) + " \u2030";
}

std::string describe_adhesion(const value_run& r) { return "adhesion " + std::to_string(r.value); }

std::string describe_curve(const kilometre_marks& marks, const curve_mark& c) {
  return std::string(c.factor > 0 ? "right-hand" : "left-hand") + " curve from " +
         metres_text(marks, c.start) + " for " + std::to_string(c.length) + " m, radius " +
         number(1 / std::fabs(c.factor)) + " m";
}

std::string describe_progressive(const progressive_mark& p) {
  return "from " + number(p.start) + " m on, the line's kilometres read from km " +
         kilometres(p.value) +
         (p.flag != 0 ? " (flag " + std::to_string(p.flag) + ")" : "");
}
