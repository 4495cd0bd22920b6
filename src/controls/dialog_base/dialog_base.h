#pragma once
// The one dialog class every window of the program builds on: a static
// dialog procedure that forwards each message to the object behind the
// window. Dialogs run modally through runModal, which keeps a message loop
// of its own so that accelerators, dialog keys and Enter on a chosen button
// all work.
//
// It also carries what every dialog needs once: control texts in and out
// (UTF-16), check boxes, combo and list boxes filled from a vector and read
// back, focus with the text selected, Enter on a button, centring on the
// owner and DPI scaling. The editors bind controls to their forms' fields
// in editors/common/win32/form_binding.h.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tolvane::win32 {

class CDialogBase {
 public:
  CDialogBase(HINSTANCE instance, int templateId) : instance_(instance), templateId_(templateId) {}
  virtual ~CDialogBase();
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  // Creates the dialog and runs until endDialog; returns its result, or -1
  // when the dialog could not be created. `accelerators` may be null.
  INT_PTR runModal(HWND owner, HACCEL accelerators = nullptr);

  // Creates the dialog without running a loop (tests, child dialogs).
  HWND create(HWND owner);

  void endDialog(INT_PTR result);

  HWND hwnd() const { return hwnd_; }
  HWND item(int id) const { return GetDlgItem(hwnd_, id); }
  HINSTANCE instance() const { return instance_; }

  // Control texts.
  std::u16string text(int id) const;
  void setText(int id, std::u16string_view text) const;
  // Check boxes and radio buttons.
  bool isChecked(int id) const;
  void setChecked(int id, bool checked) const;
  void enable(int id, bool enabled) const;

  // Combo boxes and list boxes alike: the items, in order, replacing what
  // was there; the items back; the selection by index (-1: none; the first
  // selected one of a multiple-selection list), which list views give too.
  void setItems(int id, const std::vector<std::u16string>& items) const;
  std::vector<std::u16string> items(int id) const;
  int selectedIndex(int id) const;
  void selectIndex(int id, int index) const;
  // A list box with multiple selection: the selected indices in order.
  std::vector<int> selectedIndices(int id) const;

  // Focus on the control with its whole text selected, so that typing
  // replaces it (an edit, or an editable combo box).
  void focusAndSelect(int id) const;

  // Enter while one of these buttons has the focus runs that button, not
  // the dialog's default one.
  void setEnterButtons(std::vector<int> ids) { enterButtons_ = std::move(ids); }

  // Centres the dialog over its owner (the screen's work area without
  // one), kept inside the owner's monitor.
  void centreOnOwner() const;

  // The window's DPI over 96; pixels at 96 DPI scaled to it.
  double dpiScale() const;
  int scaled(int pixelsAt96) const { return static_cast<int>(pixelsAt96 * dpiScale() + 0.5); }

 protected:
  // WM_INITDIALOG; return TRUE to let the system set the focus.
  virtual BOOL onInitDialog() { return TRUE; }
  // Every other message; return TRUE when handled (set the result with
  // setResult), FALSE for the default handling.
  virtual INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  void setResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

  // Every message of runModal's loop, before accelerators and dialog keys
  // see it (keys meant for a child dialog, say); true when it was handled.
  virtual bool preTranslateMessage(const MSG&) { return false; }

 private:
  static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Enter on one of enterButtons_: clicks it; true when it did.
  bool clickFocusedEnterButton(const MSG& message);

  HINSTANCE instance_;
  int templateId_;
  HWND hwnd_ = nullptr;
  bool ended_ = false;
  INT_PTR result_ = 0;
  std::vector<int> enterButtons_;
};

}  // namespace tolvane::win32
