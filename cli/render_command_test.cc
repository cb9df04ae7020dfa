#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "binary/binary_encoding.h"
#include "cli/run_cli.h"
#include "files/file_names.h"
#include "testing/sample_route.h"
#include "testing/system_words.h"
#include "testing/temp_folder.h"
#include "testing/xml_tree.h"
#include "cli/commands.h"
#include "render/plan_geometry.h"
#include "svg/svg_writer.h"

namespace {

// A message of a table with NO_FILE where the system's words for a file not there stand.
std::string with_system_words(std::string text) {
  for (size_t at; (at = text.find("NO_FILE")) != std::string::npos;)
    text.replace(at, 7, system_words(failure_kind::no_such_file));
  return text;
}

namespace fs = std::filesystem;

const std::string kRoute = "Zenvro_Quarvel";
const std::string kTrain = "2417";

// A short route that bends right, then left, with three stations, three signals and one of
// every other object the picture marks.
sample_route small_route() {
  sample_route r(6000);
  r.curve(1000, 400, 0.003);
  r.curve(3000, 800, -0.001);
  r.station("ZENVRO CENTRALE", 0);
  r.station("Citt\xc3\xa0 & <Sud>", 2500);
  r.station("QUARVEL", 5500);
  r.signal(1750);
  r.signal(2850);
  r.signal(4050);
  r.speed(0, 30);
  r.speed(1200, 95);
  r.gradient(1200, 5);
  r.gradient(3000, -8);
  r.adhesion(4000, 90);
  r.speed_board(800, 30);
  r.slowdown(3500, 500, 50);
  r.speed_cut(5000, 80);
  r.mountain(4000, 4600, 2);
  r.indicator_board(1500, "(Km. 2.256)");
  return r;
}

std::vector<double> numbers(const std::string& text) {
  std::vector<double> out;
  std::istringstream in(text);
  for (double v; in >> v;) out.push_back(v);
  return out;
}

struct picture {
  std::string text;
  xml_element root;
};

picture render_into(const temp_folder& t, const std::vector<std::string>& extra = {}) {
  std::vector<std::string> args = {"render", "--dir", t.path(), "-o", t.file("out.svg")};
  args.insert(args.end(), extra.begin(), extra.end());
  cli_result r = run(args);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  std::string text = read_file(t.file("out.svg"));
  return {text, parse_xml(text)};
}

std::vector<std::string> texts(const xml_element& root, const char* cls) {
  std::vector<std::string> out;
  for (const xml_element* e : with_class(root, cls)) out.push_back(e->text);
  return out;
}

TEST(RenderCommand, DrawsThePlanToScaleWithStationsAndSignals) {
  temp_folder t;
  sample_route route = small_route();
  route.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);

