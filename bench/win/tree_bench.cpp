// The main window's tree at the benchmark library's size (10,000 chores,
// 2,000 lists of 10 steps) and at ten times that, under Wine: filling it
// at start-up, sorting "Chores" by name and by type, cloning and deleting
// a chore, and the item menu's question whether any list uses a chore.
// Every step must grow no faster than n log n, so the 10x figures should
// stay near ten times the 1x ones.
//
// Debian has no Google Benchmark for MinGW, so this program times itself:
// each figure is the median of its runs, in milliseconds. Figures, never
// assertions.
//
//   tree_bench [--quick]    --quick: the 1x size once (a smoke run)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/system_clock.h"
#include "shell/main_window/chore_store.h"
#include "shell/main_window/chore_tree.h"
#include "shell/main_window/tree_edits.h"
#include "support/fake_prompts.h"
#include "support/library_builders.h"

namespace tolvane::win32 {
namespace {

double nowMs() {
  LARGE_INTEGER frequency{};
  LARGE_INTEGER counter{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// One main window's tree over one library, filled as start-up fills it,
// with both branches open as a user who works in them has them.
struct Window {
  HWND owner = nullptr;
  ChoreTree tree;
  ChoreLibrary library;
  SystemClock clock;
  test::FakePrompts prompts;
  ChoreStore store{library, tree, clock, {[] {}, [] {}}};
  TreeEdits edits{library, tree, store, prompts, {[] {}, [] {}}};

  explicit Window(int scale) {
    library.edit([&](LibraryContents& contents) { contents = test::benchmarkLibrary(scale, clock); });
    owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 600, 500, nullptr, nullptr, nullptr,
                            nullptr);
    tree.attach(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_EDITLABELS, 0, 0,
                                600, 500, owner, nullptr, nullptr, nullptr));
  }
  ~Window() { DestroyWindow(owner); }

  double fill() {
    Settings settings;
    settings.choreExpanded = true;
    settings.choreListExpanded = true;
    const double start = nowMs();
    tree.fill(library, settings, clock);
    return nowMs() - start;
  }

  double timed(const std::function<void()>& step) {
    const double start = nowMs();
    step();
    return nowMs() - start;
  }

  void select(HTREEITEM item) { TreeView_SelectItem(tree.hwnd(), item); }
};

struct Figures {
  double fill = 0, sortByName = 0, sortByType = 0, clone = 0, remove = 0, itemMenu = 0;
};

Figures measure(int scale, int runs) {
  std::vector<double> fill, byName, byType, clone, remove, itemMenu;
  for (int run = 0; run < runs; ++run) {
    Window window(scale);
    fill.push_back(window.fill());
    window.select(window.tree.choresRoot());
    byName.push_back(window.timed([&] { window.edits.sortSelectedBranch(SortKey::Name); }));
    byType.push_back(window.timed([&] { window.edits.sortSelectedBranch(SortKey::Type); }));

    // The last chore of the branch: no list uses the late ones, and its
    // menu asks every step of every list.
    HTREEITEM last = TreeView_GetChild(window.tree.hwnd(), window.tree.choresRoot());
    for (HTREEITEM next = last; next; next = TreeView_GetNextSibling(window.tree.hwnd(), next)) last = next;
    window.select(last);
    itemMenu.push_back(window.timed([&] { static_cast<void>(window.edits.itemMenu()); }));
    clone.push_back(window.timed([&] { window.edits.cloneSelected(); }));
    window.prompts.answer(true);
    remove.push_back(window.timed([&] { window.edits.deleteSelected(); }));
  }
  return {median(fill), median(byName), median(byType), median(clone), median(remove), median(itemMenu)};
}

void printRow(const char* size, int scale, const Figures& f) {
  std::printf("%-6s %8d %7d %10.1f %12.1f %12.1f %9.2f %10.2f %10.2f\n", size, 1000 * scale, 200 * scale, f.fill,
              f.sortByName, f.sortByType, f.clone, f.remove, f.itemMenu);
}

}  // namespace
}  // namespace tolvane::win32

int main(int argc, char** argv) {
  using namespace tolvane::win32;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  std::printf("%-6s %8s %7s %10s %12s %12s %9s %10s %10s   (ms, median)\n", "size", "chores", "lists", "fill",
              "sort name", "sort type", "clone", "delete", "item menu");
  const Figures one = measure(10, quick ? 1 : 5);
  printRow("1x", 10, one);
  if (quick) return 0;
  const Figures ten = measure(100, 3);
  printRow("10x", 100, ten);
  std::printf("%-6s %8s %7s %10.1f %12.1f %12.1f %9.1f %10.1f %10.1f   (10x / 1x)\n", "ratio", "", "",
              ten.fill / one.fill, ten.sortByName / one.sortByName, ten.sortByType / one.sortByType,
              ten.clone / one.clone, ten.remove / one.remove, ten.itemMenu / one.itemMenu);
  return 0;
}
