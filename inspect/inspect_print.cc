#include "inspect/inspect_print.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>

namespace {

const char* kind_name(uint8_t kind) {
  switch (kind) {
    case kind_empty: return "nothing";
    case kind_signal: return "signal";
    case kind_slowdown_end: return "slowdown end";
    case kind_slowdown_start: return "slowdown start";
    case kind_warning_board: return "slowdown warning board";
    case kind_approach_marker: return "slowdown approach marker";
    case kind_speed_board: return "speed board";
    case kind_stop_point: return "station stop point";
    case kind_mountain_marker: return "mountain marker";
    case kind_speed_cut_value: return "speed cut with a value";
    case kind_speed_cut: return "speed cut without a value";
    case kind_indicator_board: return "indicator board";
    default: return "unknown kind";
  }
}

std::string json_string(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", ch);
      out += buf;
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

std::string fixed(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.3f", v);
  return buf;
}

// Names and values of a cell's fields, in file order.
struct named_value {
  const char* name;
  long value;
};

std::vector<named_value> object_fields(const track_cell& c) {
  return {{"kind", c.kind},           {"value_1", c.value_1},         {"value_2", c.value_2},
          {"value_3", c.value_3},     {"value_4", c.value_4},         {"time_code", c.time_code},
          {"marker_code", c.marker_code}, {"mountain_type", c.mountain_type}};
}

std::vector<named_value> running_fields(const track_cell& c) {
  return {{"speed_code", c.speed_code},
          {"gradient_code", c.gradient_code},
          {"adhesion_code", c.adhesion_code}};
}

std::vector<named_value> number_fields(const scenario_record& r) {
  return {{"tag", r.tag},         {"number_1", r.number_1}, {"number_2", r.number_2},
          {"number_3", r.number_3}, {"flag_byte", r.flag_byte}, {"short_1", r.short_1},
          {"short_2", r.short_2}, {"short_3", r.short_3},   {"short_4", r.short_4},
          {"short_5", r.short_5}, {"byte_1", r.byte_1},     {"byte_2", r.byte_2},
          {"byte_3", r.byte_3},   {"byte_4", r.byte_4},     {"number_4", r.number_4}};
}

bool same_running(const track_cell& a, const track_cell& b) {
  return a.speed_code == b.speed_code && a.gradient_code == b.gradient_code &&
         a.adhesion_code == b.adhesion_code;
}

// A plan entry as JSON: its type code and, unless it is empty, its value. A double that JSON
// cannot hold (NaN, an infinity) is given by its bits.
std::string json_entry(const variant_entry& e) {
  std::string s = "{\"type\": " + std::to_string(e.type);
  if (e.type == variant_double) {
    if (std::isfinite(e.value)) {
      s += ", \"value\": " + json_double(e.value);
    } else {
      char bits[32];
      std::snprintf(bits, sizeof bits, "%016" PRIx64, std::bit_cast<uint64_t>(e.value));
      s += std::string(", \"value\": null, \"bits\": \"") + bits + "\"";
    }
  } else if (e.type != variant_empty) {
    s += ", \"value\": " + std::to_string(static_cast<long long>(e.value));
  }
  return s + "}";
}

}  // namespace

std::string json_double(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  std::string s = buf;
  if (s.find_first_of(".e") == std::string::npos) s += ".0";
  return s;
}

void print_cells(std::ostream& out, const std::string& file, const std::vector<track_cell>& cells) {
  out << file << ": " << cells.size() << " track cells (0 to " << cells.size() - 1 << ")\n"
      << "Cells that hold an object or a code, and cells where the running values change:\n";
  for (size_t i = 0; i < cells.size(); ++i) {
    const track_cell& c = cells[i];
    bool object = false;
    for (const named_value& f : object_fields(c)) object = object || f.value != 0;
    bool running = i == 0 || !same_running(c, cells[i - 1]);
    if (!object && !running) continue;
    out << "cell " << i << ":";
    for (const named_value& f : object_fields(c)) {
      if (f.value == 0) continue;
      out << ' ' << f.name << ' ' << f.value;
      if (f.name == std::string("kind")) out << " (" << kind_name(c.kind) << ")";
    }
    if (running)
      for (const named_value& f : running_fields(c)) out << ' ' << f.name << ' ' << f.value;
    out << '\n';
  }
}

void print_records(std::ostream& out, const std::string& file,
                   const std::vector<scenario_record>& records) {
  out << file << ": " << records.size() << " scenario records (0 to " << records.size() - 1
      << ")\nEntries that hold something:\n";
  for (size_t e = 0; e < records.size(); ++e) {
    const scenario_record& r = records[e];
    std::string fields;
    for (const named_value& f : number_fields(r))
      if (f.value != 0) fields += std::string(" ") + f.name + ' ' + std::to_string(f.value);
    if (!r.text.empty()) fields = " text " + json_string(r.text) + fields;
    if (!fields.empty()) out << "entry " << e << ":" << fields << '\n';
  }
}

void print_plan(std::ostream& out, const std::string& file, const route_plan_table& plan) {
  size_t counts[6] = {};
  int32_t first = -1, last = -1;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  size_t points = 0;
  for (int32_t m = 0; m <= plan.upper; ++m) {
    for (int axis = 0; axis < 2; ++axis) {
      uint8_t t = plan.types[plan.index(m, axis)];
      if (t < 6) ++counts[t];
    }
    if (plan.get(m, 0).type == variant_empty || plan.get(m, 1).type == variant_empty) continue;
    double x = plan.coordinate(m, 0), y = plan.coordinate(m, 1);
    if (points == 0) min_x = max_x = x, min_y = max_y = y, first = m;
    min_x = std::min(min_x, x), max_x = std::max(max_x, x);
    min_y = std::min(min_y, y), max_y = std::max(max_y, y);
    last = m;
    ++points;
  }
  out << file << ": route plan, " << plan.entry_count() << " entries, metres 0 to " << plan.upper
      << " (every x, then every y)\n"
      << "entries: " << counts[variant_int16] << " 16-bit integers, " << counts[variant_int32]
      << " 32-bit integers, " << counts[variant_double] << " doubles, " << counts[variant_empty]
      << " empty\n"
      << "points (metres with both x and y): " << points << '\n';
  if (points == 0) return;
  out << "extent: metre " << first << " to metre " << last << '\n'
      << "bounding box: x " << fixed(min_x) << " to " << fixed(max_x) << ", y " << fixed(min_y)
      << " to " << fixed(max_y) << '\n'
      << "sample:\n";
  // About ten points, evenly spread, with the first and the last.
  int32_t step = std::max<int32_t>(1, (last - first) / 10);
  for (int32_t m = first;; m = std::min(last, m + step)) {
    if (plan.get(m, 0).type != variant_empty && plan.get(m, 1).type != variant_empty)
      out << "  metre " << m << ": x " << fixed(plan.coordinate(m, 0)) << ", y "
          << fixed(plan.coordinate(m, 1)) << '\n';
    if (m == last) break;
  }
}

void print_cells_json(std::ostream& out, const std::string& file,
                      const std::vector<track_cell>& cells) {
  out << "{\"file\": " << json_string(file) << ", \"kind\": \"cells\", \"cells\": [\n";
  for (size_t i = 0; i < cells.size(); ++i) {
    out << "  {";
    bool first = true;
    for (const auto& fields : {object_fields(cells[i]), running_fields(cells[i])})
      for (const named_value& f : fields) {
        out << (first ? "" : ", ") << '"' << f.name << "\": " << f.value;
        first = false;
      }
    out << (i + 1 < cells.size() ? "},\n" : "}\n");
  }
  out << "]}\n";
}

void print_records_json(std::ostream& out, const std::string& file,
                        const std::vector<scenario_record>& records) {
  out << "{\"file\": " << json_string(file) << ", \"kind\": \"records\", \"records\": [\n";
  for (size_t e = 0; e < records.size(); ++e) {
    const scenario_record& r = records[e];
    std::vector<named_value> numbers = number_fields(r);
    out << "  {";
    // File order: the text stands between flag_byte and short_1.
    for (size_t f = 0; f < numbers.size(); ++f) {
      out << (f ? ", " : "") << '"' << numbers[f].name << "\": " << numbers[f].value;
      if (numbers[f].name == std::string("flag_byte")) out << ", \"text\": " << json_string(r.text);
    }
    out << (e + 1 < records.size() ? "},\n" : "}\n");
  }
  out << "]}\n";
}

void print_plan_json(std::ostream& out, const std::string& file, const route_plan_table& plan) {
  out << "{\"file\": " << json_string(file) << ", \"kind\": \"plan\", \"highest_metre\": "
      << plan.upper;
  for (int axis = 0; axis < 2; ++axis) {
    out << ",\n\"" << (axis == 0 ? 'x' : 'y') << "\": [\n";
    for (int32_t m = 0; m <= plan.upper; ++m)
      out << "  " << json_entry(plan.get(m, axis)) << (m < plan.upper ? ",\n" : "\n");
    out << "]";
  }
  out << "}\n";
}
