#include "engine/executor/shortcut_target.h"

#include "base/format.h"
#include "base/text.h"

namespace tolvane {

namespace {

constexpr std::u16string_view kShortcutExtension = u".lnk";

std::u16string_view fileNameOf(std::u16string_view path) {
  const auto slash = path.find_last_of(u"\\/");
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool isShortcutPath(std::u16string_view path) { return endsWithIgnoreAsciiCase(path, kShortcutExtension); }

std::u16string getShortcutTarget(ShellActions& shell, LogSink& log, std::u16string_view shortcutPath) {
  const ShortcutTarget target = shell.shortcutTarget(shortcutPath);
  switch (target.status) {
    case ShortcutTarget::Status::Path:
      return target.path;
    case ShortcutTarget::Status::NoPath:
      return std::u16string(shortcutPath);
    case ShortcutTarget::Status::CreateFailed:
      log.debug(formatText(u"CoCreateInstance in getShortcutTarget failed; errCode= %08.8x", target.code));
      return {};
    case ShortcutTarget::Status::GetPathFailed:
      break;
  }
  log.debug(formatText(u"GetPath in getShortcutTarget failed; errCode= %08.8x", target.code));
  return {};
}

RunningInstanceKey runningInstanceKey(ShellActions& shell, LogSink& log, std::u16string_view object) {
  if (!isShortcutPath(object)) return {std::u16string(object), false};
  const std::u16string target = getShortcutTarget(shell, log, object);
  if (!isShortcutPath(target) && !target.empty()) return {target, false};
  // Advertised shortcuts name no file: the shortcut's own name has to do.
  std::u16string_view name = fileNameOf(object);
  name.remove_suffix(kShortcutExtension.size());
  return {std::u16string(name), true};
}

std::optional<WindowHandle> findRunningInstance(const WindowInfoList& windows, const RunningInstanceKey& key) {
  for (const WindowInfo& window : windows) {
    std::u16string_view module = window.moduleBaseName;
    if (key.byName) {
      if (module.size() <= 4) continue;
      module.remove_suffix(4);
    }
    if (module.empty()) continue;
    if (containsIgnoreAsciiCase(key.text, module)) return window.window;
  }
  return std::nullopt;
}

}  // namespace tolvane
