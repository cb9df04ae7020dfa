#include "inspect/inspect_print.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>
#include <ostream>
#include <string_view>

#include "inspect/plan_reading.h"

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

// A field's value as inspect prints it: a number (a byte is a number, not a character), or a
// text as a JSON string.
long printed(long v) { return v; }
std::string printed(const std::string& text) { return json_string(text); }

bool has_object(const track_cell& c) {
  bool object = false;
  for_each_field(track_cell_object_fields, [&](const auto& f) { object = object || c.*f.member != 0; });
  return object;
}

bool same_running(const track_cell& a, const track_cell& b) {
  bool same = true;
  for_each_field(track_cell_running_fields,
                 [&](const auto& f) { same = same && a.*f.member == b.*f.member; });
  return same;
}

// Every field of a record as the members of a JSON object, in file order.
template <class Record, class Table>
void print_json_fields(std::ostream& out, const Record& r, const Table& table) {
  const char* separator = "";
  for_each_field(table, [&](const auto& f) {
    out << separator << '"' << f.name << "\": " << printed(r.*f.member);
    separator = ", ";
  });
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
    bool object = has_object(c);
    bool running = i == 0 || !same_running(c, cells[i - 1]);
    if (!object && !running) continue;
    out << "cell " << i << ":";
    for_each_field(track_cell_object_fields, [&](const auto& f) {
      if (c.*f.member == 0) return;
      out << ' ' << f.name << ' ' << printed(c.*f.member);
      if (std::string_view(f.name) == "kind") out << " (" << kind_name(c.kind) << ")";
    });
    if (running)
      for_each_field(track_cell_running_fields,
                     [&](const auto& f) { out << ' ' << f.name << ' ' << printed(c.*f.member); });
    out << '\n';
  }
}

void print_records(std::ostream& out, const std::string& file,
                   const std::vector<scenario_record>& records) {
  out << file << ": " << records.size() << " scenario records (0 to " << records.size() - 1
      << ")\nEntries that hold something:\n";
  for (size_t e = 0; e < records.size(); ++e) {
    const scenario_record& r = records[e];
    // The text first, then the numbers that are not 0.
    std::string text, numbers;
    for_each_field(scenario_record_fields, [&](const auto& f) {
      const auto& v = r.*f.member;
      if constexpr (is_text_field<decltype(f)>) {
        if (!v.empty()) text = std::string(" ") + f.name + ' ' + printed(v);
      } else if (v != 0) {
        numbers += std::string(" ") + f.name + ' ' + std::to_string(printed(v));
      }
    });
    std::string fields = text + numbers;
    if (!fields.empty()) out << "entry " << e << ":" << fields << '\n';
  }
}

void print_plan(std::ostream& out, const std::string& file, const route_plan_table& plan) {
  size_t counts[6] = {};
  for (uint8_t t : plan.types)
    if (t < 6) ++counts[t];
  const plan_summary s = read_plan(plan);
  const size_t points = s.points;
  const int32_t first = s.first, last = s.last;
  out << file << ": route plan, " << plan.entry_count() << " entries, metres 0 to " << plan.upper
      << " (every x, then every y)\n"
      << "entries: " << counts[variant_int16] << " 16-bit integers, " << counts[variant_int32]
      << " 32-bit integers, " << counts[variant_double] << " doubles, " << counts[variant_empty]
      << " empty\n"
      << "points (metres with both x and y): " << points << '\n';
  if (points == 0) return;
  out << "extent: metre " << first << " to metre " << last << '\n'
      << "bounding box: x " << fixed(s.extent.xmin) << " to " << fixed(s.extent.xmax) << ", y "
      << fixed(s.extent.ymin) << " to " << fixed(s.extent.ymax) << '\n'
      << "sample:\n";
  // About ten points, evenly spread, with the first and the last.
  int32_t step = std::max<int32_t>(1, (last - first) / 10);
  for (int32_t m = first;; m = std::min(last, m + step)) {
    if (has_point(plan, m))
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
    print_json_fields(out, cells[i], track_cell_fields);
    out << (i + 1 < cells.size() ? "},\n" : "}\n");
  }
  out << "]}\n";
}

void print_records_json(std::ostream& out, const std::string& file,
                        const std::vector<scenario_record>& records) {
  out << "{\"file\": " << json_string(file) << ", \"kind\": \"records\", \"records\": [\n";
  for (size_t e = 0; e < records.size(); ++e) {
    out << "  {";
    print_json_fields(out, records[e], scenario_record_fields);
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
