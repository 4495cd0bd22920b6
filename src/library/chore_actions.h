#pragma once
// The chore actions, one row per entry of the chore editor's action list,
// in the list's order: a chore's type and verb come from its row, and so do
// what the editor enables and opens for it, whether it runs without a
// target, and its picture in the main window's tree. Only the executor's
// dispatch names the types again.

#include <cstdint>
#include <span>
#include <string_view>

#include "library/chore_types.h"

namespace tolvane {

// Which of the chore editor's controls take input.
struct ChoreControls {
  bool view = false;
  bool target = false;
  bool targetBrowse = false;
  bool initialDirBrowse = false;
  bool site = false;
  bool arguments = false;
  bool initialDir = false;
  bool newWindow = false;
  bool startNew = false;

  friend bool operator==(const ChoreControls&, const ChoreControls&) = default;
};

// What comes right after an action is chosen.
enum class TypeFollowUp { None, PickWindow, EditFileOperation, ListDesktopShortcuts, BrowseTarget, FocusSite };

// The label over a web site's name.
inline constexpr std::u16string_view kSiteNameLabel = u"Site name:";

// What the target's "..." button looks for.
enum class TargetBrowse { Program, Document, Folder };

struct ChoreAction {
  // The list's text, stored as the chore's verb.
  std::u16string_view name;
  ChoreType type;
  // Index into the tree's image strip (resources/tree_images.bmp).
  int treeImage;
  // Offered only when the password manager is installed; such rows come
  // last, so that a row's index is its place in either list.
  bool needsKeyrune = false;
  // What choosing the action enables. An action with a target box does
  // not run without a target.
  ChoreControls controls{};
  TypeFollowUp followUp = TypeFollowUp::None;
  TargetBrowse browse = TargetBrowse::Program;
  // Choosing the action empties the target box.
  bool clearsTargets = false;
  // The window picker offers only window operations.
  bool windowsOperation = false;
  // For a text of the action's own: the label over it, and the cue an
  // empty one is refused with.
  std::u16string_view siteLabel{};
  std::u16string_view siteCue{};

  bool needsTarget() const { return controls.target; }
};

std::span<const ChoreAction> choreActions();

// The first row of the type; null for a type no row has.
const ChoreAction* choreActionOf(std::int32_t type);

}  // namespace tolvane
