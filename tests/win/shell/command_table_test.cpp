#include "shell/main_window/command_table.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tolvane::win32 {
namespace {

struct Rig {
  CommandTable table;
  bool canStop = false;
  std::vector<std::string> ran;

  Rig() {
    table.add(2, {{}, [this] { ran.push_back("exit"); }});
    table.add(3002, {{}, [this] { ran.push_back("run"); }});
    table.add(3003, {[this] { return canStop; }, [this] { ran.push_back("stop"); }});
    table.add(32788, {});  // not built yet
    table.add(32802, {{}, [this] { ran.push_back("schedule"); }});
    table.addRange(7000, 7, [](int index) { return index < 2; },
                   [this](int index) { ran.push_back("tray stop " + std::to_string(index)); });
    table.forward(1201, 3002);
    table.forward(1203, 3003);
    table.forward(1200, 32788);
    // A chain: the tree menu's Schedule is the toolbar's, which is the menu bar's.
    table.forward(1207, 32791);
    table.forward(32791, 32802);
  }
};

TEST(CommandTable, RowsRangesAndForwardsDecideWhatRuns) {
  Rig rig;
  struct Case {
    int id;
    bool available;
    std::vector<std::string> ran;
  };
  const Case cases[] = {
      {2, true, {"exit"}},       {3002, true, {"run"}},  {1201, true, {"run"}},
      {3003, false, {}},         {1203, false, {}},      {32788, false, {}},
      {1200, false, {}},         {7001, true, {"tray stop 1"}},
      {7002, false, {}},         {7007, false, {}},      {999, false, {}},
      {1207, true, {"schedule"}},
  };
  for (const Case& c : cases) {
    rig.ran.clear();
    EXPECT_EQ(rig.table.isAvailable(c.id), c.available) << c.id;
    EXPECT_EQ(rig.table.run(c.id), c.available) << c.id;
    EXPECT_EQ(rig.ran, c.ran) << c.id;
  }
  rig.canStop = true;
  EXPECT_TRUE(rig.table.run(1203));
  EXPECT_EQ(rig.ran.back(), "stop");

  // A forward that would close a loop is refused, and the chain keeps going
  // where it went.
  EXPECT_FALSE(rig.table.forward(32802, 1207));
  EXPECT_FALSE(rig.table.forward(32791, 1207));
  rig.ran.clear();
  EXPECT_TRUE(rig.table.run(32802));
  EXPECT_TRUE(rig.table.run(1207));
  EXPECT_EQ(rig.ran, (std::vector<std::string>{"schedule", "schedule"}));

  // A command that lands fills its row and nothing else changes, and a
  // rule required of the identifier holds for the row that fills it.
  bool selected = false;
  rig.table.require(32788, [&] { return selected; });
  rig.table.add(32788, {{}, [&] { rig.ran.push_back("new chore"); }});
  EXPECT_FALSE(rig.table.run(1200));
  selected = true;
  EXPECT_TRUE(rig.table.run(1200));
  EXPECT_EQ(rig.ran.back(), "new chore");
}

TEST(CommandTable, MenusAndToolbarFollowTheTable) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  Rig rig;
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 3002, L"Run");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, 3003, L"Stop");
  AppendMenuW(menu, MF_STRING, 32788, L"New");
  rig.table.updateMenu(menu);
  const auto greyed = [&](UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
  EXPECT_FALSE(greyed(3002));
  EXPECT_TRUE(greyed(3003));
  EXPECT_TRUE(greyed(32788));
  rig.canStop = true;
  rig.table.updateMenu(menu, [](int id) { return id != 3002; });
  EXPECT_TRUE(greyed(3002));
  EXPECT_FALSE(greyed(3003));
  rig.canStop = false;
  DestroyMenu(menu);

  HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 300, nullptr, nullptr, nullptr, nullptr);
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | CCS_VERT, 0, 0, 24, 300, owner, nullptr,
                                 nullptr, nullptr);
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[3] = {};
  buttons[0].idCommand = 3002;
  buttons[1].fsStyle = BTNS_SEP;
  buttons[2].idCommand = 3003;
  buttons[2].fsState = TBSTATE_ENABLED;
  SendMessageW(toolbar, TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(buttons));
  const auto enabled = [&](int id) { return SendMessageW(toolbar, TB_ISBUTTONENABLED, id, 0) != 0; };

  rig.table.updateToolbar(toolbar);
  EXPECT_TRUE(enabled(3002));
  EXPECT_FALSE(enabled(3003));
  rig.canStop = true;
  rig.table.updateToolbar(toolbar, [](int id) { return id != 3002; });
  EXPECT_FALSE(enabled(3002));
  EXPECT_TRUE(enabled(3003));
  DestroyWindow(owner);
}

}  // namespace
}  // namespace tolvane::win32
