#include "archive/TreeCopyPlan.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vantry::archive {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> PathsOf(const TreeCopyPlan& plan) {
  std::vector<std::string> paths;
  for (const PlannedFile& file : plan.files()) paths.push_back(file.path);
  return paths;
}

TreeCopyPlan Planned(const std::vector<std::pair<std::string, std::string>>& entries) {
  TreeCopyPlan plan;
  for (const auto& [url, contentType] : entries) plan.AddHostEntry(url, *ParseUrl(url), "cached", contentType);
  plan.NameHostEntries();
  return plan;
}

TEST(TreeCopyPlan, NoTwoAddressesShareAFileAndNoFileTakesAFoldersName) {
  const TreeCopyPlan plan = Planned({
      {"http://s/", "text/html"},
      {"http://s/index.html", "text/html"},
      {"http://s/docs/", "text/html"},
      {"http://s/docs.html", "text/html"},
      {"http://s/docs/guide.html", "text/html"},
      {"http://s/a", ""},
      {"http://s/a/b.gif", "image/gif"},
      {"http://s/x%20y.png", "image/png"},
      {"http://s/x_y.png", "image/png"},
      {"http://s/dot.gif?n=1", "image/gif"},
      {"http://s/dot.gif?n=2", "image/gif"},
      {"http://s/dot.gif", "image/gif"},
  });
  EXPECT_THAT(PathsOf(plan), ElementsAre("s/index~2.html", "s/index.html", "s/docs~2.html", "s/docs.html",
                                         "s/docs/guide.html", "s/a~2", "s/a/b.gif", "s/x_y.png", "s/x_y~2.png",
                                         "s/dot@n=1.gif", "s/dot@n=2.gif", "s/dot.gif"));
  EXPECT_EQ(plan.Find("http://s/index.html")->url, "http://s/index.html");
  EXPECT_EQ(plan.Find("http://s/x%20y.png")->path, "s/x_y.png");
  EXPECT_EQ(plan.Find("http://s/nothing"), nullptr);
}

TEST(TreeCopyPlan, KeepsSchemesHostsAndPortsInFoldersOfTheirOwn) {
  TreeCopyPlan plan = Planned({
      {"http://127.0.0.1:8091/", "text/html"},
      {"http://127.0.0.1:8092/", "text/html"},
      {"https://127.0.0.1:8091/", "text/html"},
  });
  const std::size_t added = plan.AddFromOtherServer("http://cdn.test/lib/a.js", *ParseUrl("http://cdn.test/lib/a.js"),
                                                    "cached", "text/javascript");
  EXPECT_THAT(PathsOf(plan), ElementsAre("127.0.0.1_8091/index.html", "127.0.0.1_8092/index.html",
                                         "https_127.0.0.1_8091/index.html", "cdn.test/lib/a.js"));
  EXPECT_FALSE(plan.files()[added].ofHost);
  EXPECT_EQ(plan.Find("http://cdn.test/lib/a.js")->path, "cdn.test/lib/a.js");
}

TEST(TreeCopyPlan, ARequisiteWhoseFolderIsTakenByAFileGoesFlat) {
  TreeCopyPlan plan = Planned({{"http://s/a", "text/plain"}});
  plan.AddFromOtherServer("http://s/a/b.png", *ParseUrl("http://s/a/b.png"), "cached", "image/png");
  EXPECT_THAT(PathsOf(plan), ElementsAre("s/a.txt", "s/a/b.png"));
  plan.AddFromOtherServer("http://s/a.txt/c.png", *ParseUrl("http://s/a.txt/c.png"), "cached", "image/png");
  EXPECT_EQ(plan.files().back().path, "s/s_a_txt_c.png");
}

}  // namespace
}  // namespace vantry::archive