  EXPECT_EQ(p.root.name, "svg");
  EXPECT_EQ(p.root.attribute("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(texts(p.root, "title"), (std::vector<std::string>{"Zenvro_Quarvel, train 2417"}));
  EXPECT_EQ(texts(p.root, "station-label"),
            (std::vector<std::string>{"ZENVRO CENTRALE", "Citt\xc3\xa0 & <Sud>", "QUARVEL"}));

  // The plan's mapping: one scale on both axes, y flipped so that north is up.
  ASSERT_EQ(with_class(p.root, "plan").size(), 1u);
  const xml_element& plan = *with_class(p.root, "plan")[0];
  double scale = std::stod(plan.attribute("data-scale"));
  std::vector<double> origin = numbers(plan.attribute("data-origin"));
  ASSERT_EQ(origin.size(), 2u);
  ASSERT_GT(scale, 0);
  route_plan_table table = route.plan();
  auto page = [&](double metre) {
    int m = static_cast<int>(metre);
    return std::make_pair(origin[0] + table.coordinate(m, 0) * scale,
                          origin[1] - table.coordinate(m, 1) * scale);
  };

  // The route's true extent, worked out here from the plan's points over the route's length.
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  for (int m = 0; m <= 6000; ++m) {
    xmin = std::min(xmin, table.coordinate(m, 0));
    xmax = std::max(xmax, table.coordinate(m, 0));
    ymin = std::min(ymin, table.coordinate(m, 1));
    ymax = std::max(ymax, table.coordinate(m, 1));
  }
  std::vector<double> extent = numbers(plan.attribute("data-extent"));
  ASSERT_EQ(extent.size(), 4u);
  EXPECT_NEAR(extent[0], xmin, 0.01);
  EXPECT_NEAR(extent[1], ymin, 0.01);
  EXPECT_NEAR(extent[2], xmax, 0.01);
  EXPECT_NEAR(extent[3], ymax, 0.01);
  EXPECT_GT(xmax - xmin, 500);  // the curves took the route well east
  std::vector<double> view = numbers(p.root.attribute("viewBox"));
  ASSERT_EQ(view.size(), 4u);
  for (double x : {xmin, xmax})
    for (double y : {ymin, ymax}) {
      double px = origin[0] + x * scale, py = origin[1] - y * scale;
      EXPECT_GE(px, view[0]);
      EXPECT_LE(px, view[0] + view[2]);
      EXPECT_GE(py, view[1]);
      EXPECT_LE(py, view[1] + view[3]);
    }

  // The route line starts at metre 0 and ends at the route's end; north up means metre 500,
  // straight ahead from the start, stands above it on the page.
  std::vector<double> line = numbers([&] {
    std::string s = with_class(p.root, "route").at(0)->attribute("points");
    for (char& c : s)
      if (c == ',') c = ' ';
    return s;
  }());
  ASSERT_GE(line.size(), 4u);
  EXPECT_NEAR(line[0], page(0).first, 0.01);
  EXPECT_NEAR(line[1], page(0).second, 0.01);
  EXPECT_NEAR(line[line.size() - 2], page(6000).first, 0.01);
  EXPECT_NEAR(line[line.size() - 1], page(6000).second, 0.01);
  EXPECT_LT(page(500).second, page(0).second);
  EXPECT_EQ(with_class(p.root, "run-out").size(), 1u);

  // One mark per signal, centred on the plan point of its position.
  std::vector<const xml_element*> signals = with_class(p.root, "signal");
  ASSERT_EQ(signals.size(), 3u);
  const double expected_metres[] = {1750, 2850, 4050};
  for (size_t i = 0; i < signals.size(); ++i) {
    const xml_element& s = *signals[i];
    EXPECT_EQ(std::stod(s.attribute("data-m")), expected_metres[i]);
    auto [x, y] = page(expected_metres[i]);
    EXPECT_NEAR((std::stod(s.attribute("x1")) + std::stod(s.attribute("x2"))) / 2, x, 0.02);
    EXPECT_NEAR((std::stod(s.attribute("y1")) + std::stod(s.attribute("y2"))) / 2, y, 0.02);
  }
  // Station dots at their stop positions.
  std::vector<const xml_element*> dots = with_class(p.root, "station-dot");
  ASSERT_EQ(dots.size(), 3u);
  EXPECT_NEAR(std::stod(dots[1]->attribute("cx")), page(2500).first, 0.02);
  EXPECT_NEAR(std::stod(dots[1]->attribute("cy")), page(2500).second, 0.02);
  EXPECT_EQ(with_class(p.root, "plan-start").size(), 1u);
  EXPECT_EQ(with_class(p.root, "plan-end").size(), 1u);
  // The scale bar is as long on the page as its kilometres on the plan.
  ASSERT_EQ(with_class(p.root, "scale-bar").size(), 1u);
  const xml_element& bar = *with_class(p.root, "scale-bar")[0];
  double km = std::stod(bar.attribute("data-km"));
  EXPECT_GT(km, 0);
  double drawn = 0;
  for (const xml_element& c : bar.children)
    if (c.name == "rect") drawn += std::stod(c.attribute("width"));
  EXPECT_NEAR(drawn, km * 1000 * scale, 0.02);
}

TEST(RenderCommand, DrawsTheProfilesAndTheObjectsAlongThem) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain);
  picture p = render_into(t);

  for (const char* cls : {"profile-speed", "profile-gradient", "profile-adhesion"}) {
    std::vector<const xml_element*> paths = with_class(p.root, cls);
    ASSERT_EQ(paths.size(), 1u) << cls;
    EXPECT_EQ(paths[0]->attribute("d").rfind("M", 0), 0u) << cls;
  }
  // One level of the step line per run: speed 30 then 95; gradient 0, 5, -8; adhesion 100, 90.
  auto levels = [&](const char* cls) {
    std::string d = with_class(p.root, cls)[0]->attribute("d");
    size_t n = 0;
    for (size_t i = d.find('H'); i != std::string::npos; i = d.find('H', i + 1)) ++n;
    return n;
  };
  EXPECT_EQ(levels("profile-speed"), 2u);
  EXPECT_EQ(levels("profile-gradient"), 3u);
  EXPECT_EQ(levels("profile-adhesion"), 2u);

  EXPECT_EQ(texts(p.root, "axis-station-label"),
            (std::vector<std::string>{"ZENVRO CENTRALE", "Citt\xc3\xa0 & <Sud>", "QUARVEL"}));
  EXPECT_EQ(with_class(p.root, "axis-signal").size(), 3u);
  EXPECT_EQ(with_class(p.root, "speed-board").size(), 1u);
  EXPECT_EQ(with_class(p.root, "slowdown").size(), 1u);
  EXPECT_EQ(with_class(p.root, "slowdown-warning").size(), 1u);
  EXPECT_EQ(with_class(p.root, "speed-cut").size(), 1u);
  EXPECT_EQ(with_class(p.root, "mountain").size(), 1u);
  EXPECT_EQ(with_class(p.root, "indicator-board").size(), 1u);
  EXPECT_EQ(with_class(p.root, "slowdown")[0]->attribute("data-m"), "3500");
  EXPECT_EQ(with_class(p.root, "mountain")[0]->attribute("data-m"), "4000");
  EXPECT_EQ(with_class(p.root, "profiles")[0]->attribute("data-axis-end"), "6000");
}

