#pragma once
// The main window's two-pane status bar: the lists in progress on the left
// (the whole text also as the pane's tip), the counts of chores and lists
// on the right, as wide as they need.
//
//   status_.create(hwnd(), instance(), IDC_STATUS_BAR);     // start-up
//   status_.refresh(library, true);                          // counts and lists
//   const int height = status_.height();  ...  status_.fitPanes(width, scale);   // layout

#include <windows.h>

#include "library/chore_library.h"

namespace tolvane::win32 {

class StatusBar {
 public:
  void create(HWND parent, HINSTANCE instance, int id);
  HWND hwnd() const { return bar_; }

  // The lists in progress; with `full` the counts as well.
  void refresh(const ChoreLibrary& library, bool full);

  // The bar takes the parent's new width; its height, for the layout.
  int height() const;
  // The counts' pane as wide as its text, the lists' pane the rest.
  void fitPanes(int clientWidth, double scale);

 private:
  HWND bar_ = nullptr;
};

}  // namespace tolvane::win32
