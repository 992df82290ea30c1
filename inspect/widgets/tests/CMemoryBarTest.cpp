#include "inspect/widgets/CMemoryBar.h"

#include <algorithm>

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "files/WholeFile.h"
#include "inspect/widgets/HexView.h"
#include "testing/TempFolder.h"

namespace vantry::inspect {

namespace {

TEST(CMemoryBar, StartsWithFourBytesInTheAddressColumn) {
  CMemoryBar bar(nullptr, [] {});
  EXPECT_EQ(bar.View()->Model().Data(), std::string("\0\1\2\3", 4));
  EXPECT_EQ(bar.View()->Model().Column(), kAddressColumn);
  EXPECT_EQ(bar.AddressField()->text(), "0x00000000");
  EXPECT_EQ(bar.AddressField()->accessibleName(), "Address");
  auto* label = bar.findChild<QLabel*>();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "&Address:");
  EXPECT_EQ(label->buddy(), bar.AddressField());
}

TEST(CMemoryBar, ShowBytesBeepsShowsTheBytesAndSetsTheAddressDefault) {
  int beeps = 0;
  CMemoryBar bar(nullptr, [&] { ++beeps; });
  const std::string cookie = "id=42; theme=dark; x";  // 20 bytes
  const std::string longer(45, 'c');
  struct Step {
    const std::string* bytes;
    QString expectedDefault;
  } steps[] = {
      {&cookie, "14"},
      {&cookie, "14"},  // the same bytes again still beep
      {nullptr, "0"},   // an address without cookies clears the view
      {&longer, "2d"},
  };
  int expectedBeeps = 0;
  for (const Step& step : steps) {
    bar.ShowBytes(step.bytes ? static_cast<int>(step.bytes->size()) : 0, step.bytes ? step.bytes->data() : nullptr);
    EXPECT_EQ(beeps, ++expectedBeeps);
    EXPECT_EQ(bar.AddressDefault(), step.expectedDefault);
    EXPECT_TRUE(bar.AddressField()->text().startsWith("0x" + step.expectedDefault))
        << bar.AddressField()->text().toStdString();
    EXPECT_EQ(bar.View()->Model().Data(), step.bytes ? *step.bytes : "");
    EXPECT_EQ(bar.View()->Model().HasData(), step.bytes != nullptr);
  }
  bar.ShowBytes(20, cookie.data());
  EXPECT_EQ(bar.View()->Model().Column(), kHexHighDigit);
  EXPECT_EQ(bar.View()->Model().RowCells(2).substr(0, 8), "00000010");
}

TEST(CMemoryBar, AddressFieldTakesOnlyHexDigits) {
  CMemoryBar bar(nullptr, [] {});
  bar.show();
  QLineEdit* field = bar.AddressField();
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "0xzz1f");
  EXPECT_TRUE(field->text().startsWith("0x1f")) << field->text().toStdString();
}

// An entry without cookie text shows its cached file: read when the bar is visible, at most
// the first MiB, and edits in the view never reach the file.
TEST(CMemoryBar, ShowFileReadsTheCachedFileLazilyAndNeverWritesIt) {
  testing::TempFolder folder;
  const std::string small = (folder.path() / "page.html").string();
  const std::string big = (folder.path() / "video.bin").string();
  const std::string html = "<html><body>cached</body></html>";
  ASSERT_TRUE(files::WriteWholeFile(small, html));
  std::string bytes(CMemoryBar::kFileStartShown + 4096, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  ASSERT_TRUE(files::WriteWholeFile(big, bytes));

  int beeps = 0;
  CMemoryBar bar(nullptr, [&] { ++beeps; });
  bar.ShowFile(small);  // hidden: nothing read yet
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(bar.View()->Model().Length(), 4);
  bar.show();
  EXPECT_EQ(bar.View()->Model().Data(), html);
  EXPECT_EQ(bar.AddressDefault(), QString::number(html.size(), 16));

  bar.ShowFile(big);
  EXPECT_EQ(bar.View()->Model().Data(), std::string_view(bytes).substr(0, CMemoryBar::kFileStartShown));
  EXPECT_EQ(bar.AddressDefault(), "100000");

  bar.ShowFile(small);
  bar.View()->setFocus();
  QTest::keyClick(bar.View(), Qt::Key_Delete);
  QTest::keyClicks(bar.View(), "ff");
  EXPECT_NE(bar.View()->Model().Data(), html);
  EXPECT_EQ(files::ReadWholeFile(small), html);

  bar.ShowFile((folder.path() / "gone.html").string());
  EXPECT_FALSE(bar.View()->Model().HasData());
  bar.ShowBytes(3, "a=1");  // a cookie text drops a file not yet read
  EXPECT_EQ(bar.View()->Model().Data(), "a=1");
}

TEST(CMemoryBar, EnterInTheAddressFieldMovesTheCaretThere) {
  CMemoryBar bar(nullptr, [] {});
  bar.resize(400, 200);
  bar.show();
  const std::string bytes(0x400, 'x');
  bar.ShowBytes(static_cast<int>(bytes.size()), bytes.data());
  QLineEdit* field = bar.AddressField();
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "0x000002a5");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(bar.View()->Model().CaretIndex(), 0x2a5);
  EXPECT_LE(bar.View()->Model().TopIndex(), 0x2a5);
  EXPECT_GT(bar.View()->Model().TopIndex() + bar.View()->Model().RowsPerPage() * kBytesPerRow, 0x2a5);
  EXPECT_EQ(bar.focusWidget(), bar.View());
}

TEST(CMemoryBar, LaysOutLabelFieldAndView) {
  CMemoryBar bar(nullptr, [] {});
  bar.resize(300, 200);
  bar.show();
  QLabel* label = bar.findChild<QLabel*>();
  const int labelWidth = std::max(45, label->sizeHint().width());
  EXPECT_EQ(label->geometry(), QRect(2, 2, labelWidth, 20));
  EXPECT_EQ(bar.AddressField()->geometry(), QRect(labelWidth + 2, 0, 298 - labelWidth, 20));
  EXPECT_EQ(bar.View()->geometry(), QRect(0, 23, 300, 177));
}

}  // namespace

}  // namespace vantry::inspect
