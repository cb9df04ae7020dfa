#include "binary/station_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"

namespace {

std::string bytes_of(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// A records file whose entry 3 is `entry` (its bytes), every other entry blank.
std::string file_with_entry_3(const std::string& entry) {
  byte_buffer blank;
  encode(blank, scenario_record{});
  std::string file;
  for (size_t e = 0; e < scenario_record_count; ++e) file += e == 3 ? entry : blank.bytes();
  return file;
}

// Entries of the built-in scenario's records file, as the simulator reads them.
TEST(StationRecord, BuiltinEntriesDecodeToTheirStations) {
  struct station_case {
    const char* hex;
    station_object want;
  };
  const station_case cases[] = {
      {"08e0fcffff2003000000000000010f005a454e56524f2043454e5452414c45040001000200010001000001000"
       "05c760000",
       {0, -800, 800, 8, 30300, 1, "ZENVRO CENTRALE"}},
      {"02441600009c180000701700000007004d4f524c454e4f02000100020001000100003c000100780000",
       {6000, 5700, 6300, 2, 30720, 60, "MORLENO"}},
      {"0bf0230000b824000054240000000f00424956494f204341535452454c4c450100010000000000000000"
       "9b000000000000",
       {9300, 9200, 9400, 11, 0, 155, "BIVIO CASTRELLE"}},
  };
  for (const station_case& c : cases) {
    const std::vector<scenario_record> records = decode_records(file_with_entry_3(bytes_of(c.hex)));
    EXPECT_EQ(read_station_record(records[3]), c.want) << c.want.name;
  }
}

TEST(StationRecord, TheTimeIsKeptInSecondsSinceMidnight) {
  EXPECT_EQ(station_time_code(8, 25, 0), 30300);
  EXPECT_EQ(station_time_code(0, 0, 0), 0);
  EXPECT_EQ(station_time_code(23, 59, 59), 86399);
  EXPECT_EQ(station_time_code(0, 90, 0), 5400);  // the fields are not limited to a clock's
}

}  // namespace
