#pragma once

#include <functional>

class FrameServices;
class QWidget;

// The three list tabs of the workspace, in tab order.
enum class ListTab { AlphaSort, AccessSort, History };

// The widgets that fill the docks. The frame asks these factories while it builds its
// docks; each stands for a widget of its own library and is swapped in one place.
struct DockContents {
  std::function<QWidget*(ListTab, FrameServices&, QWidget* parent)> listTab;
  std::function<QWidget*(FrameServices&, QWidget* parent)> outputBar;
  std::function<QWidget*(FrameServices&, QWidget* parent)> memoryBar;
};

// Collapsed list trees, an empty output bar and an empty memory bar.
DockContents PlaceholderDockContents();
