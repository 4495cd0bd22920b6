#include "editors/wizard/start_menu.h"

#include <algorithm>

#include "base/text.h"
#include "editors/name_order.h"

namespace tolvane {
namespace {

// A folder that links back to one above it (a junction) must not make the
// menu endless.
constexpr int kMaxDepth = 32;

std::u16string menuText(std::u16string_view fileName) {
  if (endsWithIgnoreAsciiCase(fileName, u".lnk")) fileName.remove_suffix(4);
  return std::u16string(fileName);
}

bool lessIgnoringCase(const FolderEntry& a, const FolderEntry& b) { return sortsBeforeIgnoringCase(a.name, b.name); }

class MenuBuilder {
 public:
  explicit MenuBuilder(const Files& files) : files_(files) {}

  StartMenu build(std::u16string_view folder, int depth) {
    std::vector<FolderEntry> entries = files_.folderEntries(folder).value_or(std::vector<FolderEntry>{});
    std::sort(entries.begin(), entries.end(), lessIgnoringCase);
    const std::u16string prefix = std::u16string(folder) + u"\\";
    StartMenu items;
    for (const FolderEntry& entry : entries) {
      if (entry.isFolder || entry.isHidden || nextId_ > kLastStartMenuCommand) continue;
      items.push_back({menuText(entry.name), prefix + entry.name, nextId_++, {}});
    }
    if (depth >= kMaxDepth) return items;
    for (const FolderEntry& entry : entries) {
      if (!entry.isFolder || nextId_ > kLastStartMenuCommand) continue;
      StartMenu submenu = build(prefix + entry.name, depth + 1);
      if (!submenu.empty()) items.push_back({entry.name, {}, 0, std::move(submenu)});
    }
    return items;
  }

 private:
  const Files& files_;
  int nextId_ = kFirstStartMenuCommand;
};

}  // namespace

StartMenu buildStartMenu(const Files& files, std::u16string_view folder) {
  if (folder.empty()) return {};
  return MenuBuilder(files).build(folder, 0);
}

const StartMenuItem* findStartMenuProgram(const StartMenu& menu, int commandId) {
  for (const StartMenuItem& item : menu) {
    if (item.commandId == commandId && !item.isSubmenu()) return &item;
    if (const StartMenuItem* found = findStartMenuProgram(item.submenu, commandId)) return found;
  }
  return nullptr;
}

}  // namespace tolvane
