#include "shell/help/help_file.h"

#include <htmlhelp.h>

#include "base/format.h"
#include "platform/win32/system_library.h"
#include "win32_common/wide.h"

namespace tolvane::win32 {

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

std::wstring theHelpFile;

// hhctrl.ocx stays loaded for the rest of the run: its help windows live
// on a thread of its own and must not lose their code. Only the user
// interface thread asks for help.
HtmlHelpFunction theHtmlHelp = nullptr;

HtmlHelpFunction htmlHelp() {
  if (theHtmlHelp) return theHtmlHelp;
  HMODULE module = loadSystemLibrary(L"hhctrl.ocx");
  if (!module) return nullptr;
  theHtmlHelp = reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(module, "HtmlHelpW")));
  return theHtmlHelp;
}

bool isFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void setHelpFile(std::wstring path) { theHelpFile = std::move(path); }

HelpOutcome showHelpTopic(HWND owner, const std::wstring& file, std::u16string_view topic) {
  if (!isFile(file)) return HelpOutcome::FileMissing;
  const HtmlHelpFunction show = htmlHelp();
  if (!show) return HelpOutcome::ViewerMissing;
  const std::wstring address = file + toWide(topic);
  return show(owner, address.c_str(), HH_DISPLAY_TOPIC, 0) ? HelpOutcome::Opened : HelpOutcome::ViewerFailed;
}

std::u16string helpFailureText(HelpOutcome outcome, const std::wstring& file) {
  const std::u16string path = fromWide(file);
  switch (outcome) {
    case HelpOutcome::Opened:
      return {};
    case HelpOutcome::FileMissing:
      return formatText(
          u"The help file was not found:\n%s\n\nIt belongs in the folder that holds Tolvane.exe; reinstalling "
          u"Tolvane restores it.",
          path);
    case HelpOutcome::ViewerMissing:
      return formatText(
          u"Windows HTML Help (hhctrl.ocx) could not be loaded, so the help file cannot be shown:\n%s", path);
    case HelpOutcome::ViewerFailed:
      return formatText(
          u"The help file could not be opened:\n%s\n\nIt may be damaged; reinstalling Tolvane restores it.", path);
  }
  return {};
}

bool openHelp(HWND owner, std::u16string_view topic) {
  const HelpOutcome outcome = showHelpTopic(owner, theHelpFile, topic);
  if (outcome == HelpOutcome::Opened) return true;
  MessageBoxW(owner, toWide(helpFailureText(outcome, theHelpFile)).c_str(), L"Tolvane", MB_OK | MB_ICONWARNING);
  return false;
}

void closeHelp() {
  if (theHtmlHelp) theHtmlHelp(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace tolvane::win32
