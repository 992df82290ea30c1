#include <QAbstractItemModelTester>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <gtest/gtest.h>

#include "testing/WidgetTestSupport.h"

namespace vantry::cache {

namespace {

using Texts = std::vector<std::string>;

class TabTreeModelTest : public ::testing::Test {
 protected:
  TabTreeModelTest() { model.ResetTree("Root", "placeholder"); }

  TabTreeModel model;
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

}  // namespace

TEST_F(TabTreeModelTest, ResetGivesABoldRootWithOnePlaceholder) {
  EXPECT_EQ(model.rowCount(), 1);
  EXPECT_EQ(model.TextAt(model.RootIndex()), "Root");
  EXPECT_EQ(testing::ChildTexts(model, model.RootIndex()), Texts{"placeholder"});
  EXPECT_TRUE(model.data(model.RootIndex(), Qt::FontRole).value<QFont>().bold());
  EXPECT_FALSE(model.data(testing::ChildAt(model, 0), Qt::FontRole).isValid());
}

TEST_F(TabTreeModelTest, ChildrenAndGrandchildrenAreReplacedAndFound) {
  model.ReplaceChildren(Texts{"b", "a"});
  EXPECT_EQ(testing::ChildTexts(model, model.RootIndex()), (Texts{"b", "a"}));
  EXPECT_EQ(model.rowCount(testing::ChildAt(model, 0)), 0);

  model.ReplaceChildren(std::vector<TabTreeModel::Child>{{"today", {"x", "y"}}, {"Monday", {}}, {"old", {"z", "y"}}});
  EXPECT_EQ(testing::ChildTexts(model, testing::ChildAt(model, 2)), (Texts{"z", "y"}));
  QModelIndex z = model.index(0, 0, testing::ChildAt(model, 2));
  EXPECT_EQ(model.TextAt(z), "z");
  EXPECT_EQ(model.parent(z), testing::ChildAt(model, 2));
  EXPECT_EQ(model.parent(testing::ChildAt(model, 2)), model.RootIndex());
  EXPECT_FALSE(model.parent(model.RootIndex()).isValid());
}

TEST_F(TabTreeModelTest, RemoveFirstLooksOnlyAtTheGivenLevel) {
  model.ReplaceChildren(std::vector<TabTreeModel::Child>{{"today", {"x", "y"}}, {"y", {}}, {"old", {"z", "y"}}});
  EXPECT_FALSE(model.RemoveFirst("today", 2));
  EXPECT_TRUE(model.RemoveFirst("y", 2));
  EXPECT_EQ(testing::ChildTexts(model, testing::ChildAt(model, 0)), Texts{"x"});
  EXPECT_EQ(testing::ChildTexts(model, testing::ChildAt(model, 2)), (Texts{"z", "y"}));
  EXPECT_TRUE(model.RemoveFirst("y", 1));
  EXPECT_EQ(testing::ChildTexts(model, model.RootIndex()), (Texts{"today", "old"}));
  EXPECT_FALSE(model.RemoveFirst("missing", 1));
}

TEST_F(TabTreeModelTest, BytesAreShownAsUtf8OrElseLatin1) {
  model.ReplaceChildren(Texts{"caf\xc3\xa9", "caf\xe9", "plain"});
  EXPECT_EQ(model.data(testing::ChildAt(model, 0)).toString(), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(model.data(testing::ChildAt(model, 1)).toString(), QString::fromUtf8("caf\xc3\xa9"));
  EXPECT_EQ(model.data(testing::ChildAt(model, 2)).toString(), QString("plain"));
  EXPECT_EQ(model.TextAt(testing::ChildAt(model, 1)), "caf\xe9");
  // The tool tip carries the same whole text, for items a narrow list cuts short.
  EXPECT_EQ(model.data(testing::ChildAt(model, 1), Qt::ToolTipRole).toString(), QString::fromUtf8("caf\xc3\xa9"));
}

// Each entry carries the icon of its kind; the root and the history's age folders keep theirs.
TEST_F(TabTreeModelTest, EntriesCarryTheIconOfTheirKind) {
  auto coloured = [](Qt::GlobalColor colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
  };
  TabTreeModel::KindIcons kinds;
  const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::cyan, Qt::magenta, Qt::yellow, Qt::gray};
  for (size_t i = 0; i < kinds.size(); ++i) kinds[i] = coloured(colours[i]);
  const QIcon root = coloured(Qt::black), folder = coloured(Qt::white);
  model.SetIcons(root, folder, kinds);
  auto iconOf = [&](const QModelIndex& index) {
    return model.data(index, Qt::DecorationRole).value<QIcon>().cacheKey();
  };
  auto kindIcon = [&](EntryKind kind) { return kinds[static_cast<size_t>(kind)].cacheKey(); };

  model.ReplaceChildren(Texts{"http://a.example/", "http://a.example/p.gif", "http://a.example/app.js",
                              "http://a.example/site.css", "Cookie:root@a.example/", "Visited: @http://a.example/",
                              "http://a.example/data.bin"});
  const EntryKind expected[] = {EntryKind::Page,   EntryKind::Image,   EntryKind::Script, EntryKind::StyleSheet,
                                EntryKind::Cookie, EntryKind::History, EntryKind::Other};
  for (int row = 0; row < 7; ++row) EXPECT_EQ(iconOf(testing::ChildAt(model, row)), kindIcon(expected[row])) << row;
  EXPECT_EQ(iconOf(model.RootIndex()), root.cacheKey());

  model.ReplaceChildren(
      std::vector<TabTreeModel::Child>{{"today", {"Visited: @http://a.example/x.html"}}, {"old", {}}});
  EXPECT_EQ(iconOf(testing::ChildAt(model, 0)), folder.cacheKey());
  EXPECT_EQ(iconOf(testing::ChildAt(model, 1)), folder.cacheKey());  // an empty folder is still a folder
  EXPECT_EQ(iconOf(model.index(0, 0, testing::ChildAt(model, 0))), kindIcon(EntryKind::History));
}

}  // namespace vantry::cache
