// e2e_probe.exe: looks at and drives Tolvane's windows from inside the
// Wine desktop, for the end-to-end scripts (X tools see only the desktop's
// one X window).
//
//   e2e_probe main-window SECONDS          wait for the main window; prints its handle
//   e2e_probe message CAPTION SECONDS      wait for a message box; prints its text
//   e2e_probe answer CAPTION BUTTON-ID     click a message box button (1 OK, 6 Yes, 7 No)
//   e2e_probe command WM_COMMAND-ID        post a command to the main window
//   e2e_probe send-command ID SECONDS      send it, as the installer does; exit code 1 when the
//                                          main window has not returned from it in time
//   e2e_probe end-session                  tell the main window the Windows session ends
//   e2e_probe hold FILE RELEASE SECONDS    hold FILE open, shared for reading only (as a program
//                                          that uses it), print "held", and let it go once the file
//                                          RELEASE exists or the time is up
//   e2e_probe tree                         print the chore tree, one item a line, indented
//   e2e_probe activity                     print the activity list's rows
//   e2e_probe status                       print the status bar's two panes
//   e2e_probe gone SECONDS                 wait until no main window is left
//   e2e_probe menu SECONDS                 wait for a popup menu to show
//   e2e_probe menu-key KEY...              type keys into the open popup menu: characters,
//                                          or end, up, down, return
//   e2e_probe menu-gone SECONDS            wait until no popup menu shows
//   e2e_probe menu-greyed                  print the open popup menu's items as they show,
//                                          one line each, top to bottom: 1 greyed, 0 not
//   e2e_probe box-rect CAPTION SECONDS     print a message box's outer rectangle
//   e2e_probe rect                         print the main window's outer rectangle
//   e2e_probe raise                        bring the main window to the top
//   e2e_probe visible                      print 1 when the main window shows, else 0
//   e2e_probe tree-item-rect PATH          scroll a tree item into view and print the
//                                          screen rectangle of its label; PATH is "Chores/Backup",
//                                          "Chore Lists/Morning/Docs", ...
//   e2e_probe tree-select PATH             make the tree item the selection, where no click
//                                          is the point of the test
//   e2e_probe toolbar-rect ID              print the screen rectangle of a toolbar button
//   e2e_probe tree-edit                    print the text of the tree's label editor
//                                          (exit code 1 when none is open)
//   e2e_probe shortcut LINK TARGET         save a shell link LINK (.lnk) to TARGET
// Dialogs (any window but the main one, found by its exact caption) and
// their controls by id; a control inside a child dialog (a wizard's page)
// is found too:
//   e2e_probe dialog CAPTION SECONDS       wait for the dialog; prints its handle
//   e2e_probe dialog-gone CAPTION SECONDS  wait until no such dialog shows
//   e2e_probe control-text CAPTION ID      print the control's text
//   e2e_probe checked CAPTION ID           print 1 (checked), 0, or 2 (indeterminate)
//   e2e_probe items CAPTION ID             print a list or combo box's items, one a
//                                          line, the selected ones marked " [selected]"
//   e2e_probe control-rect CAPTION ID      print the control's screen rectangle
//   e2e_probe enabled CAPTION ID           print 1 when the control is enabled, else 0
//   e2e_probe controls CAPTION             print every control: id, class and text
//   e2e_probe rows CAPTION ID              print a report list's rows, cells joined by
//                                          " | ", the selected one marked " [selected]"
//   e2e_probe row-rect CAPTION ID ROW      print a report list row's screen rectangle
//   e2e_probe count CAPTION                print how many such dialogs show
//   e2e_probe close CAPTION                close the dialog as its close box would
//   e2e_probe raise-dialog CAPTION         bring the dialog to the top, as a click on it does
//   e2e_probe datetime CAPTION ID          print a date-time picker's value, YYYY-MM-DD HH:MM:SS,
//                                          or "none" when it holds no value
// and of the main window:
//   e2e_probe topmost                      print 1 when the main window is topmost, else 0
//   e2e_probe tree-color                   print the tree's background colour (0xBBGGRR, hex)
// Exit code 0 on success, 1 on time-out or when nothing was found.

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <utility>