// Each legend entry and the marks it stands for.
struct legend_key {
  const char* text;
  std::vector<const char*> classes;  // the entry belongs when any of them is drawn
};
const legend_key kLegend[] = {
    {"start", {"plan-start"}},
    {"end of the route", {"plan-end"}},
    {"run-out", {"run-out"}},
    {"station (plan)", {"station-dot"}},
    {"signal", {"signal", "axis-signal"}},
    {"line speed limit", {"profile-speed"}},
    {"speed board (category A)", {"speed-board"}},
    {"slowdown", {"slowdown"}},
    {"slowdown warning board", {"slowdown-warning"}},
    {"speed cut", {"speed-cut"}},
    {"gradient", {"profile-gradient"}},
    {"mountain", {"mountain"}},
    {"adhesion", {"profile-adhesion"}},
    {"indicator board", {"indicator-board"}},
    {"station", {"station-line"}},
    {"stop cell", {"stop-cell"}},
};

std::vector<std::string> legend_texts(const xml_element& root) {
  std::vector<std::string> out;
  for (const xml_element* legend : with_class(root, "legend"))
    for (const xml_element& e : legend->children)
      if (e.name == "text") out.push_back(e.text);
  return out;
}

TEST(RenderCommand, TheLegendListsWhatThePictureHoldsAndNoMore) {
  struct fixture {
    const char* what;
    sample_route route;
    bool with_plan;
    std::vector<std::string> only;  // the whole legend, where the case pins it
  };
  auto bare = [] {
    sample_route r(6000);
    r.speed(0, 80);
    return r;
  };
  auto some = [&] {
    sample_route r = bare();
    r.mountain(2000, 2300, 1);
    r.speed_cut(3000, 60);
    return r;
  };
  const fixture fixtures[] = {
      {"every kind", small_route(), true,
       {"start", "end of the route", "run-out", "station (plan)", "signal", "line speed limit",
        "speed board (category A)", "slowdown", "slowdown warning board", "speed cut", "gradient",
        "mountain", "adhesion", "indicator board", "station", "stop cell"}},
      {"every kind but the plan's", small_route(), false, {}},
      {"nothing along the route", bare(), true, {}},
      {"nothing at all", bare(), false, {"line speed limit", "gradient", "adhesion"}},
      {"a mountain and a speed cut", some(), false,
       {"line speed limit", "speed cut", "gradient", "mountain", "adhesion"}},
  };
  std::vector<double> gaps;  // from the legend's last line to the page's foot
  for (const fixture& f : fixtures) {
    temp_folder t;
    f.route.write(t.path(), kRoute, kTrain, f.with_plan);
    picture p = render_into(t);
    std::vector<std::string> legend = legend_texts(p.root);
    std::vector<std::string> drawn;
    for (const legend_key& k : kLegend)
      if (std::any_of(k.classes.begin(), k.classes.end(),
                      [&](const char* cls) { return !with_class(p.root, cls).empty(); }))
        drawn.push_back(k.text);
    EXPECT_EQ(legend, drawn) << f.what;
    if (!f.only.empty()) {
      EXPECT_EQ(legend, f.only) << f.what;
    }
    double lowest = 0;
    for (const xml_element* g : with_class(p.root, "legend"))
      for (const xml_element& e : g->children)
        if (e.name == "text") lowest = std::max(lowest, std::stod(e.attribute("y")));
    gaps.push_back(std::stod(p.root.attribute("height")) - lowest);
  }
  // The page ends as far under the legend however many lines it takes.
  for (double gap : gaps) EXPECT_NEAR(gap, gaps[0], 0.01);
}

TEST(RenderCommand, MountainsAreLabelledByTypeInTheGradientPanel) {
  sample_route r(20000);
  r.speed(0, 80);
  r.gradient(0, 4);
  r.mountain(2000, 2600, 2);
  r.mountain(2700, 3000, 3);  // 100 m after the one before: the type that gives
  r.mountain(9000, 9400, 3);  // type 3 on its own
  r.mountain(15000, 15300, 1);
  temp_folder t;
  r.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);

  struct expected {
    const char* metre;
    const char* text;
    const char* tooltip_start;
  } labels[] = {
      {"2000", "mountain 2", "2000 m (km 2.000): mountain of type 2 for 600 m, to 2600 m"},
      {"2700", "mountain 3, near the previous",
       "2700 m (km 2.700): mountain of type 3 for 300 m, to 3000 m; it starts 100 m after the "
       "mountain before it"},
      {"9000", "mountain 3", "9000 m (km 9.000): mountain of type 3 for 400 m, to 9400 m"},
      {"15000", "mountain 1", "15000 m (km 15.000): mountain of type 1 for 300 m, to 15300 m"},
  };
  std::vector<const xml_element*> drawn = with_class(p.root, "mountain-label");
  std::vector<const xml_element*> bands = with_class(p.root, "mountain");
  ASSERT_EQ(drawn.size(), std::size(labels));
  ASSERT_EQ(bands.size(), std::size(labels));
  const xml_element& panel =
      *with_class(*with_class(p.root, "panel-gradient").at(0), "panel").at(0);
  double top = std::stod(panel.attribute("y")), bottom = top + std::stod(panel.attribute("height"));
  for (size_t i = 0; i < drawn.size(); ++i) {
    const xml_element& label = *drawn[i];
    EXPECT_EQ(label.attribute("data-m"), labels[i].metre);
    EXPECT_EQ(label.text, labels[i].text);
    ASSERT_EQ(label.children.size(), 1u) << labels[i].text;
    EXPECT_EQ(label.children[0].text.rfind(labels[i].tooltip_start, 0), 0u)
        << label.children[0].text;
    // The band keeps its tooltip, and the label stands in the panel over or beside it.
    const xml_element& band = *bands[i];
    ASSERT_EQ(band.children.size(), 1u);
    EXPECT_EQ(band.children[0].text, label.children[0].text);
    double y = std::stod(label.attribute("y"));
    EXPECT_GT(y - 9, top) << labels[i].text;
    EXPECT_LT(y, bottom) << labels[i].text;
    double band_x = std::stod(band.attribute("x")) + std::stod(band.attribute("width")) / 2;
    double label_x = std::stod(label.attribute("x"));
    EXPECT_LT(std::fabs(label_x - band_x), text_width(label.text, 9)) << labels[i].text;
  }
}

