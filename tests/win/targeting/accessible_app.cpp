// A program without a classic menu that offers its own accessible menu bar,
// for the accessibility tests (Wine has no accessible objects for menus):
//   targeting_accessible_app.exe TITLE
// Window -> title bar, "Menu" (menu bar) -> File -> popup -> New, Save As...
//                                        -> Edit -> Paste (greyed), Copy
// Carrying out an item's default action retitles the window "invoked NAME".

#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

HWND mainWindow = nullptr;

// Objects live as long as the program; reference counts are kept only to
// answer COM correctly.
class Node : public IAccessible {
 public:
  Node(std::wstring name, long role, long state) : name_(std::move(name)), role_(role), state_(state) {}

  Node* add(Node* child) {
    child->parent_ = this;
    children_.push_back(child);
    return child;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&references_); }

  // IDispatch
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    *parent = parent_;
    if (parent_) parent_->AddRef();
    return parent_ ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    *count = static_cast<long>(children_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    *dispatch = nullptr;
    if (child.vt != VT_I4 || child.lVal < 1 || child.lVal > static_cast<long>(children_.size())) return E_INVALIDARG;
    *dispatch = children_[child.lVal - 1];
    (*dispatch)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!isSelf(child)) return E_INVALIDARG;
    *name = SysAllocString(name_.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    *value = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!isSelf(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = role_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!isSelf(child)) return E_INVALIDARG;
    state->vt = VT_I4;
    state->lVal = state_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override {
    *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
    *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    focus->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    selection->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* text) override {
    *text = SysAllocString(L"Execute");
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!isSelf(child)) return E_INVALIDARG;
    if (state_ & STATE_SYSTEM_UNAVAILABLE) return DISP_E_MEMBERNOTFOUND;
    SetWindowTextW(mainWindow, (L"invoked " + name_).c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static bool isSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  std::wstring name_;
  long role_;
  long state_;
  Node* parent_ = nullptr;
  std::vector<Node*> children_;
  LONG references_ = 1;
};

constexpr long kItem = STATE_SYSTEM_FOCUSABLE;

Node* buildTree(const std::wstring& title) {
  Node* root = new Node(title, ROLE_SYSTEM_WINDOW, kItem);
  root->add(new Node(title, ROLE_SYSTEM_TITLEBAR, 0));
  Node* bar = root->add(new Node(L"Menu", ROLE_SYSTEM_MENUBAR, 0));
  Node* file = bar->add(new Node(L"File", ROLE_SYSTEM_MENUITEM, kItem));
  Node* popup = file->add(new Node(L"File", ROLE_SYSTEM_MENUPOPUP, 0));
  popup->add(new Node(L"New", ROLE_SYSTEM_MENUITEM, kItem));
  popup->add(new Node(L"Save As...", ROLE_SYSTEM_MENUITEM, kItem));
  Node* edit = bar->add(new Node(L"Edit", ROLE_SYSTEM_MENUITEM, kItem));
  edit->add(new Node(L"Paste", ROLE_SYSTEM_MENUITEM, kItem | STATE_SYSTEM_UNAVAILABLE));
  edit->add(new Node(L"Copy", ROLE_SYSTEM_MENUITEM, kItem));
  return root;
}

Node* root = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETOBJECT:
      if (static_cast<LONG>(lParam) == OBJID_WINDOW && root) {
        return LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(root));
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring title = argc > 1 ? argv[1] : L"Accessible Test";
  LocalFree(argv);
  CoInitialize(nullptr);
  root = buildTree(title);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"TolvaneAccessibleApp";
  RegisterClassW(&windowClass);
  mainWindow = CreateWindowExW(0, L"TolvaneAccessibleApp", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                               400, 300, nullptr, nullptr, instance, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  CoUninitialize();
  return 0;
}
