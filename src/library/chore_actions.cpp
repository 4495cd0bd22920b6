#include "library/chore_actions.h"

#include <array>

namespace tolvane {
namespace {

constexpr ChoreControls kFolderControls{.target = true, .targetBrowse = true, .newWindow = true};
constexpr ChoreControls kDocumentControls{.target = true, .targetBrowse = true};
constexpr ChoreControls kProgramControls{.target = true,
                                         .targetBrowse = true,
                                         .initialDirBrowse = true,
                                         .arguments = true,
                                         .initialDir = true,
                                         .startNew = true};
// Picker and file operation: "View" opens them again.
constexpr ChoreControls kSubDialogControls{.view = true};
constexpr ChoreControls kTextControls{.site = true};

constexpr std::u16string_view kSiteCue = u"Enter a site name.";

constexpr std::array<ChoreAction, 12> kActions{{
    {.name = u"Explore a folder",
     .type = CHORE_EXPLORE,
     .treeImage = 0,
     .controls = kFolderControls,
     .followUp = TypeFollowUp::BrowseTarget,
     .browse = TargetBrowse::Folder},
    {.name = u"Open a file or document",
     .type = CHORE_OPEN,
     .treeImage = 1,
     .controls = kDocumentControls,
     .followUp = TypeFollowUp::BrowseTarget,
     .browse = TargetBrowse::Document,
     .clearsTargets = true},
    {.name = u"Print a file or document",
     .type = CHORE_PRINT,
     .treeImage = 2,
     .controls = kDocumentControls,
     .followUp = TypeFollowUp::BrowseTarget,
     .browse = TargetBrowse::Document,
     .clearsTargets = true},
    {.name = u"Run a program or its shortcut", .type = CHORE_RUN, .treeImage = 3, .controls = kProgramControls},
    {.name = u"Run a desktop shortcut",
     .type = CHORE_RUN,
     .treeImage = 3,
     .controls = kProgramControls,
     .followUp = TypeFollowUp::ListDesktopShortcuts},
    {.name = u"Windows operation",
     .type = CHORE_WINOP,
     .treeImage = 4,
     .controls = kSubDialogControls,
     .followUp = TypeFollowUp::PickWindow,
     .clearsTargets = true,
     .windowsOperation = true},
    {.name = u"Send a menu or button command",
     .type = CHORE_WNDMSG,
     .treeImage = 5,
     .controls = kSubDialogControls,
     .followUp = TypeFollowUp::PickWindow},
    {.name = u"File operation",
     .type = CHORE_FILEOP,
     .treeImage = 6,
     .controls = kSubDialogControls,
     .followUp = TypeFollowUp::EditFileOperation},
    {.name = u"Do nothing", .type = CHORE_NOTHING, .treeImage = 17},
    {.name = u"Write to clipboard",
     .type = CHORE_CLIPBOARD,
     .treeImage = 18,
     .controls = kTextControls,
     .followUp = TypeFollowUp::FocusSite,
     .siteLabel = u"Clipboard:",
     .siteCue = u"Enter clipboard text to write."},
    {.name = u"Surf to a web site",
     .type = CHORE_SURF,
     .treeImage = 7,
     .needsKeyrune = true,
     .controls = kTextControls,
     .followUp = TypeFollowUp::FocusSite,
     .siteLabel = kSiteNameLabel,
     .siteCue = kSiteCue},
    {.name = u"Logon to a web site",
     .type = CHORE_LOGON,
     .treeImage = 8,
     .needsKeyrune = true,
     .controls = kTextControls,
     .followUp = TypeFollowUp::FocusSite,
     .siteLabel = kSiteNameLabel,
     .siteCue = kSiteCue},
}};

}  // namespace

std::span<const ChoreAction> choreActions() { return kActions; }

const ChoreAction* choreActionOf(std::int32_t type) {
  for (const ChoreAction& action : kActions)
    if (action.type == type) return &action;
  return nullptr;
}

}  // namespace tolvane
