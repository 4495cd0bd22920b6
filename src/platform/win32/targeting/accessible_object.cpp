#include "platform/win32/targeting/accessible_object.h"

#include <windows.h>

#include <oleacc.h>

#include <string>

#include "platform/win32/com_apartment.h"
#include "platform/win32/targeting/window_handle.h"
#include "platform/win32/common/com_owned.h"
#include "platform/win32/common/wide.h"

namespace tolvane::win32 {

namespace {

// Children read from one object at most; a level this wide is past the
// search bound anyway.
constexpr long kMaxChildren = 4096;

VARIANT childVariant(LONG childId) {
  VARIANT variant;
  VariantInit(&variant);
  variant.vt = VT_I4;
  variant.lVal = childId;
  return variant;
}

// A full accessible object (child id CHILDID_SELF) or a simple element
// that its parent answers for.
class Win32AccessibleNode : public AccessibleNode {
 public:
  Win32AccessibleNode(std::shared_ptr<ComApartment> com, ComPtr<IAccessible> object, LONG childId)
      : com_(std::move(com)), object_(std::move(object)), childId_(childId) {}

  std::vector<std::unique_ptr<AccessibleNode>> children() override {
    std::vector<std::unique_ptr<AccessibleNode>> nodes;
    if (childId_ != CHILDID_SELF) return nodes;
    long count = 0;
    if (FAILED(object_->get_accChildCount(&count)) || count <= 0) return nodes;
    if (count > kMaxChildren) count = kMaxChildren;

    if (const auto enumerator = queryInterface<IEnumVARIANT>(object_.get(), __uuidof(IEnumVARIANT))) {
      enumerator->Reset();
      for (long i = 0; i < count; ++i) {
        Variant child;
        ULONG fetched = 0;
        if (enumerator->Next(1, child.get(), &fetched) != S_OK || fetched != 1) break;
        addChild(*child, nodes);
      }
      return nodes;
    }
    for (long i = 1; i <= count; ++i) addChild(childVariant(i), nodes);
    return nodes;
  }

  std::u16string name() override {
    Bstr text;
    if (object_->get_accName(childVariant(childId_), text.put()) != S_OK) return {};
    return fromWide(text.view());
  }

  std::u16string roleText() override {
    Variant role;
    if (FAILED(object_->get_accRole(childVariant(childId_), role.get()))) return {};
    if (role->vt == VT_I4) {
      wchar_t buffer[128];
      const UINT length = GetRoleTextW(static_cast<DWORD>(role->lVal), buffer, 128);
      return fromWide(std::wstring_view(buffer, length));
    }
    if (role->vt == VT_BSTR && role->bstrVal) {
      return fromWide(std::wstring_view(role->bstrVal, SysStringLen(role->bstrVal)));
    }
    return {};
  }

  std::u16string stateText() override {
    Variant state;
    if (FAILED(object_->get_accState(childVariant(childId_), state.get()))) return {};
    std::u16string text;
    if (state->vt != VT_I4) return text;
    const DWORD flags = static_cast<DWORD>(state->lVal);
    for (DWORD bit = 1; bit != 0 && bit <= flags; bit <<= 1) {
      if (!(flags & bit)) continue;
      wchar_t buffer[128];
      const UINT length = GetStateTextW(bit, buffer, 128);
      if (!text.empty()) text += u",";
      text += fromWide(std::wstring_view(buffer, length));
    }
    return text;
  }

  std::int32_t doDefaultAction() override {
    return static_cast<std::int32_t>(object_->accDoDefaultAction(childVariant(childId_)));
  }

 private:
  void addChild(const VARIANT& child, std::vector<std::unique_ptr<AccessibleNode>>& nodes) {
    if (child.vt == VT_DISPATCH && child.pdispVal) {
      addObject(child.pdispVal, nodes);
      return;
    }
    if (child.vt != VT_I4) return;
    // A child id may stand for a full object of its own or for an element
    // that only its parent describes.
    ComPtr<IDispatch> dispatch;
    if (object_->get_accChild(child, dispatch.put()) == S_OK && dispatch) {
      addObject(dispatch.get(), nodes);
      return;
    }
    nodes.push_back(std::make_unique<Win32AccessibleNode>(com_, object_, child.lVal));
  }

  void addObject(IDispatch* dispatch, std::vector<std::unique_ptr<AccessibleNode>>& nodes) {
    ComPtr<IAccessible> accessible = queryInterface<IAccessible>(dispatch, __uuidof(IAccessible));
    if (!accessible) return;
    nodes.push_back(std::make_unique<Win32AccessibleNode>(com_, std::move(accessible), CHILDID_SELF));
  }

  // Declared first so that COM outlives the object released after it.
  std::shared_ptr<ComApartment> com_;
  ComPtr<IAccessible> object_;
  LONG childId_;
};

}  // namespace

std::unique_ptr<AccessibleNode> Win32Accessibility::windowObject(WindowHandle window) {
  auto com = std::make_shared<ComApartment>();
  ComPtr<IAccessible> object;
  if (FAILED(AccessibleObjectFromWindow(toHwnd(window), OBJID_WINDOW, __uuidof(IAccessible), object.putVoid())) ||
      !object) {
    return nullptr;
  }
  return std::make_unique<Win32AccessibleNode>(std::move(com), std::move(object), CHILDID_SELF);
}

}  // namespace tolvane::win32
