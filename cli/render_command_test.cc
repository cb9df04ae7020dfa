#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>

#include "files/binary_encoding.h"
#include "files/file_names.h"
#include "testing/sample_route.h"
#include "testing/temp_folder.h"
#include "testing/xml_tree.h"
#include "cli/commands.h"
#include "render/plan_geometry.h"
#include "testing/run_cli.h"

namespace {

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
    EXPECT_EQ(label.children[0].text, name + " at km 2.5") << cls;
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

TEST(RenderCommand, ReadsTheBuiltInNamesFromTheCurrentFolderByDefault) {
  temp_folder t;
  small_route().write(t.path(), kRoute, kTrain);
  std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(t.path());
  cli_result r = run({"render"});
  std::filesystem::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  ASSERT_TRUE(file_present(t.file("Zenvro_Quarvel_2417.svg")));
  parse_xml(read_file(t.file("Zenvro_Quarvel_2417.svg")));

  // Other names, given: the picture takes its name and title from them.
  small_route().write(t.path(), "Linea Nord", "99");
  std::filesystem::current_path(t.path());
  r = run({"render", "--route", "Linea Nord", "--train=99"});
  std::filesystem::current_path(before);
  EXPECT_EQ(r.status, 0) << r.err;
  xml_element root = parse_xml(read_file(t.file("Linea Nord_99.svg")));
  EXPECT_EQ(texts(root, "title"), (std::vector<std::string>{"Linea Nord, train 99"}));
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
       3, "Zenvro_Quarvel_2417.dat", "No such file or directory"},
      {"no record file", [](const temp_folder& t) { std::filesystem::remove(t.file("Zenvro_Quarvel_2417.sim")); },
       3, "Zenvro_Quarvel_2417.sim", "No such file or directory"},
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
    cli_result result = run({"render", "--dir", t.path(), "-o", t.file("out.svg")});
    EXPECT_EQ(result.status, r.status) << r.what;
    std::string named = r.status == 3 ? "scenario-compiler: cannot read " + t.file(r.file) + ": "
                                      : "scenario-compiler: " + t.file(r.file);
    EXPECT_EQ(result.err.rfind(named, 0), 0u) << r.what << ": " << result.err;
    EXPECT_NE(result.err.find(r.message), std::string::npos) << r.what << ": " << result.err;
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
    struct stat st;
    if (lstat(path.c_str(), &st) != 0) return none;
    if (S_ISLNK(st.st_mode)) return link;
    if (S_ISREG(st.st_mode)) return regular;
    if (S_ISDIR(st.st_mode)) return folder;
    if (S_ISCHR(st.st_mode)) return device;
    if (S_ISFIFO(st.st_mode)) return fifo;
    return S_ISSOCK(st.st_mode) ? socket : none;
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
      {"a link to a file",
       [](const temp_folder& t) {
         write_file(t.file("kept.svg"), "kept");
         fs::create_symlink(t.file("kept.svg"), t.file("link.svg"));
         return t.file("link.svg");
       },
       0, "", regular},
      {"a folder",
       [](const temp_folder& t) {
         fs::create_directory(t.file("pictures"));
         return t.file("pictures");
       },
       3, "it is a folder, not a regular file", folder},
      {"a link to a folder",
       [](const temp_folder& t) {
         fs::create_directory(t.file("pictures"));
         fs::create_symlink(t.file("pictures"), t.file("link.svg"));
         return t.file("link.svg");
       },
       3, "it is a folder, not a regular file", link},
      {"a device that is always full",
       [](const temp_folder& t) {
         bool made = mknod(t.file("full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
         return made ? t.file("full") : std::string();
       },
       3, "it is a device, not a regular file", device},
      {"a FIFO",
       [](const temp_folder& t) {
         mkfifo(t.file("pipe").c_str(), 0666);
         return t.file("pipe");
       },
       3, "it is a FIFO, not a regular file", fifo},
      {"a socket",
       [](const temp_folder& t) {
         int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         std::string path = t.file("socket");
         if (path.size() >= sizeof address.sun_path) return std::string();
         std::copy(path.begin(), path.end(), address.sun_path);
         bool made = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
         close(fd);
         return made ? path : std::string();
       },
       3, "it is a socket, not a regular file", socket},
      {"the cells read", [&](const temp_folder& t) { return t.file(cells); }, 2,
       "is the input", regular},
      {"a link to the records read",
       [](const temp_folder& t) {
         fs::create_symlink(t.file(records_file_name(kRoute, kTrain)), t.file("link.svg"));
         return t.file("link.svg");
       },
       2, "is the input", link},
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
