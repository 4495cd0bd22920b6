#include "shell/hotkeys/keyboard_hook.h"

#include "base/format.h"

namespace tolvane::win32 {

std::atomic<KeyboardHook*> KeyboardHook::active_{nullptr};

namespace {

bool isDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

DWORD KeyboardHook::install() {
  if (handle_) return 0;
  active_.store(this);
  handle_ = SetWindowsHookExW(WH_KEYBOARD_LL, hookProc, GetModuleHandleW(nullptr), 0);
  if (!handle_) {
    const DWORD error = GetLastError();
    active_.store(nullptr);
    log_.debug(formatText(u"SetWindowsHookEx failed; errCode= %08.8x", error));
    return error ? error : ERROR_INVALID_FUNCTION;
  }
  watchdog_.installed(GetTickCount());
  return 0;
}

void KeyboardHook::uninstall() {
  if (!handle_) return;
  UnhookWindowsHookEx(handle_);
  handle_ = nullptr;
  KeyboardHook* self = this;
  active_.compare_exchange_strong(self, nullptr);
}

void KeyboardHook::checkStillInstalled() {
  if (!handle_) return;
  LASTINPUTINFO input{};
  input.cbSize = sizeof(input);
  if (!GetLastInputInfo(&input)) return;
  const DWORD now = GetTickCount();
  if (!watchdog_.shouldReinstall(input.dwTime, now)) return;
  UnhookWindowsHookEx(handle_);
  handle_ = nullptr;
  const DWORD error = install();
  log_.debug(formatText(u"Keyboard hook missed input and was reinstalled; errCode= %08.8x", error));
}

LRESULT CALLBACK KeyboardHook::hookProc(int code, WPARAM message, LPARAM data) {
  KeyboardHook* self = active_.load();
  if (self && code >= 0) {
    const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
    self->watchdog_.keySeen(GetTickCount());
    const KeyStroke stroke{code, static_cast<std::uint16_t>(key->vkCode), key->flags};
    if (self->hook_.wantsKey(stroke)) {
      const ModifierState pressed{isDown(VK_CONTROL), isDown(VK_SHIFT), isDown(VK_MENU)};
      if (self->hook_.onKey(stroke, pressed)) return 1;
    }
  }
  return CallNextHookEx(nullptr, code, message, data);
}

}  // namespace tolvane::win32
