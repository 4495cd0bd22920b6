#include "editors/chore/desktop_shortcuts.h"

#include <algorithm>

#include "base/format.h"
#include "base/text.h"
#include "editors/name_order.h"

namespace tolvane {
namespace {

constexpr std::u16string_view kShellFolders = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
// Junctions can make a folder its own descendant; no desktop is this deep.
constexpr int kMaxDepth = 16;

bool lessIgnoringCase(const FolderEntry& a, const FolderEntry& b) { return sortsBeforeIgnoringCase(a.name, b.name); }

void addUnique(std::vector<std::u16string>& paths, std::u16string path) {
  if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(std::move(path));
}

void collectShortcuts(const Files& files, const std::u16string& folder, int depth,
                      std::vector<std::u16string>& paths) {
  std::optional<std::vector<FolderEntry>> entries = files.folderEntries(folder);
  if (!entries) return;
  std::sort(entries->begin(), entries->end(), lessIgnoringCase);
  const std::u16string prefix = folder.ends_with(u'\\') ? folder : folder + u"\\";
  for (const FolderEntry& entry : *entries) {
    if (!entry.isFolder && !entry.isHidden && endsWithIgnoreAsciiCase(entry.name, u".lnk"))
      addUnique(paths, prefix + entry.name);
  }
  if (depth >= kMaxDepth) return;
  for (const FolderEntry& entry : *entries) {
    if (entry.isFolder && !entry.isHidden) collectShortcuts(files, prefix + entry.name, depth + 1, paths);
  }
}

}  // namespace

std::optional<std::vector<std::u16string>> listDesktopShortcuts(Registry& registry, const Files& files,
                                                                 LogSink& log, std::u16string_view current) {
  const ExpandedValue userDesktop = registry.readExpandedString(RegistryRoot::CurrentUser, kShellFolders, u"Desktop");
  if (userDesktop.keyError != 0) {
    log.debug(formatText(u"Desktop folder not found. %08.8x", userDesktop.keyError));
    return std::nullopt;
  }
  std::vector<std::u16string> paths;
  if (!current.empty()) paths.emplace_back(current);
  if (userDesktop.value && !userDesktop.value->empty()) collectShortcuts(files, *userDesktop.value, 0, paths);
  const ExpandedValue commonDesktop =
      registry.readExpandedString(RegistryRoot::LocalMachine, kShellFolders, u"Common Desktop");
  if (commonDesktop.value && !commonDesktop.value->empty()) collectShortcuts(files, *commonDesktop.value, 0, paths);
  return paths;
}

}  // namespace tolvane
