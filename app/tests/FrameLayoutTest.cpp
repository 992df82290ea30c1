// The bar layout: default places and sizes, saved as "Bar_State" on close, restored at start.
#include <QDockWidget>
#include <QSettings>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/tests/FrameTestSupport.h"

namespace vantry::app {

namespace {

TEST_F(FrameTest, FirstStartPutsTheDocksAtTheirDefaultPlaces) {
  auto frame = MakeFrame();
  frame->resize(1280, 800);
  frame->show();
  EXPECT_EQ(frame->dockWidgetArea(frame->workspaceBar()), Qt::LeftDockWidgetArea);
  EXPECT_EQ(frame->dockWidgetArea(frame->outputBar()), Qt::BottomDockWidgetArea);
  EXPECT_EQ(frame->dockWidgetArea(frame->memoryBar()), Qt::BottomDockWidgetArea);
  EXPECT_GE(frame->workspaceBar()->width(), 225);
  EXPECT_GE(frame->outputBar()->height(), 150);
  EXPECT_GT(frame->memoryBar()->x(), frame->outputBar()->x());
  for (QDockWidget* dock : {frame->workspaceBar(), frame->outputBar(), frame->memoryBar()})
    EXPECT_FALSE(dock->isHidden());
}

TEST_F(FrameTest, ClosingSavesTheLayoutAndTheNextStartRestoresIt) {
  {
    auto frame = MakeFrame();
    frame->resize(1280, 800);
    frame->show();
    frame->addDockWidget(Qt::RightDockWidgetArea, frame->workspaceBar());
    frame->action(CommandId::Memory)->trigger();
    frame->action(CommandId::NavigationBar)->trigger();
    frame->close();
  }
  EXPECT_FALSE(settings_.BarState().isEmpty());
  EXPECT_TRUE(QSettings(settings_.applicationFile(), QSettings::IniFormat).contains("Bar_State"));

  auto frame = MakeFrame();
  frame->resize(1280, 800);
  frame->show();
  EXPECT_EQ(frame->dockWidgetArea(frame->workspaceBar()), Qt::RightDockWidgetArea);
  EXPECT_TRUE(frame->memoryBar()->isHidden());
  EXPECT_FALSE(frame->action(CommandId::Memory)->isChecked());
  EXPECT_TRUE(frame->navigationBar()->isHidden());
  EXPECT_FALSE(frame->action(CommandId::NavigationBar)->isChecked());
  EXPECT_FALSE(frame->outputBar()->isHidden());
  EXPECT_TRUE(frame->action(CommandId::Output)->isChecked());
}

TEST_F(FrameTest, AnUnreadableSavedLayoutGivesTheDefaultOne) {
  settings_.SetBarState("not a layout");
  auto frame = MakeFrame();
  frame->show();
  EXPECT_EQ(frame->dockWidgetArea(frame->workspaceBar()), Qt::LeftDockWidgetArea);
  EXPECT_FALSE(frame->memoryBar()->isHidden());
}

}  // namespace

}  // namespace vantry::app
