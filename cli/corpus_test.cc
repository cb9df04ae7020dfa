// The regression corpus: variants of the built-in sources (rows moved, doubled, dropped,
// misspelt, out of range, crowding each other), each compiled as an author would with
// `compile --emit-on-fault`, held to the code it must record and the bytes it must write. The
// expected bytes were made apart from this program; the corpus is never edited to pass.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "cli/run_cli.h"
#include "testing/sha256.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

// The corpus's cases as the build unpacked them (SC_CORPUS_CASES), and what each must give.
const fs::path corpus_folder = SC_CORPUS;
constexpr int kShards = 16;

// The corpus's expectations, read once for every shard.
class Corpus : public testing::TestWithParam<int> {
 protected:
  static void SetUpTestSuite() {
    std::ifstream in(corpus_folder / "corpus.json");
    cases = new nlohmann::json(nlohmann::json::parse(in, nullptr, false));
  }
  static void TearDownTestSuite() { delete cases; }
  static nlohmann::json* cases;
};
nlohmann::json* Corpus::cases = nullptr;

// What a run gave: its status, the last code it reported, the stamping message's code, and the
// digest of every file it wrote.
struct outcome {
  int status = 0;
  int code = 0;
  std::string shown;
  std::map<std::string, std::string> files;
  std::string messages;
};

outcome compile_case(const std::string& sources, bool plan) {
  temp_folder out;
  std::vector<std::string> args = {"compile", sources + "/Zenvro_Quarvel_linea.txt",
                                   sources + "/Zenvro_Quarvel_2417-.txt", "--out", out.path(),
                                   "--emit-on-fault"};
  if (!plan) args.push_back("--no-plan");
  const cli_result r = run(args);
  outcome o;
  o.status = r.status;
  o.messages = r.err;
  static const std::regex reported(R"(: error (\d+): )");
  for (std::sregex_iterator it(r.err.begin(), r.err.end(), reported), end; it != end; ++it)
    o.code = std::stoi((*it)[1]);
  static const std::regex stamping(R"(^ Errore n\. (\d+)$)", std::regex::multiline);
  std::smatch shown;
  if (std::regex_search(r.err, shown, stamping)) o.shown = shown[1];
  for (const fs::directory_entry& e : fs::directory_iterator(out.path()))
    o.files[e.path().filename().string()] = sha256_hex(read_file(e.path().string()));
  return o;
}

TEST_P(Corpus, EveryCaseGivesItsCodeAndBytes) {
  ASSERT_TRUE(fs::exists(corpus_folder / "corpus.json"))
      << "no corpus at " << corpus_folder << " (shared/ beside the project's folder)";
  ASSERT_TRUE(fs::exists(fs::path(SC_CORPUS_CASES) / "unpacked"))
      << "the build did not unpack the corpus into " << SC_CORPUS_CASES;
  ASSERT_FALSE(cases->is_discarded());
  const nlohmann::json& all = (*cases)["cases"];
  ASSERT_GE(all.size(), 1600u);
  int index = 0;
  for (const auto& [name, want] : all.items()) {
    if (index++ % kShards != GetParam()) continue;
    SCOPED_TRACE("case " + name + " (" + want.value("from", "") + ")");
    const std::string sources = std::string(SC_CORPUS_CASES) + "/cases/" + name;
    const outcome got = compile_case(sources, want.at("plan").get<bool>());
    if (want.value("refused", false)) {
      // The format does not define the input: any refusal is right, but it must be one.
      EXPECT_TRUE(got.code != 0 || got.status == 1 || got.status == 3) << got.messages;
      continue;
    }
    const int code = want.at("error_code").get<int>();
    const std::string shown = want.at("shown").is_null() ? "" : want.at("shown").get<std::string>();
    EXPECT_EQ(got.code, code) << got.messages;
    EXPECT_EQ(got.shown, shown) << got.messages;
    EXPECT_EQ(got.status, code == 0 && shown.empty() ? 0 : 1) << got.messages;
    std::map<std::string, std::string> files;
    for (const auto& [file, digest] : want.at("files").items()) files[file] = digest;
    EXPECT_EQ(got.files, files) << got.messages;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, Corpus, testing::Range(0, kShards));

}  // namespace
