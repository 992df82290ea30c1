#include "archive/LinkChecker.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "testing/LocalFtpServer.h"
#include "testing/LocalHttpServer.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TempFolder.h"

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(SplitCheckedAddress, SplitsLikeThePlatformSplitterWithItsLimits) {
  struct Case {
    std::string address;
    std::optional<CheckedAddress> split;
  };
  const Case cases[] = {
      {"http://h.org/p/q.htm?x=1#frag", CheckedAddress{"http", "h.org", 0, "/p/q.htm?x=1"}},
      {"HTTPS://h.org:8443", CheckedAddress{"https", "h.org", 8443, "/"}},
      {"ftp://user@h.org/pub/f.zip", CheckedAddress{"ftp", "h.org", 0, "/pub/f.zip"}},
      {"file:///tmp/x.htm", CheckedAddress{"file", "", 0, "/tmp/x.htm"}},
      {"javascript:go()", CheckedAddress{"javascript", "", 0, "go()"}},
      {"Index.html", std::nullopt},
      {"http:page.htm", std::nullopt},
      {"http://h.org:80x/", std::nullopt},
      {"http://" + std::string(255, 'h') + "/", CheckedAddress{"http", std::string(255, 'h'), 0, "/"}},
      {"http://" + std::string(256, 'h') + "/", std::nullopt},
      {"http://h/" + std::string(2082, 'p'), CheckedAddress{"http", "h", 0, "/" + std::string(2082, 'p')}},
      {"http://h/" + std::string(2083, 'p'), std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<CheckedAddress> split = SplitCheckedAddress(c.address);
    ASSERT_EQ(split.has_value(), c.split.has_value()) << c.address;
    if (!split) continue;
    EXPECT_EQ(split->scheme, c.split->scheme) << c.address;
    EXPECT_EQ(split->host, c.split->host) << c.address;
    EXPECT_EQ(split->port, c.split->port) << c.address;
    EXPECT_EQ(split->path, c.split->path) << c.address;
  }
}

TEST(LinkChecker, PassesHttpAnswersBelow300Only) {
  testing::LocalHttpServer server;
  server.Answer("/ok.htm", 200);
  server.Answer("/moved.htm", 301);
  server.Answer("/q?x=1", 200);
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  const std::string origin = server.origin();
  EXPECT_TRUE(checker.CheckReference(origin + "/ok.htm"));
  EXPECT_FALSE(checker.CheckReference(origin + "/moved.htm"));
  EXPECT_FALSE(checker.CheckReference(origin + "/missing.htm"));
  EXPECT_TRUE(checker.CheckReference(origin + "/q?x=1#part"));
  EXPECT_THAT(server.requests(), ElementsAre("/ok.htm", "/moved.htm", "/missing.htm", "/q?x=1"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(LinkChecker, ChecksHttpsOverTheNetworkLikeHttp) {
  testing::LocalHttpServer plainServer;
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  // The server speaks no TLS, so the check fails, but it reached the server without a message.
  EXPECT_FALSE(checker.CheckReference("https://127.0.0.1:" + std::to_string(plainServer.port()) + "/a"));
  EXPECT_THAT(plainServer.requests(), ElementsAre("<tls>"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(LinkChecker, FailsSilentlyWhenNothingAnswers) {
  int closedPort;
  {
    testing::LocalHttpServer gone;
    closedPort = gone.port();
  }
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  EXPECT_FALSE(checker.CheckReference("http://127.0.0.1:" + std::to_string(closedPort) + "/a"));
  EXPECT_FALSE(checker.CheckReference("http://" + std::string(256, 'h') + "/"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(LinkChecker, OpensFtpFilesOnly) {
  testing::TempFolder root;
  testing::WriteTestFile(root / "pub/a.txt", "content");
  testing::WriteTestFile(root / "pub/empty.txt", "");
  testing::LocalFtpServer server(root.path());
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  EXPECT_TRUE(checker.CheckReference(server.origin() + "/pub/a.txt"));
  EXPECT_TRUE(checker.CheckReference(server.origin() + "/pub/empty.txt"));
  EXPECT_FALSE(checker.CheckReference(server.origin() + "/pub/missing.txt"));
  EXPECT_FALSE(checker.CheckReference(server.origin() + "/pub/"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(LinkChecker, ChecksFileAddressesByAccessWithoutTheNetwork) {
  testing::TempFolder folder;
  testing::WriteTestFile(folder / "here.htm", "x");
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  EXPECT_TRUE(checker.CheckReference("file://" + folder / "here.htm"));
  EXPECT_FALSE(checker.CheckReference("file://" + folder / "gone.htm"));
  EXPECT_THAT(prompt.told, IsEmpty());
}

TEST(LinkChecker, ReportsOtherSchemesAndFailsThem) {
  testing::ScriptedPrompt prompt{false};
  LinkChecker checker(prompt);
  EXPECT_FALSE(checker.CheckReference("mailto:someone@example.org"));
  EXPECT_FALSE(checker.CheckReference("gopher://g.example.org/1"));
  EXPECT_THAT(prompt.told, ElementsAre(testing::PromptCall{"URLschemata nicht erkannt", "mailto:someone@example.org"},
                                       testing::PromptCall{"URLschemata nicht erkannt", "gopher://g.example.org/1"}));
}

// Stops the work at its `stopAt`-th advance and counts the advances.
class StopAtAdvance : public cache::WorkProgress {
 public:
  explicit StopAtAdvance(int stopAt) : stopAt_(stopAt) {}
  bool Advance(uint64_t, uint64_t) override { return ++advances < stopAt_; }
  int advances = 0;

 private:
  int stopAt_;
};

// A port that takes connections and never answers: without a stop a check there would wait for
// the stall limit (a minute).
int SilentPort(int& socketFd) {
  socketFd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  ::bind(socketFd, reinterpret_cast<sockaddr*>(&address), length);
  ::listen(socketFd, 4);
  ::getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

TEST(LinkChecker, AStopEndsTheRequestUnderWayAndFailsEveryLaterCheckWithoutTheNetwork) {
  int socketFd = -1;
  const std::string silent = "http://127.0.0.1:" + std::to_string(SilentPort(socketFd)) + "/a";
  testing::LocalHttpServer server;
  server.Answer("/ok.htm", 200);
  testing::ScriptedPrompt prompt{false};
  StopAtAdvance work(3);  // before the check, then while the request waits
  LinkChecker checker(prompt, &work);
  EXPECT_FALSE(checker.CheckReference(silent));
  EXPECT_TRUE(checker.Stopped());
  EXPECT_FALSE(checker.CheckReference(server.origin() + "/ok.htm"));
  EXPECT_THAT(server.requests(), IsEmpty());
  EXPECT_EQ(work.advances, 3);
  ::close(socketFd);
}

}  // namespace
}  // namespace vantry::archive
