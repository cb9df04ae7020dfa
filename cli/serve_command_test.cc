#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "cli/run_cli.h"
#include "testing/temp_folder.h"

namespace {

using namespace std::chrono_literals;
using json = nlohmann::json;

// The program running `serve` in a child process, its standard output read line by line.
class serving {
 public:
  explicit serving(const std::vector<std::string>& args) {
    int out[2];
    if (pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      close(out[0]);
      close(out[1]);
      std::vector<char*> argv = {const_cast<char*>(SC_EXECUTABLE), const_cast<char*>("serve")};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(SC_EXECUTABLE, argv.data());
      _exit(127);
    }
    close(out[1]);
    out_ = out[0];
  }
  ~serving() {
    if (pid_ > 0 && !ended_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  // The next line of standard output, or "" when none comes within a few seconds.
  std::string line() {
    const auto until = std::chrono::steady_clock::now() + 5s;
    for (;;) {
      size_t end = buffer_.find('\n');
      if (end != std::string::npos) {
        std::string l = buffer_.substr(0, end);
        buffer_.erase(0, end + 1);
        return l;
      }
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          until - std::chrono::steady_clock::now());
      pollfd p{out_, POLLIN, 0};
      if (left <= 0ms || poll(&p, 1, static_cast<int>(left.count())) <= 0) return "";
      char chunk[512];
      ssize_t n = read(out_, chunk, sizeof chunk);
      if (n <= 0) return "";
      buffer_.append(chunk, static_cast<size_t>(n));
    }
  }

  // Sends `signal` and returns the exit status, or -1 when it did not end within seconds.
  int end_with(int signal) {
    kill(pid_, signal);
    for (int i = 0; i < 500; ++i) {
      int status = 0;
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      }
      std::this_thread::sleep_for(10ms);
    }
    return -1;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  bool ended_ = false;
  std::string buffer_;
};

// One GET on 127.0.0.1; the body, or "" when the status is not 200.
std::string get(int port, const std::string& path) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  timeval timeout{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return "";
  }
  const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" +
                              std::to_string(port) + "\r\nConnection: close\r\n\r\n";
  send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string all;
  char chunk[65536];
  for (ssize_t n; (n = recv(fd, chunk, sizeof chunk, 0)) > 0;) all.append(chunk, static_cast<size_t>(n));
  close(fd);
  if (all.rfind("HTTP/1.1 200", 0) != 0) return "";
  return all.substr(all.find("\r\n\r\n") + 4);
}

// The port from "serving ROUTE_TRAIN at http://127.0.0.1:PORT/".
int port_of(const std::string& first_line, const std::string& name) {
  const std::string head = "serving " + name + " at http://127.0.0.1:";
  if (first_line.rfind(head, 0) != 0 || !first_line.ends_with("/")) return 0;
  return std::stoi(first_line.substr(head.size()));
}

// The state once `ready` holds, waiting a few seconds at most.
json state_when(int port, const std::function<bool(const json&)>& ready) {
  json s;
  for (int i = 0; i < 250; ++i) {
    std::string body = get(port, "/state");
    if (!body.empty()) {
      s = json::parse(body);
      if (ready(s)) return s;
    }
    std::this_thread::sleep_for(20ms);
  }
  ADD_FAILURE() << "the state never became as awaited; last: " << s.dump();
  return s;
}

void replace_line(const std::string& path, const std::string& from, const std::string& to) {
  std::string text = read_file(path);
  size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  // As an editor saves: a new file renamed over the old one.
  write_file(path + ".swp", text);
  ASSERT_EQ(std::rename((path + ".swp").c_str(), path.c_str()), 0);
}

class ServeCommand : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(run({"export", "--out", author.path()}).status, 0);
    line = author.file("Zenvro_Quarvel_linea.txt");
    train = author.file("Zenvro_Quarvel_2417-.txt");
  }
  temp_folder author;
  std::string line, train;
};

