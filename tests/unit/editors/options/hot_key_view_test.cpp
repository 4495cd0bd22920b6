#include "editors/options/hot_key_view.h"

#include <gtest/gtest.h>

#include "support/fake_key_names.h"
#include "support/library_builders.h"

namespace tolvane {
namespace {

using test::makeChore;
using test::makeList;
using test::makeStep;

constexpr std::uint16_t kCtrlAlt = kHotKeyControl | kHotKeyAlt;

Chore choreWithKey(std::u16string name, HotKeyCode key) {
  Chore chore = makeChore(std::move(name));
  chore.hotKey = key;
  return chore;
}

Chore waitingStep(const Chore& chore, HotKeyCode key) {
  Chore step = makeStep(chore, WAIT_HOTKEY);
  step.hotKeyChore = key;
  return step;
}

// Docs (Ctrl+D), Mail (Alt+M); list Morning (Ctrl+Alt+M) whose second step
// runs Docs and waits for Ctrl+Alt+G.
class HotKeyViewTest : public ::testing::Test {
 protected:
  HotKeyViewTest() {
    const Chore docs = choreWithKey(u"Docs", {'D', kHotKeyControl});
    library.appendChore(docs);
    library.appendChore(choreWithKey(u"Mail", {'M', kHotKeyAlt}));
    library.appendChore(makeChore(u"Plain"));
    ChoreList morning = makeList(u"Morning", {makeStep(docs), waitingStep(docs, {'G', kCtrlAlt})});
    morning.hotKey = {'M', kCtrlAlt};
    library.appendChoreList(morning);
    library.appendChoreList(makeList(u"Evening"));
  }

  AssignedHotKeys keys() const { return LibraryQueries(library).assignedHotKeys(); }

  ChoreLibrary library;
  test::FakeKeyNames keyNames;
};

TEST_F(HotKeyViewTest, OneRowPerChoreListAndWaitingStepKeyWithItsTip) {
  const std::vector<HotKeyRow> rows = hotKeyRows(keys(), keyNames);
  ASSERT_EQ(rows.size(), 4u);
  struct Expected {
    const char16_t* key;
    const char16_t* chore;
    const char16_t* list;
    const char16_t* tip;
    HotKeyTarget target;
  };
  const Expected expected[] = {
      {u"Ctrl + D", u"Docs", u"", u"Ctrl + D [Chore] Docs", {HotKeyTarget::Kind::Chore, u"Docs", {}, {'D', 2}}},
      {u"Alt + M", u"Mail", u"", u"Alt + M [Chore] Mail", {HotKeyTarget::Kind::Chore, u"Mail", {}, {'M', 4}}},
      {u"Ctrl + Alt + M", u"", u"Morning", u"Ctrl + Alt + M [ChoreList] Morning",
       {HotKeyTarget::Kind::List, u"Morning", {}, {'M', 6}}},
      {u"Ctrl + Alt + G", u"", u"Morning [comp] Docs", u"Ctrl + Alt + G [ChoreList] Morning [comp] Docs",
       {HotKeyTarget::Kind::Step, u"Morning", u"Docs", {'G', 6}}},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].key, expected[i].key) << i;
    EXPECT_EQ(rows[i].chore, expected[i].chore) << i;
    EXPECT_EQ(rows[i].list, expected[i].list) << i;
    EXPECT_EQ(rows[i].tip, expected[i].tip) << i;
    EXPECT_EQ(rows[i].target, expected[i].target) << i;
  }
}