namespace {

constexpr int kTreeId = 1000;
constexpr int kActivityId = 1001;
constexpr int kStatusBarId = 59393;
constexpr int kToolbarId = 59392;

struct Search {
  const wchar_t* caption;
  bool wantMain;
  HWND found;
};

bool isMainWindow(HWND window) { return GetDlgItem(window, kTreeId) != nullptr; }

BOOL CALLBACK findWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (wcscmp(title, search->caption) != 0) return TRUE;
  if (search->wantMain != isMainWindow(window)) return TRUE;
  if (!search->wantMain && !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND find(const wchar_t* caption, bool wantMain) {
  Search search{caption, wantMain, nullptr};
  EnumWindows(findWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Asks every tenth of a second until the answer is a window, or true;
// the last answer once the time is up.
template <typename Ask>
auto waitUntil(double seconds, Ask ask) -> decltype(ask()) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (auto answer = ask()) return answer;
    if (GetTickCount() > end) return {};
    Sleep(100);
  }
}

HWND waitFor(const wchar_t* caption, bool wantMain, double seconds) {
  return waitUntil(seconds, [&] { return find(caption, wantMain); });
}

// The popup menu that shows (the tray's) once its owner tracks it, so
// that keys reach it; null when none does.
HWND trackedMenu() {
  HWND menu = FindWindowW(L"#32768", nullptr);
  GUITHREADINFO thread{};
  thread.cbSize = sizeof(thread);
  if (menu && IsWindowVisible(menu) && GetGUIThreadInfo(GetWindowThreadProcessId(menu, nullptr), &thread) &&
      (thread.flags & GUI_INMENUMODE)) {
    return menu;
  }
  return nullptr;
}

HWND waitForMenu(double seconds) { return waitUntil(seconds, trackedMenu); }

void print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fputc('\n', stdout);
}

void printRect(const RECT& rect) {
  print(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " + std::to_wstring(rect.right) + L" " +
        std::to_wstring(rect.bottom));
}

void printRect(HWND window) {
  RECT outer{};
  GetWindowRect(window, &outer);
  printRect(outer);
}

// Another process's menu items cannot be read under Wine, so the items are
// told apart on the screen: each is a band of rows drawn over the menu's
// background (a row drawn all across is the frame), and only an item that
// is not greyed has dark text.
bool printGreyedItems(HWND menu) {
  RECT client{};
  GetClientRect(menu, &client);
  MapWindowPoints(menu, nullptr, reinterpret_cast<POINT*>(&client), 2);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 2 || height <= 2) return false;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, client.left, client.top, SRCCOPY);
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const std::uint32_t background = pixels[width + 1] & 0xFFFFFF;
  const auto dark = [](std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFF) < 0x60 && ((pixel >> 8) & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
  };
  bool inItem = false;
  bool itemDark = false;
  for (int y = 0; y < height; ++y) {
    int drawn = 0;
    bool rowDark = false;
    for (int x = 1; x < width - 1; ++x) {
      const std::uint32_t pixel = pixels[y * width + x] & 0xFFFFFF;
      if (pixel != background) ++drawn;
      rowDark = rowDark || dark(pixel);
    }
    const bool ink = drawn > 0 && drawn < width - 2;
    if (ink && !inItem) itemDark = false;
    if (ink) itemDark = itemDark || rowDark;
    if (!ink && inItem) print(itemDark ? L"0" : L"1");
    inItem = ink;
  }
  if (inItem) print(itemDark ? L"0" : L"1");
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return true;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM data) {
  wchar_t className[64] = {};
  GetClassNameW(child, className, 64);
  if (_wcsicmp(className, L"Static") == 0 && GetDlgCtrlID(child) == 0xFFFF) {
    wchar_t text[4096] = {};
    GetWindowTextW(child, text, 4096);
    *reinterpret_cast<std::wstring*>(data) += text;
  }
  return TRUE;
}

