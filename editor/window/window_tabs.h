#pragma once
// The window's tabs (SSTab1), in the order they show: what the frame, the
// menu and the status bar need to know of them without knowing the frame.

namespace corvela {

enum WindowTab {
  TabPreview = 0,
  TabObjects,
  TabColours,
  TabRects,
  TabStructure,
  TabInfo,
  TabCount
};

}  // namespace corvela
