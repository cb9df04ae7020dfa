#include "lint/row_rules.h"

#include <string>

#include "files/keywords.h"

namespace {

const std::vector<field_spec> kProgressive = {{"start"}, {"value"}, {"flag"}};

const row_rule kGeneral[] = {
    {row_kind::route_length,
     [](std::string_view k) { return holds_keyword(k, row_keyword::route_length); },
     {{"route length"}}},
    {row_kind::progressive,
     [](std::string_view k) { return holds_keyword(k, row_keyword::progressive_three); }, kProgressive},
    {row_kind::progressive,
     [](std::string_view k) { return holds_keyword(k, row_keyword::progressive_two); }, kProgressive},
    {row_kind::progressive,
     [](std::string_view k) { return holds_keyword(k, row_keyword::progressive_one); }, kProgressive},
    {row_kind::background,
     [](std::string_view k) { return holds_keyword(k, row_keyword::background_one); },
     {{"background"}}},
    {row_kind::background,
     [](std::string_view k) { return holds_keyword(k, row_keyword::background_two); },
     {{"background"}}},
    {row_kind::background,
     [](std::string_view k) { return holds_keyword(k, row_keyword::background_three); },
     {{"background"}}},
    {row_kind::signal_repetition,
     [](std::string_view k) { return holds_keyword(k, row_keyword::signal_repetition); },
     {{"start"}, {"end"}}},
};

const row_rule kMain[] = {
    {row_kind::gradient,
     [](std::string_view k) { return holds_keyword(k, row_keyword::gradient); },
     {{"position"}, {"gradient"}}},
    {row_kind::curve,
     [](std::string_view k) { return holds_keyword(k, row_keyword::curve); },
     {{"start"}, {"length"}}},
    {row_kind::mountain,
     [](std::string_view k) { return holds_keyword(k, row_keyword::mountain); },
     {{"start"}, {"end"}, {"type"}}},
    {row_kind::speed_board,
     [](std::string_view k) { return holds_keyword(k, row_keyword::speed_board); },
     {{"position"},
      {"left speed A"},
      {"left speed B"},
      {"left speed C"},
      {"left stripes"},
      {"right speed A"},
      {"right speed B"},
      {"right speed C"},
      {"right stripes"}}},
    {row_kind::indicator_board,
     [](std::string_view k) { return holds_keyword(k, row_keyword::indicator_board); },
     {{"position"}, {"text", true}}},
};

const row_rule kTrain[] = {
    {row_kind::braked_mass,
     [](std::string_view k) { return holds_keyword(k, row_keyword::braked_mass); },
     {{"braked mass"}}},
    {row_kind::cars, [](std::string_view k) { return holds_keyword(k, row_keyword::cars); }, {{"car count"}}},
    {row_kind::speed,
     [](std::string_view k) { return holds_keyword(k, row_keyword::speed); },
     {{"position"}, {"speed"}}},
    {row_kind::adhesion,
     [](std::string_view k) { return holds_keyword(k, row_keyword::adhesion); },
     {{"position"}, {"adhesion"}}},
    {row_kind::clock,
     [](std::string_view k) { return holds_keyword(k, row_keyword::clock); },
     {{"hours"}, {"minutes"}, {"seconds"}}},
    {row_kind::sand, [](std::string_view k) { return holds_keyword(k, row_keyword::sand); }, {{"sand"}}},
    {row_kind::signal,
     [](std::string_view k) { return holds_keyword(k, row_keyword::signal); },
     {{"position"},
      {"left code"},
      {"left value 1"},
      {"left value 2"},
      {"left value 3"},
      {"side tens"},
      {"right code"},
      {"right value 1"},
      {"right value 2"},
      {"right value 3"},
      {"time code"}}},
    {row_kind::slowdown,
     [](std::string_view k) { return holds_keyword(k, row_keyword::slowdown); },
     {{"start"}, {"speed"}, {"length"}, {"start and end code"}, {"approach"}, {"value 2 code"}}},
    {row_kind::speed_cut,
     [](std::string_view k) { return holds_keyword(k, row_keyword::speed_cut); },
     {{"position"}, {"value"}}},
    // A station row ends the tests: nothing after it is tested.
    {row_kind::station,
     [](std::string_view k) { return holds_keyword(k, row_keyword::station); },
     {{"position"},
      {"type"},
      {"length"},
      {"flag 1"},
      {"flag 2"},
      {"end extension"},
      {"value a1"},
      {"value a2"},
      {"value a3"},
      {"value b1"},
      {"value b2"},
      {"value b3"},
      {"stop value"},
      {"hours"},
      {"minutes"},
      {"seconds"},
      {"name", true}}},
};

constexpr std::string_view kLineKeywords[] = {
    "lunghezza percorso", "progressiva", "sfondo",   "ripetizione segnali",
    "pendenza",           "curva",       "montagna", "indicatori_vmax",
    "cartello_indicatore"};
constexpr std::string_view kTrainKeywords[] = {"percentuale massa frenata",
                                               "numero vetture",
                                               "velocita",
                                               "aderenza",
                                               "orologio",
                                               "sabbia",
                                               "segnale",
                                               "rallentamento",
                                               "abbattimento",
                                               "stazione"};

}  // namespace

std::span<const row_rule> general_rules() { return kGeneral; }
std::span<const row_rule> main_line_rules() { return kMain; }
std::span<const row_rule> train_rules() { return kTrain; }
std::span<const std::string_view> line_keywords() { return kLineKeywords; }
std::span<const std::string_view> train_keywords() { return kTrainKeywords; }