// Item texts of another process's controls: the buffers must live in it.
class RemoteBuffer {
 public:
  RemoteBuffer(HWND window, std::size_t size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) memory_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteBuffer() {
    if (memory_) VirtualFreeEx(process_, memory_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  void* address() const { return memory_; }
  bool write(const void* data, std::size_t size, std::size_t offset = 0) {
    return WriteProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, nullptr);
  }
  bool read(void* data, std::size_t size, std::size_t offset = 0) {
    return ReadProcessMemory(process_, static_cast<char*>(memory_) + offset, data, size, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* memory_ = nullptr;
};

constexpr std::size_t kTextOffset = 1024;
constexpr std::size_t kTextUnits = 1024;

// The text a control has just written into the remote buffer's text part.
std::wstring remoteText(RemoteBuffer& remote) {
  std::wstring text(kTextUnits, L'\0');
  remote.read(text.data(), kTextUnits * sizeof(wchar_t), kTextOffset);
  text.resize(wcsnlen(text.c_str(), kTextUnits));
  return text;
}

std::wstring treeItemText(HWND tree, RemoteBuffer& remote, HTREEITEM item) {
  TVITEMW query{};
  query.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_IMAGE | TVIF_STATE;
  query.stateMask = TVIS_SELECTED | TVIS_EXPANDED;
  query.hItem = item;
  query.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + kTextOffset);
  query.cchTextMax = kTextUnits;
  remote.write(&query, sizeof(query));
  SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.address()));
  remote.read(&query, sizeof(query));
  std::wstring text = remoteText(remote);
  text += L" [" + std::to_wstring(query.iImage) + L"]";
  if (query.state & TVIS_SELECTED) text += L" selected";
  if (query.state & TVIS_EXPANDED) text += L" expanded";
  return text;
}

void printTree(HWND tree, RemoteBuffer& remote, HTREEITEM first, int depth) {
  for (HTREEITEM item = first; item; item = TreeView_GetNextSibling(tree, item)) {
    print(std::wstring(depth * 2, L' ') + treeItemText(tree, remote, item));
    printTree(tree, remote, TreeView_GetChild(tree, item), depth + 1);
  }
}

std::wstring listCell(HWND list, RemoteBuffer& remote, int row, int column, LPARAM* data) {
  LVITEMW query{};
  query.mask = LVIF_TEXT | LVIF_PARAM;
  query.iItem = row;
  query.iSubItem = column;
  query.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + kTextOffset);
  query.cchTextMax = kTextUnits;
  remote.write(&query, sizeof(query));
  SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote.address()));
  remote.read(&query, sizeof(query));
  if (data) *data = query.lParam;
  return remoteText(remote);
}

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK findControl(HWND child, LPARAM data) {
  auto* search = reinterpret_cast<ControlSearch*>(data);
  if (GetDlgCtrlID(child) != search->id || !IsWindowVisible(child)) return TRUE;
  search->found = child;
  return FALSE;
}

// A direct child first, else the first visible descendant with the id.
HWND dialogControl(HWND dialog, int id) {
  if (HWND direct = GetDlgItem(dialog, id)) return direct;
  ControlSearch search{id, nullptr};
  EnumChildWindows(dialog, findControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring className(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// WM_GETTEXT, LB_GETTEXT and CB_GETLBTEXT carry their text across
// processes by themselves.
std::wstring controlText(HWND control) {
  const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(wcsnlen(text.c_str(), text.size()));
  return text;
}

void printItems(HWND control) {
  const bool combo = _wcsicmp(className(control).c_str(), L"ComboBox") == 0;
  const int count = static_cast<int>(SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const bool multiple = !combo && (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL));
  const int current = static_cast<int>(SendMessageW(control, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcsnlen(text.c_str(), text.size()));
    const bool selected = multiple ? SendMessageW(control, LB_GETSEL, i, 0) > 0 : i == current;
    print(text + (selected ? L" [selected]" : L""));
  }
}

BOOL CALLBACK printControl(HWND child, LPARAM) {
  print(std::to_wstring(GetDlgCtrlID(child)) + L" " + className(child) + L" " + controlText(child));
  return TRUE;
}

void printRows(HWND list) {
  RemoteBuffer remote(list, kTextOffset + kTextUnits * sizeof(wchar_t));
  if (!remote.address()) return;
  const int columns = Header_GetItemCount(ListView_GetHeader(list));
  const int rows = ListView_GetItemCount(list);
  for (int row = 0; row < rows; ++row) {
    std::wstring line;
    for (int column = 0; column < columns; ++column) {
      line += (column ? L" | " : L"") + listCell(list, remote, row, column, nullptr);
    }
    print(line + (ListView_GetItemState(list, row, LVIS_SELECTED) ? L" [selected]" : L""));
  }
}

bool printRowRect(HWND list, int row) {
  RemoteBuffer remote(list, sizeof(RECT));
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  if (!remote.address() || !remote.write(&bounds, sizeof(bounds))) return false;
  if (!SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.address()))) return false;
  remote.read(&bounds, sizeof(bounds));
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  printRect(bounds);
  return true;
}

// The item at the end of a path of labels from the roots; null when any
// part is missing.
HTREEITEM treeItemByPath(HWND tree, RemoteBuffer& remote, const std::wstring& path) {
  HTREEITEM item = nullptr;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t slash = path.find(L'/', start);
    const std::wstring part = path.substr(start, slash == std::wstring::npos ? std::wstring::npos : slash - start);
    HTREEITEM child = item ? TreeView_GetChild(tree, item) : TreeView_GetRoot(tree);
    while (child) {
      const std::wstring text = treeItemText(tree, remote, child);
      if (text.compare(0, part.size() + 2, part + L" [") == 0) break;
      child = TreeView_GetNextSibling(tree, child);
    }
    if (!child) return nullptr;
    item = child;
    if (slash == std::wstring::npos) break;
    start = slash + 1;
  }
  return item;
}