TEST(RenderCommand, CrowdedMountainsKeepTheirTooltipsAndLabelsApart) {
  sample_route r(60000);
  r.speed(0, 80);
  for (int k = 0; k < 40; ++k) r.mountain(1000 + 200 * k, 1100 + 200 * k, k == 0 ? 2 : 3);
  temp_folder t;
  r.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);
  EXPECT_EQ(with_class(p.root, "mountain").size(), 40u);
  std::vector<const xml_element*> drawn = with_class(p.root, "mountain-label");
  ASSERT_FALSE(drawn.empty());
  EXPECT_LT(drawn.size(), 40u);  // no room for all: the others keep their tooltips alone
  EXPECT_EQ(drawn[0]->text, "mountain 2");
  // Labels on one line stand apart by at least their half widths.
  for (size_t i = 0; i < drawn.size(); ++i)
    for (size_t j = i + 1; j < drawn.size(); ++j) {
      const xml_element& a = *drawn[i];
      const xml_element& b = *drawn[j];
      if (std::fabs(std::stod(a.attribute("y")) - std::stod(b.attribute("y"))) >= 9) continue;
      double apart = std::fabs(std::stod(a.attribute("x")) - std::stod(b.attribute("x")));
      double needed = (text_width(a.text, 9) + text_width(b.text, 9)) / 2 * 0.85;
      EXPECT_GE(apart, needed) << a.text << " at " << a.attribute("data-m") << ", " << b.text
                               << " at " << b.attribute("data-m");
    }
}

// A signal far in the run-out stands on the profiles, whose axis reaches it, but not on the
// plan, which draws only the first stretch of the run-out.
TEST(RenderCommand, ASignalBeyondTheRunOutDrawnIsOnTheProfilesOnly) {
  temp_folder t;
  sample_route r = small_route();
  r.signal(10000);
  r.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);
  EXPECT_EQ(with_class(p.root, "signal").size(), 3u);
  std::vector<const xml_element*> on_axis = with_class(p.root, "axis-signal");
  ASSERT_EQ(on_axis.size(), 4u);
  EXPECT_EQ(on_axis.back()->attribute("data-m"), "10000");
}

TEST(RenderCommand, ALongNameIsShortenedAndWholeInItsTooltip) {
  temp_folder t;
  sample_route r = small_route();
  std::string name = "STAZIONE " + std::string(90, 'Q');
  r.records[2].text = name;
  r.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);
  for (const char* cls : {"station-label", "axis-station-label"}) {
    const xml_element& label = *with_class(p.root, cls).at(1);
    EXPECT_LT(label.text.size(), 50u) << cls;
    EXPECT_EQ(label.text.rfind("STAZIONE QQ", 0), 0u) << cls;
    ASSERT_EQ(label.children.size(), 1u) << cls;
    EXPECT_EQ(label.children[0].text, "station 2 \"" + name +
                                          "\" at 2500 m (km 2.500), from 2300 m to 2700 m, stop cell 2650 m to 2700 m, type 2")
        << cls;
  }
  // The labels still leave the plan on the page.
  const xml_element& plan = *with_class(p.root, "plan")[0];
  std::vector<double> view = numbers(p.root.attribute("viewBox"));
  std::vector<double> e = numbers(plan.attribute("data-extent"));
  std::vector<double> origin = numbers(plan.attribute("data-origin"));
  double scale = std::stod(plan.attribute("data-scale"));
  EXPECT_GE(origin[0] + e[0] * scale, view[0]);
  EXPECT_LE(origin[0] + e[2] * scale, view[0] + view[2]);
}

TEST(RenderCommand, TheFileIsWellFormedForAnIndependentParser) {
#ifdef _WIN32
  GTEST_SKIP() << "xmllint runs on the build host, not under Windows";
#endif
  if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "xmllint is not installed (setup.sh installs it)";
  temp_folder t;
  sample_route r = small_route();
  r.records[1].text = std::string("bad \x01 byte \x81 & \xe9");  // as cp1252 decoding can give
  r.write(t.path(), kRoute, kTrain);
  picture p = render_into(t);
  std::string command = "xmllint --noout '" + t.file("out.svg") + "' 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST(RenderCommand, WithoutAPlanDrawsTheProfilesAloneAndSaysSo) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain, /*with_plan=*/false);
  picture p = render_into(t);
  EXPECT_TRUE(with_class(p.root, "plan").empty());
  EXPECT_TRUE(with_class(p.root, "station-label").empty());
  EXPECT_TRUE(with_class(p.root, "signal").empty());
  std::vector<std::string> note = texts(p.root, "no-plan-note");
  ASSERT_EQ(note.size(), 1u);
  EXPECT_NE(note[0].find("Zenvro_Quarvel_linea.dat"), std::string::npos) << note[0];
  EXPECT_NE(note[0].find("--no-plan"), std::string::npos) << note[0];
  EXPECT_EQ(with_class(p.root, "profile-speed").size(), 1u);
  EXPECT_EQ(with_class(p.root, "axis-station-label").size(), 3u);
  EXPECT_EQ(with_class(p.root, "axis-signal").size(), 3u);
}

