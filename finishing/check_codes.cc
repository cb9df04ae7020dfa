// The two check codes, both over the same key: the train number and the route name as stored in
// entries 86 and 85, lower-cased, then a fixed pad; only the first 25 characters count.
#include <string>

#include "form1/form1.h"
#include "files/cp1252.h"

namespace {

constexpr std::string_view kCheckPad = "mmnnppqqrrssttuuvvwwxxyyzz";
constexpr int kKeyLength = 25;

// The key in Windows-1252 bytes; only A to Z are lower-cased.
std::string check_key(const std::string& train, const std::string& route) {
  std::string key = utf8_to_cp1252(train + route);
  for (char& ch : key)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  key += kCheckPad;
  return key;
}

int code_of(char ch) { return static_cast<unsigned char>(ch); }

}  // namespace

int32_t Form1::codice_gara_st() {
  std::string key = check_key(scenario_records[train_number_entry].text,
                              scenario_records[route_name_entry].text);
  int32_t sum = 0;
  for (int i = 1; i <= kKeyLength; ++i) sum += i * code_of(key[i - 1]);
  return sum;
}

int32_t Form1::codice_gara_og() {
  std::string key = check_key(scenario_records[train_number_entry].text,
                              scenario_records[route_name_entry].text);
  int32_t sum = 0;
  for (int i = 1; i <= kKeyLength; ++i) sum += code_of(key[i - 1]);
  return sum;
}