TEST_F(HotKeyViewTest, ColumnSortsAscendFirstAndReverseOnEveryFurtherClick) {
  std::vector<HotKeyRow> rows = hotKeyRows(keys(), keyNames);
  HotKeyRowOrder order;
  const auto keysOf = [&] {
    std::vector<std::u16string> texts;
    for (const HotKeyRow& row : rows) texts.push_back(row.key);
    return texts;
  };
  order.sort(rows, HotKeyColumn::Key);
  EXPECT_EQ(keysOf(), (std::vector<std::u16string>{u"Alt + M", u"Ctrl + Alt + G", u"Ctrl + Alt + M", u"Ctrl + D"}));
  order.sort(rows, HotKeyColumn::Key);
  EXPECT_EQ(keysOf(), (std::vector<std::u16string>{u"Ctrl + D", u"Ctrl + Alt + M", u"Ctrl + Alt + G", u"Alt + M"}));
  // Exact comparison: empty first, upper case before lower case; equal
  // texts keep their order.
  rows[0].chore = u"apple";
  order.sort(rows, HotKeyColumn::Chore);
  EXPECT_EQ(keysOf(), (std::vector<std::u16string>{u"Ctrl + Alt + M", u"Ctrl + Alt + G", u"Alt + M", u"Ctrl + D"}));
  order.sort(rows, HotKeyColumn::List);
  EXPECT_EQ(keysOf(), (std::vector<std::u16string>{u"Ctrl + Alt + G", u"Ctrl + Alt + M", u"Alt + M", u"Ctrl + D"}));
}

TEST_F(HotKeyViewTest, AWaitingStepRowLeadsToTheStepThatWaitsForItsKey) {
  const ChoreList morning = library.copyChoreList(u"Morning");
  EXPECT_EQ(stepIndexOf(morning, {HotKeyTarget::Kind::Step, u"Morning", u"Docs", {'G', kCtrlAlt}}), 1);
  // A key changed since: the first step that runs the chore.
  EXPECT_EQ(stepIndexOf(morning, {HotKeyTarget::Kind::Step, u"Morning", u"Docs", {'H', kCtrlAlt}}), 0);
  EXPECT_EQ(stepIndexOf(morning, {HotKeyTarget::Kind::Step, u"Morning", u"Mail", {'G', kCtrlAlt}}), -1);
}

TEST_F(HotKeyViewTest, MasterKeyRules) {
  struct Case {
    const char* what;
    HotKeyCode entered;
    std::optional<HotKeyCode> key;
    const char16_t* refusal;
  };
  const Case cases[] = {
      {"empty gives Ctrl+Shift+Right back", {}, kStandardMasterKey, u""},
      {"a free key", {0x7B, kCtrlAlt}, HotKeyCode{0x7B, kCtrlAlt}, u""},
      {"a chore's key", {'D', kHotKeyControl}, std::nullopt, u"Hotkey: Ctrl + D is already used by \"Docs\"."},
      {"a list's key", {'M', kCtrlAlt}, std::nullopt, u"Hotkey: Ctrl + Alt + M is already used by \"Morning\"."},
      {"a waiting step's key", {'G', kCtrlAlt}, std::nullopt,
       u"Hotkey: Ctrl + Alt + G is already used by \"Morning\"."},
      {"the extended flag does not tell keys apart", {'D', kHotKeyControl | kHotKeyExtended}, std::nullopt,
       u"Hotkey: Ctrl + D is already used by \"Docs\"."},
      {"Ctrl+Alt+D is another key", {'D', kCtrlAlt}, HotKeyCode{'D', kCtrlAlt}, u""},
  };
  for (const Case& c : cases) {
    const Submission<HotKeyCode> decision = decideMasterKey(c.entered, keys(), keyNames);
    const HotKeyCode* key = std::get_if<HotKeyCode>(&decision);
    EXPECT_EQ(key ? std::optional(*key) : std::nullopt, c.key) << c.what;
    const Refusal* refusal = std::get_if<Refusal>(&decision);
    EXPECT_EQ(refusal ? refusal->message : u"", c.refusal) << c.what;
    if (refusal) {
      EXPECT_EQ(*refusal, Refusal::clearing(refusal->message, HotKeysField::MasterKey)) << c.what;
    }
  }

  // Ctrl+Shift+Right stays the master's even where a chore holds it.
  library.appendChore(choreWithKey(u"Next", kStandardMasterKey));
  EXPECT_EQ(std::get<HotKeyCode>(decideMasterKey(kStandardMasterKey, keys(), keyNames)), kStandardMasterKey);
}

}  // namespace
}  // namespace tolvane
