// The picture of the built-in scenario carries what it must.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "form1/form1.h"
#include "binary/binary_decoding.h"
#include "testing/temp_folder.h"
#include "testing/xml_tree.h"
#include "cli/commands.h"

namespace {

// The built-in run's files and their picture, made once for the tests below.
class RenderBuiltin : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = new temp_folder;
    std::ostringstream out, err;
    ASSERT_EQ(scenario_compiler_main({"--out", dir->path()}, out, err), 0) << err.str();
    ASSERT_EQ(scenario_compiler_main({"render", "--dir", dir->path(), "-o", svg_path()}, out, err),
              0)
        << err.str();
  }
  static void TearDownTestSuite() {
    delete dir;
    dir = nullptr;
  }
  static std::string svg_path() { return dir->file("picture.svg"); }
  static temp_folder* dir;
};

temp_folder* RenderBuiltin::dir = nullptr;

TEST_F(RenderBuiltin, StationsSignalsProfilesAndExtent) {
  xml_element root = parse_xml(read_file(svg_path()));  // throws on anything not well-formed
  EXPECT_EQ(root.name, "svg");
  EXPECT_EQ(with_class(root, "station-label").size(), 15u);
  EXPECT_EQ(with_class(root, "signal").size(), 41u);
  for (const char* profile : {"profile-speed", "profile-gradient", "profile-adhesion"})
    EXPECT_EQ(with_class(root, profile).size(), 1u) << profile;

  // The plan's extent is the bounding box of the route's points, metres 0 to 82000.
  route_plan_table plan = decode_plan(read_file(dir->file("Zenvro_Quarvel_linea.dat")));
  double box[4] = {0, 0, 0, 0};
  for (int32_t k = 0; k <= 82000; ++k) {
    double x = plan.coordinate(k, 0), y = plan.coordinate(k, 1);
    box[0] = std::min(box[0], x);
    box[1] = std::min(box[1], y);
    box[2] = std::max(box[2], x);
    box[3] = std::max(box[3], y);
  }
  std::vector<const xml_element*> plans = with_class(root, "plan");
  ASSERT_EQ(plans.size(), 1u);
  std::istringstream extent(plans[0]->attribute("data-extent"));
  for (double expected : box) {
    double v;
    ASSERT_TRUE(extent >> v);
    EXPECT_NEAR(v, expected, 0.01);
  }
  EXPECT_GT(box[2] - box[0], 10000);  // the route bends well away from a straight line

  // Its one mountain is labelled; it has no slowdown, warning board or speed cut, and the
  // legend does not offer them.
  std::vector<const xml_element*> mountains = with_class(root, "mountain-label");
  ASSERT_EQ(mountains.size(), 1u);
  EXPECT_EQ(mountains[0]->text, "mountain 2");
  EXPECT_EQ(mountains[0]->attribute("data-m"), "59500");
  std::vector<std::string> legend;
  for (const xml_element& e : with_class(root, "legend").at(0)->children)
    if (e.name == "text") legend.push_back(e.text);
  for (const char* absent : {"slowdown", "slowdown warning board", "speed cut"})
    EXPECT_EQ(std::count(legend.begin(), legend.end(), absent), 0) << absent;
  for (const char* present : {"signal", "mountain", "indicator board", "station (plan)"})
    EXPECT_EQ(std::count(legend.begin(), legend.end(), present), 1) << present;
}

// The tooltips say what each thing is in the words inspect prints, so the picture, the live
// preview and inspect agree.
TEST_F(RenderBuiltin, TooltipsSayWhatInspectSays) {
  std::ostringstream cells, err;
  ASSERT_EQ(scenario_compiler_main({"inspect", dir->file("Zenvro_Quarvel_2417.dat")}, cells, err),
            0)
      << err.str();
  xml_element root = parse_xml(read_file(svg_path()));

  auto title_of = [&](const char* cls, const char* metre) {
    for (const xml_element* e : with_class(root, cls))
      if (e->attribute("data-m") == metre && !e->children.empty())
        return e->children[0].text;
    return std::string("(no " + std::string(cls) + " at " + metre + ")");
  };
  const struct {
    const char* cls;
    const char* metre;
    const char* title;
  } cases[] = {
      {"signal", "1750", "1750 m (km 1.750): signal, aspects 50/60/10, side codes 2 and 0"},
      {"axis-signal", "1750", "1750 m (km 1.750): signal, aspects 50/60/10, side codes 2 and 0"},
      {"speed-board", "1200", "1200 m (km 1.200): speed board 90/95/100"},
      {"axis-station-label", "6000",
       "station 3 \"MORLENO\" at 6000 m (km 6.000), from 5700 m to 6300 m, stop cell 6250 m to "
       "6300 m, type 2, due 8:32:00, stop value 60"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(title_of(c.cls, c.metre), c.title) << c.cls;
    // inspect lists the same object in the same words, stations apart (it lists their cells).
    if (std::string(c.cls).find("station") == std::string::npos) {
      EXPECT_NE(cells.str().find("  " + std::string(c.title) + "\n"), std::string::npos)
          << c.title;
    }
  }
}

}  // namespace
