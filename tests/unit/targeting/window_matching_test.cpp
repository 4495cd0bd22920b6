#include "engine/targeting/window_matching.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"

namespace tolvane {
namespace {

using test::FakeDesktop;

TEST(WindowMatching, ExactTitleBeatsPartialAndPartialNeedsTheFlag) {
  FakeDesktop desktop;
  desktop.addWindow(1, u"Untitled - Notepad", u"Notepad");
  WindowTarget main{u"Notepad", u"", 0, 0};
  WindowTarget control;
  EXPECT_FALSE(findTargetWindow(desktop, main, control, false));
  EXPECT_TRUE(findTargetWindow(desktop, main, control, true));
  EXPECT_EQ(main.window, 1u);

  desktop.addWindow(2, u"Notepad", u"Other");
  main.window = 0;
  EXPECT_TRUE(findTargetWindow(desktop, main, control, true));
  EXPECT_EQ(main.window, 2u) << "a later exact title wins over an earlier partial one";
}

TEST(WindowMatching, ClassNarrowsBothPassesAndEmptyTargetsNeverMatch) {
  FakeDesktop desktop;
  desktop.addWindow(1, u"Report", u"Edit");
  desktop.addWindow(2, u"Report", u"RichEdit20W");
  desktop.addWindow(3, u"Annual Report 2026", u"WordDoc");

  EXPECT_EQ(matchMainWindow(desktop.windows, u"Report", u"RichEdit20W", false)->window, 2u);
  EXPECT_EQ(matchMainWindow(desktop.windows, u"", u"WordDoc", false)->window, 3u) << "empty text matches any";
  EXPECT_EQ(matchMainWindow(desktop.windows, u"Report", u"Word", true)->window, 3u) << "partial class";
  EXPECT_EQ(matchMainWindow(desktop.windows, u"report", u"", true), nullptr) << "case-sensitive";
  EXPECT_EQ(matchMainWindow(desktop.windows, u"", u"", true), nullptr);

  WindowTarget main;
  WindowTarget control;
  EXPECT_FALSE(findTargetWindow(desktop, main, control, true));
  EXPECT_EQ(desktop.enumerations, 0) << "nothing to look for, nothing enumerated";
}

TEST(WindowMatching, TooltipsAreNeverTargets) {
  FakeDesktop desktop;
  desktop.addWindow(1, u"Save", u"tooltips_class32");
  desktop.addWindow(2, u"Save the file", u"tooltips_class32");
  EXPECT_EQ(matchMainWindow(desktop.windows, u"Save", u"", true), nullptr);
  EXPECT_FALSE(windowExists(desktop, u"Save", true, false));

  desktop.addWindow(3, u"Save", u"#32770");
  EXPECT_EQ(matchMainWindow(desktop.windows, u"Save", u"", false)->window, 3u);
  desktop.addChild(3, 10, u"OK", u"tooltips_class32", 1);
  desktop.addChild(3, 11, u"OK", u"Button", 1);
  EXPECT_EQ(matchControl(desktop.children[3], u"OK", u"")->window, 11u);
}

TEST(WindowMatching, ControlsMatchExactlyAndAMissingControlFailsTheLookup) {
  FakeDesktop desktop;
  desktop.addWindow(1, u"Setup", u"#32770");
  desktop.addChild(1, 10, u"&Next >", u"Button", 12);
  desktop.addChild(1, 11, u"Cancel", u"Button", 2);

  WindowTarget main{u"Setup", u"", 0, 0};
  WindowTarget control{u"Cancel", u"Button", 0, 0};
  ASSERT_TRUE(findTargetWindow(desktop, main, control, false));
  EXPECT_EQ(main.window, 1u);
  EXPECT_EQ(control.window, 11u);
  EXPECT_EQ(control.controlId, 2);

  WindowTarget partial{u"Next", u"", 0, 0};
  EXPECT_FALSE(findTargetWindow(desktop, main, partial, true)) << "controls are never partial";
  EXPECT_EQ(partial.window, 0u);

  WindowTarget wrongClass{u"Cancel", u"Static", 0, 0};
  EXPECT_FALSE(findTargetWindow(desktop, main, wrongClass, false));

  WindowTarget classOnly{u"", u"Button", 0, 0};
  EXPECT_TRUE(findTargetWindow(desktop, main, classOnly, false)) << "a control class alone asks for nothing";
  EXPECT_EQ(classOnly.window, 0u);
}

TEST(WindowMatching, WindowExistsActivatesOnlyTheFirstMatchWhenAsked) {
  FakeDesktop desktop;
  desktop.addWindow(1, u"Untitled - Notepad", u"Notepad");
  desktop.addWindow(2, u"Notes - Notepad", u"Notepad");

  EXPECT_FALSE(windowExists(desktop, u"Notepad", false, true));
  EXPECT_TRUE(windowExists(desktop, u"Notepad", true, false));
  EXPECT_TRUE(desktop.broughtToFront.empty());
  EXPECT_TRUE(windowExists(desktop, u"Notes - Notepad", false, true));
  EXPECT_EQ(desktop.broughtToFront, std::vector<WindowHandle>{2});
  EXPECT_FALSE(windowExists(desktop, u"", true, true)) << "an empty text must not satisfy a wait";
}

}  // namespace
}  // namespace tolvane