// A plan left by an earlier compile (one with --no-plan leaves it) is drawn, and told.
TEST(RenderCommand, APlanOlderThanItsRecordsIsTold) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain, /*with_plan=*/true);
  const std::string plan = t.file("Zenvro_Quarvel_linea.dat");
  const std::string records = t.file("Zenvro_Quarvel_2417.sim");
  std::filesystem::last_write_time(
      plan, std::filesystem::last_write_time(records) - std::chrono::hours(3));
  cli_result r = run({"render", "--dir", t.path(), "-o", t.file("out.svg")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "scenario-compiler: the plan " + plan + " was written 3 h before " + records +
                       ": it is an earlier compile's (one with --no-plan leaves it), drawn as it "
                       "stands; compile with the plan to draw the route of these records\n");
  EXPECT_FALSE(with_class(parse_xml(read_file(t.file("out.svg"))), "plan").empty());
}

TEST(RenderCommand, DrawsTheOneScenarioOfTheCurrentFolderByDefault) {
  temp_folder t;
  small_route().write(t.path(), "Monte", "101");
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(t.path());
  cli_result r = run({"render"});
  std::filesystem::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "wrote Monte_101.svg\n");
  xml_element root = parse_xml(read_file(t.file("Monte_101.svg")));
  EXPECT_EQ(texts(root, "title"), (std::vector<std::string>{"Monte, train 101"}));

  // Other names, given: the picture takes its name and title from them.
  small_route().write(t.path(), "Linea Nord", "99");
  std::filesystem::current_path(t.path());
  r = run({"render", "--route", "Linea Nord", "--train=99"});
  std::filesystem::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  root = parse_xml(read_file(t.file("Linea Nord_99.svg")));
  EXPECT_EQ(texts(root, "title"), (std::vector<std::string>{"Linea Nord, train 99"}));
}

