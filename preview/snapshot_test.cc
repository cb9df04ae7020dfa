#include "preview/snapshot.h"

#include <thread>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {

using namespace std::chrono_literals;

compile_outcome good(const std::string& svg) {
  compile_outcome o;
  o.picture = std::make_shared<const std::string>(svg);
  o.summary = "R_1: route 1000 m";
  return o;
}

compile_outcome broken(int errors) {
  compile_outcome o;
  o.errors = errors;
  o.problems.push_back({true, "R_linea.txt:4", "R_linea.txt:4:1: error 45: ...", 400.0, 10.0, 20.0});
  return o;
}

TEST(SnapshotStore, KeepsTheLastGoodPictureMarkedStaleWhileTheSourcesHaveErrors) {
  snapshot_store store;
  EXPECT_EQ(store.latest()->version, 0);

  store.publish(broken(1));  // no good picture yet: nothing to be stale
  auto s = store.latest();
  EXPECT_EQ(s->version, 1);
  EXPECT_EQ(s->picture_version, 0);
  EXPECT_FALSE(s->stale);
  EXPECT_EQ(s->outcome.picture, nullptr);

  store.publish(good("<svg>one</svg>"));
  s = store.latest();
  EXPECT_EQ(s->version, 2);
  EXPECT_EQ(s->picture_version, 2);
  EXPECT_FALSE(s->stale);

  store.publish(broken(2));
  s = store.latest();
  EXPECT_EQ(s->version, 3);
  EXPECT_TRUE(s->stale);
  EXPECT_EQ(s->picture_version, 2);
  ASSERT_NE(s->outcome.picture, nullptr);
  EXPECT_EQ(*s->outcome.picture, "<svg>one</svg>");
  EXPECT_EQ(s->outcome.errors, 2);  // the problems are the latest compile's

  store.publish(good("<svg>two</svg>"));
  s = store.latest();
  EXPECT_FALSE(s->stale);
  EXPECT_EQ(s->picture_version, 4);
  EXPECT_EQ(*s->outcome.picture, "<svg>two</svg>");
  EXPECT_TRUE(s->outcome.problems.empty());
}

TEST(SnapshotStore, AReaderHoldsItsSnapshotWhileNewOnesArePublished) {
  snapshot_store store;
  store.publish(good("<svg>one</svg>"));
  auto held = store.latest();
  store.publish(good("<svg>two</svg>"));
  EXPECT_EQ(*held->outcome.picture, "<svg>one</svg>");
  EXPECT_EQ(*store.latest()->outcome.picture, "<svg>two</svg>");
}

TEST(SnapshotStore, TellsOfEachPublicationUntilToldNoMore) {
  snapshot_store store;
  std::vector<long> seen;
  store.on_change([&](long) { seen.push_back(-1); });  // replaced before any publication
  store.on_change([&](long version) { seen.push_back(version); });
  std::thread publisher([&] { store.publish(good("a")); });
  publisher.join();
  store.publish(broken(1));
  EXPECT_EQ(seen, (std::vector<long>{1, 2}));
  store.on_change({});
  store.publish(good("b"));
  EXPECT_EQ(seen.size(), 2u);
}

TEST(StateJson, CarriesTheProblemsAndThePictureVersionNotThePicture) {
  snapshot_store store;
  EXPECT_EQ(nlohmann::json::parse(*store.latest()->state)["version"], 0);  // before any compile
  store.publish(good("<svg>secret-picture</svg>"));
  compile_outcome o = broken(1);
  o.warnings = 1;
  o.problems.push_back({false, "R_1-.txt:7", "R_1-.txt:7:3: warning: row \xe8 [-Wrange]",
                        std::nullopt, std::nullopt, std::nullopt});
  o.message = "";
  o.time = "12:00:00";
  o.milliseconds = 3.5;
  store.publish(o);
  const std::string text = state_json(*store.latest());
  EXPECT_EQ(*store.latest()->state, text);  // made once, at publication
  EXPECT_EQ(text.find("secret-picture"), std::string::npos);
  const nlohmann::json j = nlohmann::json::parse(text);  // valid UTF-8 despite the odd byte
  EXPECT_EQ(j["version"], 2);
  EXPECT_EQ(j["picture"], 1);
  EXPECT_EQ(j["stale"], true);
  EXPECT_EQ(j["errors"], 1);
  EXPECT_EQ(j["warnings"], 1);
  EXPECT_EQ(j["time"], "12:00:00");
  ASSERT_EQ(j["problems"].size(), 2u);
  EXPECT_EQ(j["problems"][0]["error"], true);
  EXPECT_EQ(j["problems"][0]["where"], "R_linea.txt:4");
  EXPECT_EQ(j["problems"][0]["metre"], 400.0);
  EXPECT_EQ(j["problems"][0]["plan"], nlohmann::json::array({10.0, 20.0}));
  EXPECT_EQ(j["problems"][1]["error"], false);
  EXPECT_FALSE(j["problems"][1].contains("metre"));
  EXPECT_FALSE(j["problems"][1].contains("plan"));
  EXPECT_EQ(j["problems"][1]["text"], "R_1-.txt:7:3: warning: row \xef\xbf\xbd [-Wrange]");
}

}  // namespace
