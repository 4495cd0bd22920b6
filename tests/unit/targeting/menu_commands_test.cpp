#include "engine/targeting/menu_commands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/text.h"
#include "engine/targeting/accessible_search.h"
#include "support/fake_desktop.h"

namespace tolvane {
namespace {

using test::FakeAccessibility;
using test::FakeAccessibleObject;
using test::FakeDesktop;

constexpr WindowHandle kWindow = 7;

// Window -> "Menu" bar -> File (New, Save As...), Edit (Paste greyed, Copy).
FakeAccessibleObject& buildMenus(FakeAccessibility& accessibility) {
  FakeAccessibleObject& root = accessibility.rootOf(kWindow);
  root.add(u"Title", u"title bar");
  FakeAccessibleObject& bar = root.add(u"Menu", u"menu bar");
  FakeAccessibleObject& file = bar.add(u"File", u"menu item");
  FakeAccessibleObject& filePopup = file.add(u"File", u"menu popup", u"");
  filePopup.add(u"New", u"menu item");
  filePopup.add(u"Save As...", u"menu item");
  FakeAccessibleObject& edit = bar.add(u"Edit", u"menu item");
  edit.add(u"Paste", u"menu item", u"unavailable,focusable");
  edit.add(u"Copy", u"menu item");
  return bar;
}

TEST(AccessibleSearch, RoleMustEqualNameMustContainAndUnavailableSubtreesAreSkipped) {
  FakeAccessibleObject root;
  root.add(u"Save", u"push button");
  FakeAccessibleObject& greyed = root.add(u"Tools", u"menu item", u"unavailable");
  greyed.add(u"Save All", u"menu item");
  root.add(u"Save As...", u"menu item");
  FakeAccessibility accessibility;
  accessibility.roots[1] = std::make_shared<FakeAccessibleObject>(root);

  auto node = accessibility.windowObject(1);
  auto found = findAccessible(*node, u"Save", u"menu item");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->name(), u"Save As...");
  EXPECT_FALSE(findAccessible(*node, u"Save", u"menu"));
  EXPECT_FALSE(findAccessible(*node, u"save", u"menu item"));
}

TEST(AccessibleSearch, GivesUpPastThreeThousandNonMatchingObjects) {
  auto makeTree = [](std::size_t fillers) {
    auto root = std::make_shared<FakeAccessibleObject>();
    FakeAccessibleObject& client = root->add(u"client", u"client");
    for (std::size_t i = 0; i < fillers; ++i) client.add(u"cell", u"cell");
    client.add(u"Menu", u"menu bar");
    return root;
  };
  FakeAccessibility accessibility;

  // The client and its fillers are counted; at 3000 the target is still found.
  accessibility.roots[1] = makeTree(kAccessibleSearchBound - 1);
  EXPECT_TRUE(findAccessible(*accessibility.windowObject(1), u"Menu", u"menu bar"));

  accessibility.roots[2] = makeTree(kAccessibleSearchBound);
  EXPECT_FALSE(findAccessible(*accessibility.windowObject(2), u"Menu", u"menu bar"));

  // A new search starts counting afresh.
  EXPECT_TRUE(findAccessible(*accessibility.windowObject(1), u"Menu", u"menu bar"));
}

TEST(MenuInvoke, FindsEachItemBelowThePreviousAndActsOnTheLastOnly) {
  FakeAccessibility accessibility;
  FakeAccessibleObject& bar = buildMenus(accessibility);
  FakeAccessibleObject& file = *bar.children[0];
  FakeAccessibleObject& saveAs = *file.children[0]->children[1];

  MenuInvokeResult result = invokeMenuItem(accessibility, kWindow, u"File [] Save As...");
  EXPECT_TRUE(result.invoked);
  EXPECT_EQ(result.code, 0u);
  EXPECT_EQ(saveAs.actions, 1);
  EXPECT_EQ(file.actions, 0);

  EXPECT_FALSE(invokeMenuItem(accessibility, kWindow, u"Edit [] New").invoked) << "New is not below Edit";
  EXPECT_FALSE(invokeMenuItem(accessibility, kWindow, u"Help [] About").invoked);
  EXPECT_FALSE(invokeMenuItem(accessibility, kWindow, u"").invoked);
  EXPECT_FALSE(invokeMenuItem(accessibility, kWindow, u"File [] ").invoked);
  EXPECT_FALSE(invokeMenuItem(accessibility, 99, u"File").invoked) << "no accessible object";
}

TEST(MenuInvoke, GreyedItemIsNotFoundAndAFailedActionReportsItsCode) {
  FakeAccessibility accessibility;
  FakeAccessibleObject& bar = buildMenus(accessibility);
  FakeAccessibleObject& paste = *bar.children[1]->children[0];
  FakeAccessibleObject& copy = *bar.children[1]->children[1];

  MenuInvokeResult greyed = invokeMenuItem(accessibility, kWindow, u"Edit [] Paste");
  EXPECT_FALSE(greyed.invoked);
  EXPECT_EQ(greyed.code, kInvokeFailed);
  EXPECT_EQ(paste.actions, 0);

  copy.actionResult = static_cast<std::int32_t>(0x80020003);
  MenuInvokeResult refused = invokeMenuItem(accessibility, kWindow, u"Edit [] Copy");
  EXPECT_FALSE(refused.invoked);
  EXPECT_EQ(refused.code, 0x80020003u);
}

TEST(MenuList, ClassicMenuGivesLeafPathsWithIdsAndAccessibilityWithout) {
  FakeDesktop desktop;
  FakeAccessibility accessibility;
  desktop.menus[1] = {
      {u"&File", 0, {{u"&New\tCtrl+N", 256, {}}, {u"", 0, {}}, {u"Recent", 0, {{u"a.txt", 400, {}}}}}},
      {u"&Help", 0, {{u"&About", 308, {}}}},
      {u"Empty", 0, {{u"", 0, {}}}},
  };
  std::vector<MenuLeaf> classic = listMenuItems(desktop, accessibility, 1);
  std::vector<MenuLeaf> expected{{u"&File [] &New\tCtrl+N", 256},
                                 {u"&File [] Recent [] a.txt", 400},
                                 {u"&Help [] &About", 308}};
  EXPECT_EQ(classic, expected);

  buildMenus(accessibility);
  std::vector<MenuLeaf> accessible = listMenuItems(desktop, accessibility, kWindow);
  std::vector<MenuLeaf> expectedAccessible{{u"File [] New", std::nullopt},
                                           {u"File [] Save As...", std::nullopt},
                                           {u"Edit [] Paste", std::nullopt},
                                           {u"Edit [] Copy", std::nullopt}};
  EXPECT_EQ(accessible, expectedAccessible);
  EXPECT_TRUE(listMenuItems(desktop, accessibility, 99).empty());
}

TEST(MenuList, SelfContainingAccessibleTreeEnds) {
  FakeAccessibility accessibility;
  FakeAccessibleObject& bar = accessibility.rootOf(kWindow).add(u"Menu", u"menu bar");
  FakeAccessibleObject& loop = bar.add(u"Loop", u"menu item");
  loop.children.push_back(accessibility.rootOf(kWindow).children[0]);
  FakeDesktop desktop;
  EXPECT_FALSE(listMenuItems(desktop, accessibility, kWindow).empty());
  loop.children.clear();
}

TEST(MenuPaths, SplitsAtTheBracketSeparatorOnly) {
  EXPECT_EQ(splitMenuPath(u"File [] Save As..."), (std::vector<std::u16string>{u"File", u"Save As..."}));
  EXPECT_EQ(splitMenuPath(u"View[]Zoom [] In"), (std::vector<std::u16string>{u"View[]Zoom", u"In"}));
  EXPECT_EQ(splitMenuPath(u"Help"), (std::vector<std::u16string>{u"Help"}));
  EXPECT_EQ(splitMenuPath(u"A []  [] B"), (std::vector<std::u16string>{u"A", u"", u"B"}));
}

// Stored chores rely on the separator, so the help follows the picker.
TEST(MenuPaths, TheHelpShowsThemAsThePickerLists) {
  std::ifstream topic(TOLVANE_HELP_DIR "/helpSelectMessageTl.htm");
  const std::string text(std::istreambuf_iterator<char>(topic), {});
  const std::vector<MenuLeaf> save = flattenMenu({{u"File", std::nullopt, {{u"Save", 258, {}}}}});
  ASSERT_EQ(save.size(), 1u);
  EXPECT_NE(text.find("<i>" + toUtf8(save[0].path) + "</i>"), std::string::npos);
}

}  // namespace
}  // namespace tolvane