// How render finds the scenario: from a .sim named on the command line, or in the folder when
// it holds one (or --route or --train pick one); several are listed, none is said.
TEST(RenderCommand, FindsTheScenarioItself) {
  struct lookup_case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> scenarios;  // route, train
    std::vector<const char*> removed;  // files taken away afterwards
    std::vector<std::string> args;     // "DIR" stands for the folder
    int status;
    const char* route;  // drawn, on success
    const char* train;
    std::vector<const char*> said;  // parts of standard error ("DIR": the folder)
  };
  const lookup_case cases[] = {
      {"one", {{"Monte", "101"}}, {}, {"--dir", "DIR"}, 0, "Monte", "101", {}},
      {"one whose route holds '_'", {{"Zenvro_Quarvel", "2417"}}, {}, {"--dir", "DIR"}, 0,
       "Zenvro_Quarvel", "2417", {}},
      {"none", {}, {}, {"--dir", "DIR"}, 3, nullptr, nullptr,
       {"scenario-compiler: no compiled scenario in DIR (looked for ROUTE_TRAIN.sim beside "
        "ROUTE_TRAIN.dat)\n"}},
      {"records without cells", {{"Monte", "101"}}, {"Monte_101.dat"}, {"--dir", "DIR"}, 3,
       nullptr, nullptr,
       {"scenario-compiler: no compiled scenario in DIR: Monte_101.sim has no Monte_101.dat\n"}},
      {"several", {{"Monte", "101"}, {"Monte", "102"}, {"Zenvro_Quarvel", "2417"}}, {},
       {"--dir", "DIR"}, 2, nullptr, nullptr,
       {"scenario-compiler: DIR holds 3 compiled scenarios; choose one with --route and --train:\n"
        "  Monte_101 (--route Monte --train 101)\n"
        "  Monte_102 (--route Monte --train 102)\n"
        "  Zenvro_Quarvel_2417 (--route Zenvro_Quarvel --train 2417)\n"}},
      {"--route picks", {{"Monte", "101"}, {"Zenvro_Quarvel", "2417"}}, {},
       {"--dir", "DIR", "--route", "Monte"}, 0, "Monte", "101", {}},
      {"--route picks a route that holds '_'", {{"Monte", "101"}, {"Zenvro_Quarvel", "2417"}}, {},
       {"--dir", "DIR", "--route", "Zenvro_Quarvel"}, 0, "Zenvro_Quarvel", "2417", {}},
      {"--train picks", {{"Monte", "101"}, {"Zenvro_Quarvel", "2417"}}, {},
       {"--dir", "DIR", "--train", "2417"}, 0, "Zenvro_Quarvel", "2417", {}},
      {"--route leaves several trains", {{"Monte", "101"}, {"Monte", "102"}, {"Lago", "7"}}, {},
       {"--dir", "DIR", "--route", "Monte"}, 2, nullptr, nullptr,
       {"DIR holds 2 compiled scenarios of route Monte; choose one with --train:\n"
        "  Monte_101 (--route Monte --train 101)\n  Monte_102 (--route Monte --train 102)\n"}},
      {"--route of none there", {{"Monte", "101"}}, {}, {"--dir", "DIR", "--route", "Mnote"}, 3,
       nullptr, nullptr, {"no compiled scenario of route Mnote in DIR; it holds Monte_101\n"}},
      {"both names, among several", {{"Monte", "101"}, {"Monte", "102"}}, {},
       {"--dir", "DIR", "--route", "Monte", "--train", "102"}, 0, "Monte", "102", {}},
      {"a .sim named", {{"Monte", "101"}, {"Monte", "102"}}, {}, {"DIR/Monte_102.sim"}, 0,
       "Monte", "102", {}},
      {"a .sim whose route holds '_'", {{"Zenvro_Quarvel", "2417"}, {"Monte", "101"}}, {},
       {"DIR/Zenvro_Quarvel_2417.sim"}, 0, "Zenvro_Quarvel", "2417", {}},
      {"a .sim cut where --route says", {{"A_B", "1"}}, {}, {"DIR/A_B_1.sim", "--route", "A"}, 0,
       "A", "B_1", {}},
      {"a .sim that is not there", {{"Monte", "101"}}, {}, {"DIR/Monte_11.sim"}, 3, nullptr,
       nullptr, {"scenario-compiler: cannot read DIR/Monte_11.sim: NO_FILE\n"}},
      {"a cell file named", {{"Monte", "101"}}, {}, {"DIR/Monte_101.dat"}, 2, nullptr, nullptr,
       {"cannot take the route and train from DIR/Monte_101.dat (not ROUTE_TRAIN.sim)",
        "usage: scenario-compiler render"}},
      {"a .sim without a train", {{"Monte", "101"}}, {}, {"DIR/Monte.sim"}, 2, nullptr, nullptr,
       {"cannot take the route and train from DIR/Monte.sim"}},
      {"a .sim and --dir", {{"Monte", "101"}}, {}, {"DIR/Monte_101.sim", "--dir", "DIR"}, 2,
       nullptr, nullptr, {"or --dir, not both"}},
      {"a folder that is not there", {}, {}, {"--dir", "DIR/absent"}, 3, nullptr, nullptr,
       {"scenario-compiler: cannot read the folder DIR/absent: No such file or directory\n"}},
  };
  auto in_folder = [](std::string text, const std::string& dir) {
    // The program names the files it looks for with the system's separator.
    for (size_t at; (at = text.find("DIR/")) != std::string::npos;)
      text.replace(at, 4, dir + static_cast<char>(fs::path::preferred_separator));
    for (size_t at; (at = text.find("DIR")) != std::string::npos;) text.replace(at, 3, dir);
    return with_system_words(text);
  };
  for (const lookup_case& c : cases) {
    temp_folder t, output;
    for (const auto& [route, train] : c.scenarios) small_route().write(t.path(), route, train);
    for (const char* name : c.removed) fs::remove(t.file(name));
    std::vector<std::string> args = {"render", "-o", output.file("out.svg")};
    for (const std::string& a : c.args) args.push_back(in_folder(a, t.path()));
    cli_result r = run(args);
    EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
    for (const char* part : c.said)
      EXPECT_NE(r.err.find(in_folder(part, t.path())), std::string::npos)
          << c.what << ": " << r.err;
    if (c.status != 0) {
      EXPECT_FALSE(file_present(output.file("out.svg"))) << c.what;
      EXPECT_EQ(r.out, "") << c.what;
      continue;
    }
    EXPECT_EQ(r.err, "") << c.what;
    xml_element root = parse_xml(read_file(output.file("out.svg")));
    EXPECT_EQ(root.attribute("data-route"), c.route) << c.what;
    EXPECT_EQ(root.attribute("data-train"), c.train) << c.what;
    // The route's plan is found by the route's name: a name cut in the wrong place misses it.
    bool plan_expected = file_present(t.file(plan_file_name(c.route)));
    EXPECT_EQ(with_class(root, "plan").size(), plan_expected ? 1u : 0u) << c.what;
  }
}