TEST_F(ServeCommand, ShowsRendersPictureFollowsSavesAndKeepsTheLastGoodOneWhileBroken) {
  // What compile and render make of the same sources, elsewhere.
  temp_folder made;
  ASSERT_EQ(run({"compile", line, train, "--out", made.path()}).status, 0);
  ASSERT_EQ(run({"render", "--dir", made.path(), "-o", made.file("picture.svg")}).status, 0);
  const std::string rendered = read_file(made.file("picture.svg"));
  const std::string checked = run({"check", line, train}).out;

  serving serve({line, train, "--port", "0"});
  const int port = port_of(serve.line(), "Zenvro_Quarvel_2417");
  ASSERT_GT(port, 0);
  EXPECT_NE(serve.line().find(" ok, 0 warnings ("), std::string::npos);

  json s = state_when(port, [](const json& j) { return j["picture"] == 1; });
  EXPECT_EQ(s["summary"].get<std::string>() + "\n", checked);
  EXPECT_EQ(s["stale"], false);
  EXPECT_EQ(get(port, "/picture.svg"), rendered);

  // A row that cannot be read: the error with its file and line, as check prints it (the row's
  // Windows-1252 letters in UTF-8 once); the picture stays, stale.
  replace_line(train, "stazione,    6000,  2,  600,  0, 1, 0,  2,1,0,  2,1,1,   60,   8,32, 0, MORLENO",
               "stazione,    abc,  2,  600,  0, 1, 0,  2,1,0,  2,1,1,   60,   8,32, 0, MORL\xC8NO");
  const std::string told = run({"check", line, train}).err;
  s = state_when(port, [](const json& j) { return j["errors"] == 1; });
  EXPECT_EQ(s["stale"], true);
  EXPECT_EQ(s["picture"], 1);
  ASSERT_EQ(s["problems"].size(), 1u);
  EXPECT_EQ(s["problems"][0]["where"], train + ":31");
  EXPECT_NE(s["problems"][0]["text"].get<std::string>().find(train + ":31:14: error 25"),
            std::string::npos);
  EXPECT_EQ(s["problems"][0]["text"].get<std::string>() + "\n", told);
  EXPECT_EQ(get(port, "/picture.svg"), rendered);
  const std::string console = serve.line();
  EXPECT_NE(console.find(" 1 error, 0 warnings ("), std::string::npos) << console;
  EXPECT_TRUE(console.ends_with(" ms), first at " + train + ":31")) << console;

  // Fixed, with a new name: a new picture, no longer stale.
  replace_line(train, "stazione,    abc,  2,  600,  0, 1, 0,  2,1,0,  2,1,1,   60,   8,32, 0, MORL\xC8NO",
               "stazione,    6000,  2,  600,  0, 1, 0,  2,1,0,  2,1,1,   60,   8,32, 0, MORLANDO");
  s = state_when(port, [](const json& j) { return j["errors"] == 0 && j["picture"] > 1; });
  EXPECT_EQ(s["stale"], false);
  EXPECT_TRUE(s["problems"].empty());
  const std::string picture = get(port, "/picture.svg");
  EXPECT_NE(picture.find("MORLANDO"), std::string::npos);
  EXPECT_EQ(picture.find("MORLENO"), std::string::npos);

  // A source deleted: said, and watched until it is back.
  const std::string kept = read_file(line);
  std::remove(line.c_str());
  s = state_when(port, [](const json& j) { return !j["message"].get<std::string>().empty(); });
  EXPECT_NE(s["message"].get<std::string>().find("cannot read " + line), std::string::npos);
  EXPECT_EQ(s["stale"], true);
  // A folder in its place: said too.
  std::filesystem::create_directory(line);
  s = state_when(port, [](const json& j) {
    return j["message"].get<std::string>().find("folder") != std::string::npos;
  });
  EXPECT_NE(s["message"].get<std::string>().find("cannot read " + line), std::string::npos);
  std::filesystem::remove(line);
  write_file(line, kept);
  s = state_when(port, [](const json& j) { return j["message"] == "" && j["stale"] == false; });
  EXPECT_EQ(s["errors"], 0);

  EXPECT_EQ(serve.end_with(SIGINT), 0);
  // Nothing written beside the sources.
  EXPECT_EQ(names_in(author.path()),
            (std::vector<std::string>{"Zenvro_Quarvel_2417-.txt", "Zenvro_Quarvel_linea.txt"}));
}

TEST_F(ServeCommand, EndsCleanlyOnSigterm) {
  serving serve({line, train, "--port", "0"});
  ASSERT_GT(port_of(serve.line(), "Zenvro_Quarvel_2417"), 0);
  EXPECT_EQ(serve.end_with(SIGTERM), 0);
}

TEST_F(ServeCommand, APortInUseIsOneClearMessageAndStatus3) {
  const int taken = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(bind(taken, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(listen(taken, 1), 0);
  socklen_t size = sizeof a;
  getsockname(taken, reinterpret_cast<sockaddr*>(&a), &size);
  const std::string port = std::to_string(ntohs(a.sin_port));
  cli_result r = run({"serve", line, train, "--port", port});
  close(taken);
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "scenario-compiler: cannot listen on 127.0.0.1 port " + port +
                       ": Address already in use; choose another with --port\n");
}

TEST_F(ServeCommand, WrongUsage) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"serve", line}, {"serve", line, train, "--port", "http"},
        {"serve", line, train, "--port", "65536"}, {"serve", line, train, "--port", "-1"},
        {"serve", line, train, "--bind", "0.0.0.0"}}) {
    cli_result r = run(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_NE(r.err.find("usage: scenario-compiler serve"), std::string::npos) << args.back();
  }
}

}  // namespace