BOOL CALLBACK countDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<std::pair<const wchar_t*, int>*>(data);
  wchar_t title[256] = {};
  GetWindowTextW(window, title, 256);
  if (wcscmp(title, search->first) == 0 && IsWindowVisible(window) && !isMainWindow(window)) ++search->second;
  return TRUE;
}

void printDateTime(HWND picker) {
  RemoteBuffer remote(picker, sizeof(SYSTEMTIME));
  SYSTEMTIME time{};
  if (!remote.address()) return;
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(remote.address())) != GDT_VALID) {
    print(L"none");
    return;
  }
  remote.read(&time, sizeof(time));
  wchar_t text[32] = {};
  swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute,
           time.wSecond);
  print(text);
}

std::wstring statusPane(HWND bar, RemoteBuffer& remote, int pane) {
  const std::wstring blank(kTextUnits, L'\0');
  remote.write(blank.data(), kTextUnits * sizeof(wchar_t), kTextOffset);
  SendMessageW(bar, SB_GETTEXTW, pane, reinterpret_cast<LPARAM>(static_cast<char*>(remote.address()) + kTextOffset));
  return remoteText(remote);
}

// A Start Menu entry as an installer leaves one.
bool saveShortcut(const std::wstring& link, const std::wstring& target) {
  if (FAILED(CoInitialize(nullptr))) return false;
  bool saved = false;
  IShellLinkW* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->SetPath(target.c_str())) &&
        SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      saved = SUCCEEDED(file->Save(link.c_str(), TRUE));
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 2;
  const std::wstring verb = argv[1];
  auto arg = [&](int i) { return i < argc ? std::wstring(argv[i]) : std::wstring(); };
  auto seconds = [&](int i) { return i < argc ? _wtof(argv[i]) : 10.0; };

  if (verb == L"main-window") {
    HWND window = waitFor(L"Tolvane", true, seconds(2));
    if (!window) return 1;
    print(std::to_wstring(reinterpret_cast<std::uintptr_t>(window)));
    return 0;
  }
  if (verb == L"gone") return waitUntil(seconds(2), [] { return !find(L"Tolvane", true); }) ? 0 : 1;
  if (verb == L"message") {
    const std::wstring caption = arg(2);
    HWND box = waitFor(caption.c_str(), false, seconds(3));
    if (!box) return 1;
    std::wstring text;
    EnumChildWindows(box, collectStatic, reinterpret_cast<LPARAM>(&text));
    print(text);
    return 0;
  }
  if (verb == L"box-rect") {
    // Where a message box is, so that a test can click it as a user would.
    const std::wstring caption = arg(2);
    HWND box = waitFor(caption.c_str(), false, seconds(3));
    if (!box) return 1;
    printRect(box);
    return 0;
  }
  if (verb == L"answer") {
    const std::wstring caption = arg(2);
    HWND box = waitFor(caption.c_str(), false, 5);
    if (!box) return 1;
    const int button = _wtoi(arg(3).c_str());
    HWND control = GetDlgItem(box, button);
    if (!control) return 1;
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (verb == L"shortcut") return saveShortcut(arg(2), arg(3)) ? 0 : 1;
  if (verb == L"hold") {
    HANDLE held = CreateFileW(arg(2).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    print(L"held");
    std::fflush(stdout);
    const std::wstring release = arg(3);
    waitUntil(seconds(4), [&] { return GetFileAttributesW(release.c_str()) != INVALID_FILE_ATTRIBUTES; });
    CloseHandle(held);
    return 0;
  }
  if (verb == L"menu") return waitForMenu(seconds(2)) ? 0 : 1;
  if (verb == L"menu-gone") return waitUntil(seconds(2), [] { return !trackedMenu(); }) ? 0 : 1;
  if (verb == L"menu-greyed") {
    HWND menu = waitForMenu(5);
    return menu && printGreyedItems(menu) ? 0 : 1;
  }
  if (verb == L"dialog") {
    HWND dialog = waitFor(arg(2).c_str(), false, seconds(3));
    if (!dialog) return 1;
    print(std::to_wstring(reinterpret_cast<std::uintptr_t>(dialog)));
    return 0;
  }
  if (verb == L"dialog-gone") {
    const std::wstring caption = arg(2);
    return waitUntil(seconds(3), [&] { return !find(caption.c_str(), false); }) ? 0 : 1;
  }
  if (verb == L"count") {
    const std::wstring caption = arg(2);
    std::pair<const wchar_t*, int> search{caption.c_str(), 0};
    EnumWindows(countDialog, reinterpret_cast<LPARAM>(&search));
    print(std::to_wstring(search.second));
    return 0;
  }
  if (verb == L"close") {
    HWND dialog = find(arg(2).c_str(), false);
    return dialog && PostMessageW(dialog, WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (verb == L"raise-dialog") {
    HWND dialog = find(arg(2).c_str(), false);
    if (!dialog) return 1;
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return SetForegroundWindow(dialog) ? 0 : 1;
  }
  if (verb == L"controls") {
    HWND dialog = find(arg(2).c_str(), false);
    if (!dialog) return 1;
    EnumChildWindows(dialog, printControl, 0);
    return 0;
  }
  if (verb == L"control-text" || verb == L"checked" || verb == L"items" || verb == L"control-rect" ||
      verb == L"enabled" || verb == L"datetime") {
    HWND dialog = find(arg(2).c_str(), false);
    HWND control = dialog ? dialogControl(dialog, _wtoi(arg(3).c_str())) : nullptr;
    if (!control) return 1;
    if (verb == L"control-text") print(controlText(control));
    if (verb == L"checked") print(std::to_wstring(SendMessageW(control, BM_GETCHECK, 0, 0)));
    if (verb == L"items") printItems(control);
    if (verb == L"control-rect") printRect(control);
    if (verb == L"enabled") print(IsWindowEnabled(control) ? L"1" : L"0");
    if (verb == L"datetime") printDateTime(control);
    return 0;
  }
  if (verb == L"rows" || verb == L"row-rect") {
    HWND dialog = find(arg(2).c_str(), false);
    HWND list = dialog ? dialogControl(dialog, _wtoi(arg(3).c_str())) : nullptr;
    if (!list) return 1;
    if (verb == L"rows") printRows(list);
    return verb == L"rows" || printRowRect(list, _wtoi(arg(4).c_str())) ? 0 : 1;
  }
  if (verb == L"menu-key") {
    // Keys for the popup menu that is open (the tray's), as if typed: a
    // character, or end, up, down or return.
    HWND menu = waitForMenu(5);
    if (!menu) return 1;
    const struct {
      const wchar_t* name;
      UINT virtualKey;
    } named[] = {{L"end", VK_END}, {L"up", VK_UP}, {L"down", VK_DOWN}, {L"return", VK_RETURN}};
    for (int i = 2; i < argc; ++i) {
      const std::wstring key = arg(i);
      UINT virtualKey = 0;
      for (const auto& entry : named) {
        if (key == entry.name) virtualKey = entry.virtualKey;
      }
      if (virtualKey == 0) virtualKey = static_cast<UINT>(towupper(key.empty() ? L'\0' : key[0]));
      PostMessageW(menu, WM_KEYDOWN, virtualKey, 0);
      if (key.size() == 1) PostMessageW(menu, WM_CHAR, key[0], 0);
      PostMessageW(menu, WM_KEYUP, virtualKey, 0xC0000000);
    }
    return 0;
  }
  HWND main = find(L"Tolvane", true);
  if (!main) return 1;
  if (verb == L"command") {
    return PostMessageW(main, WM_COMMAND, MAKEWPARAM(_wtoi(arg(2).c_str()), 0), 0) ? 0 : 1;
  }
  if (verb == L"send-command") {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(_wtoi(arg(2).c_str()), 0), 0, SMTO_NORMAL,
                               static_cast<UINT>(seconds(3) * 1000), &result)
               ? 0
               : 1;
  }
  if (verb == L"end-session") {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &result);
    return SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 30000, &result) ? 0 : 1;
  }
  if (verb == L"rect") {
    printRect(main);
    return 0;
  }
  if (verb == L"raise") {
    // As a user clicking the window: it comes above windows that opened later.
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return SetForegroundWindow(main) ? 0 : 1;
  }
  if (verb == L"topmost") {
    print((GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L"1" : L"0");
    return 0;
  }
  if (verb == L"tree-color") {
    wchar_t color[16] = {};
    swprintf(color, 16, L"%06lx", static_cast<unsigned long>(TreeView_GetBkColor(GetDlgItem(main, kTreeId))));
    print(color);
    return 0;
  }
  if (verb == L"visible") {
    print(IsWindowVisible(main) ? L"1" : L"0");
    return 0;
  }
  RemoteBuffer remote(main, kTextOffset + kTextUnits * sizeof(wchar_t));
  if (!remote.address()) return 1;
  if (verb == L"tree") {
    HWND tree = GetDlgItem(main, kTreeId);
    printTree(tree, remote, TreeView_GetRoot(tree), 0);
    return 0;
  }
  if (verb == L"tree-item-rect") {
    HWND tree = GetDlgItem(main, kTreeId);
    HTREEITEM item = treeItemByPath(tree, remote, arg(2));
    if (!item) return 1;
    // Scrolled into view first, as a user would.
    TreeView_EnsureVisible(tree, item);
    // TVM_GETITEMRECT takes the item in the rectangle's place.
    remote.write(&item, sizeof(item));
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.address()))) return 1;
    RECT label{};
    remote.read(&label, sizeof(label));
    MapWindowPoints(tree, nullptr, reinterpret_cast<POINT*>(&label), 2);
    printRect(label);
    return 0;
  }
  if (verb == L"tree-select") {
    HWND tree = GetDlgItem(main, kTreeId);
    HTREEITEM item = treeItemByPath(tree, remote, arg(2));
    return item && TreeView_SelectItem(tree, item) ? 0 : 1;
  }
  if (verb == L"toolbar-rect") {
    HWND toolbar = GetDlgItem(main, kToolbarId);
    if (!SendMessageW(toolbar, TB_GETRECT, _wtoi(arg(2).c_str()), reinterpret_cast<LPARAM>(remote.address())))
      return 1;
    RECT button{};
    remote.read(&button, sizeof(button));
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    printRect(button);
    return 0;
  }
  if (verb == L"tree-edit") {
    HWND edit = TreeView_GetEditControl(GetDlgItem(main, kTreeId));
    if (!edit) return 1;
    print(controlText(edit));
    return 0;
  }
  if (verb == L"activity") {
    HWND list = GetDlgItem(main, kActivityId);
    const int rows = ListView_GetItemCount(list);
    for (int row = 0; row < rows; ++row) {
      LPARAM isError = 0;
      const std::wstring time = listCell(list, remote, row, 0, &isError);
      print(time + L" " + listCell(list, remote, row, 1, nullptr) + (isError ? L" [error]" : L""));
    }
    return 0;
  }
  if (verb == L"status") {
    HWND bar = GetDlgItem(main, kStatusBarId);
    print(statusPane(bar, remote, 0));
    print(statusPane(bar, remote, 1));
    return 0;
  }
  return 2;
}