// The picture is SVG: -o names a .svg file (in any letter case) or standard output, and
// anything else is refused before a file is read.
TEST(RenderCommand, TheOutputIsAnSvgFile) {
  struct output_case {
    const char* name;
    bool accepted;
  } cases[] = {
      {"out.svg", true},      {"out.SVG", true},  {"out.Svg", true},   {"out.png", false},
      {"out.svg.png", false}, {"out", false},     {"svg", false},      {"out.svgz", false},
      {"out.", false},        {"out svg", false},
  };
  for (const output_case& c : cases) {
    temp_folder t;
    small_route().write(t.path(), kRoute, kTrain);
    cli_result r = run({"render", "--dir", t.path(), "-o", t.file(c.name)});
    if (c.accepted) {
      EXPECT_EQ(r.status, 0) << c.name << ": " << r.err;
      EXPECT_EQ(read_file(t.file(c.name)).rfind("<?xml", 0), 0u) << c.name;
      continue;
    }
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_EQ(r.err.rfind("scenario-compiler: will not write " + t.file(c.name) +
                              ": the picture is SVG, so its file name ends in .svg\n",
                          0),
              0u)
        << c.name << ": " << r.err;
    EXPECT_FALSE(file_present(t.file(c.name))) << c.name;
  }
  // Refused before anything is read: a folder that is not there is not even looked at.
  cli_result r = run({"render", "--dir", "/nonexistent/folder", "-o", "picture.png"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err.find("/nonexistent/folder"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("will not write picture.png"), std::string::npos) << r.err;
}

TEST(RenderCommand, MissingAndDamagedFiles) {
  struct row {
    const char* what;
    void (*damage)(const temp_folder&);
    int status;
    const char* file;     // the file the message must name
    const char* message;  // and what it must say
  } rows[] = {
      {"no cell file", [](const temp_folder& t) { std::filesystem::remove(t.file("Zenvro_Quarvel_2417.dat")); },
       3, "Zenvro_Quarvel_2417.dat", "NO_FILE"},
      {"no record file", [](const temp_folder& t) { std::filesystem::remove(t.file("Zenvro_Quarvel_2417.sim")); },
       3, "Zenvro_Quarvel_2417.sim", "NO_FILE"},
      {"a folder for the plan",
       [](const temp_folder& t) {
         std::filesystem::remove(t.file("Zenvro_Quarvel_linea.dat"));
         std::filesystem::create_directory(t.file("Zenvro_Quarvel_linea.dat"));
       },
       3, "Zenvro_Quarvel_linea.dat", "it is a folder"},
      {"cells cut short",
       [](const temp_folder& t) {
         std::string bytes = read_file(t.file("Zenvro_Quarvel_2417.dat"));
         write_file(t.file("Zenvro_Quarvel_2417.dat"), bytes.substr(0, 15 * 20 + 7));
       },
       1, "Zenvro_Quarvel_2417.dat", ": not a valid track cell file: at byte 300: the file ends"},
      {"records with bytes after the last entry",
       [](const temp_folder& t) {
         std::string bytes = read_file(t.file("Zenvro_Quarvel_2417.sim"));
         write_file(t.file("Zenvro_Quarvel_2417.sim"), bytes + "xy");
       },
       1, "Zenvro_Quarvel_2417.sim", ": not a valid scenario record file: at byte "},
      {"a plan entry with a bad type code",
       [](const temp_folder& t) {
         std::string bytes = read_file(t.file("Zenvro_Quarvel_linea.dat"));
         bytes[8] = 9;  // the third x entry's type code
         write_file(t.file("Zenvro_Quarvel_linea.dat"), bytes);
       },
       1, "Zenvro_Quarvel_linea.dat", ": not a valid route plan file: at byte 8: "},
      {"a plan point that is not a number",
       [](const temp_folder& t) {
         std::string bytes = read_file(t.file("Zenvro_Quarvel_linea.dat"));
         for (int i = 10; i < 18; ++i) bytes[i] = '\xff';  // the double of the third x: a NaN
         write_file(t.file("Zenvro_Quarvel_linea.dat"), bytes);
       },
       1, "Zenvro_Quarvel_linea.dat",
       ": not a valid route plan file: at byte 8: the x of metre 2 is not a finite number"},
  };
  for (const row& r : rows) {
    temp_folder t;
    small_route().write(t.path(), kRoute, kTrain);
    r.damage(t);
    // Named, so that the files are read rather than looked for.
    cli_result result = run({"render", "--dir", t.path(), "--route", kRoute, "--train", kTrain,
                             "-o", t.file("out.svg")});
    EXPECT_EQ(result.status, r.status) << r.what;
    std::string named = r.status == 3 ? "scenario-compiler: cannot read " + t.file(r.file) + ": "
                                      : "scenario-compiler: " + t.file(r.file);
    EXPECT_EQ(result.err.rfind(named, 0), 0u) << r.what << ": " << result.err;
    EXPECT_NE(result.err.find(with_system_words(r.message)), std::string::npos)
        << r.what << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << r.what << ": " << result.err;
    EXPECT_FALSE(file_present(t.file("out.svg"))) << r.what;
  }
}

TEST(RenderCommand, AnOutputThatCannotBeWritten) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain);
  std::string output = t.file("no such folder/out.svg");
  cli_result r = run({"render", "--dir", t.path(), "-o", output});
  EXPECT_EQ(r.status, 3);
  EXPECT_NE(r.err.find(output), std::string::npos) << r.err;
}

// Where -o points: a picture replaces a regular file or a link to one, and nothing else. A
// folder, device, FIFO or socket there is refused with status 3 and left as it was; one of the
// files read is refused as wrong usage; "-" is standard output.
TEST(RenderCommand, TheOutputTargets) {
  enum kind { none, regular, link, folder, device, fifo, socket };
  auto kind_at = [](const std::string& path) {
    std::error_code ec;
    switch (fs::symlink_status(path, ec).type()) {
      case fs::file_type::symlink: return link;
      case fs::file_type::regular: return regular;
      case fs::file_type::directory: return folder;
      case fs::file_type::character: return device;
      case fs::file_type::fifo: return fifo;
      case fs::file_type::socket: return socket;
      default: return none;
    }
  };
  struct target_case {
    const char* what;
    // Makes the target in the folder and gives the -o argument; empty: cannot be made here.
    std::function<std::string(const temp_folder&)> make;
    int status;
    const char* message;  // part of standard error
    kind after;           // what stands at the target afterwards
  };
  const std::string cells = cells_file_name(kRoute, kTrain);
  const target_case cases[] = {
      {"a new file", [](const temp_folder& t) { return t.file("new.svg"); }, 0, "", regular},
      {"an old file",
       [](const temp_folder& t) {
         write_file(t.file("old.svg"), "old");
         return t.file("old.svg");
       },
       0, "", regular},
      {"a folder",
       [](const temp_folder& t) {
         fs::create_directory(t.file("pictures.svg"));
         return t.file("pictures.svg");
       },
       3, "it is a folder, not a regular file", folder},
      {"the cells read", [&](const temp_folder& t) { return t.file(cells); }, 2,
       "its file name ends in .svg", regular},
      // Links need a privilege on Windows (and Wine makes none); devices, FIFOs and sockets in a
      // folder are POSIX's.
#ifndef _WIN32
      {"a link to a file",
       [](const temp_folder& t) {
         write_file(t.file("kept.svg"), "kept");
         fs::create_symlink(t.file("kept.svg"), t.file("link.svg"));
         return t.file("link.svg");
       },
       0, "", regular},
      {"a link to a folder",
       [](const temp_folder& t) {
         fs::create_directory(t.file("pictures"));
         fs::create_symlink(t.file("pictures"), t.file("link.svg"));
         return t.file("link.svg");
       },
       3, "it is a folder, not a regular file", link},
      {"a device that is always full",
       [](const temp_folder& t) {
         bool made = mknod(t.file("full.svg").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
         return made ? t.file("full.svg") : std::string();
       },
       3, "it is a device, not a regular file", device},
      {"a FIFO",
       [](const temp_folder& t) {
         mkfifo(t.file("pipe.svg").c_str(), 0666);
         return t.file("pipe.svg");
       },
       3, "it is a FIFO, not a regular file", fifo},
      {"a socket",
       [](const temp_folder& t) {
         int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         std::string path = t.file("socket.svg");
         if (path.size() >= sizeof address.sun_path) return std::string();
         std::copy(path.begin(), path.end(), address.sun_path);
         bool made = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
         close(fd);
         return made ? path : std::string();
       },
       3, "it is a socket, not a regular file", socket},
      {"a link to the records read",
       [](const temp_folder& t) {
         fs::create_symlink(t.file(records_file_name(kRoute, kTrain)), t.file("link.svg"));
         return t.file("link.svg");
       },
       2, "is the input", link},
#endif
  };
  for (const target_case& c : cases) {
    temp_folder t;
    small_route().write(t.path(), kRoute, kTrain);
    std::string cells_before = read_file(t.file(cells));
    std::string target = c.make(t);
    if (target.empty()) {
      ADD_FAILURE() << c.what << ": cannot be made here";
      continue;
    }
    cli_result r = run({"render", "--dir", t.path(), "-o", target});
    EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << ": " << r.err;
    EXPECT_EQ(kind_at(target), c.after) << c.what;
    EXPECT_EQ(read_file(t.file(cells)), cells_before) << c.what;
    if (c.status == 0) {
      EXPECT_EQ(r.out, "wrote " + target + "\n") << c.what;
      EXPECT_EQ(read_file(target).rfind("<?xml", 0), 0u) << c.what;
    } else {
      EXPECT_EQ(r.out, "") << c.what;
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), c.status == 2 ? 2 : 1) << r.err;
    }
    if (c.after == folder) {
      EXPECT_TRUE(fs::is_empty(target)) << c.what;
    }
    if (std::string(c.what) == "a link to a file") {
      EXPECT_EQ(read_file(t.file("kept.svg")), "kept");
    }
    // Only the target and what the case made beside it: no temporary file is left.
    for (const std::string& name : names_in(t.path()))
      EXPECT_NE(name[0], '.') << c.what << ": " << name;
  }
}

TEST(RenderCommand, DashWritesThePictureToStandardOutput) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain);
  cli_result to_file = run({"render", "--dir", t.path(), "-o", t.file("out.svg")});
  ASSERT_EQ(to_file.status, 0) << to_file.err;
  std::vector<std::string> before = names_in(t.path());
  cli_result r = run({"render", "--dir", t.path(), "-o", "-"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, read_file(t.file("out.svg")));
  EXPECT_FALSE(file_present("-"));
  EXPECT_EQ(names_in(t.path()), before);
}

// Standard output that cannot take the picture (a full disk, say) is status 3, not success.
TEST(RenderCommand, DashIntoAnOutputThatFailsIsStatus3) {
  struct refusing_buffer : std::streambuf {
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
  } refusing;
  std::ostream out(&refusing);
  std::ostringstream err;
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain);
  int status = scenario_compiler_main({"render", "--dir", t.path(), "-o", "-"}, out, err);
  EXPECT_EQ(status, 3);
  EXPECT_EQ(err.str(), "scenario-compiler: cannot write the picture to standard output\n");
}

TEST(RenderCommand, WrongUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"render", "extra"}, {"render", "--frobnicate"}, {"render", "-o"},
        {"render", "--route="}, {"render", "--no-plan"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args[1];
    EXPECT_NE(r.err.find("usage: scenario-compiler render"), std::string::npos) << r.err;
  }
}

}  // namespace
