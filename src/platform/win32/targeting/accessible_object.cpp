#include "platform/win32/targeting/accessible_object.h"

#include <windows.h>

#include <oleacc.h>

#include <string>

#include "platform/win32/com_apartment.h"
#include "platform/win32/targeting/window_handle.h"
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

std::u16string takeBstr(BSTR text) {
  if (!text) return {};
  std::u16string result = fromWide(std::wstring_view(text, SysStringLen(text)));
  SysFreeString(text);
  return result;
}

// A full accessible object (child id CHILDID_SELF) or a simple element
// that its parent answers for.
class Win32AccessibleNode : public AccessibleNode {
 public:
  Win32AccessibleNode(std::shared_ptr<ComApartment> com, IAccessible* object, LONG childId)
      : com_(std::move(com)), object_(object), childId_(childId) {
    object_->AddRef();
  }
  ~Win32AccessibleNode() override { object_->Release(); }
  Win32AccessibleNode(const Win32AccessibleNode&) = delete;
  Win32AccessibleNode& operator=(const Win32AccessibleNode&) = delete;

  std::vector<std::unique_ptr<AccessibleNode>> children() override {
    std::vector<std::unique_ptr<AccessibleNode>> nodes;
    if (childId_ != CHILDID_SELF) return nodes;
    long count = 0;
    if (FAILED(object_->get_accChildCount(&count)) || count <= 0) return nodes;
    if (count > kMaxChildren) count = kMaxChildren;

    IEnumVARIANT* enumerator = nullptr;
    if (SUCCEEDED(object_->QueryInterface(__uuidof(IEnumVARIANT), reinterpret_cast<void**>(&enumerator))) &&
        enumerator) {
      enumerator->Reset();
      for (long i = 0; i < count; ++i) {
        VARIANT child;
        VariantInit(&child);
        ULONG fetched = 0;
        if (enumerator->Next(1, &child, &fetched) != S_OK || fetched != 1) break;
        addChild(child, nodes);
        VariantClear(&child);
      }
      enumerator->Release();
      return nodes;
    }
    for (long i = 1; i <= count; ++i) {
      VARIANT child = childVariant(i);
      addChild(child, nodes);
    }
    return nodes;
  }

  std::u16string name() override {
    BSTR text = nullptr;
    if (object_->get_accName(childVariant(childId_), &text) != S_OK) {
      SysFreeString(text);
      return {};
    }
    return takeBstr(text);
  }

  std::u16string roleText() override {
    VARIANT role;
    VariantInit(&role);
    if (FAILED(object_->get_accRole(childVariant(childId_), &role))) return {};
    std::u16string text;
    if (role.vt == VT_I4) {
      wchar_t buffer[128];
      const UINT length = GetRoleTextW(static_cast<DWORD>(role.lVal), buffer, 128);
      text = fromWide(std::wstring_view(buffer, length));
    } else if (role.vt == VT_BSTR && role.bstrVal) {
      text = fromWide(std::wstring_view(role.bstrVal, SysStringLen(role.bstrVal)));
    }
    VariantClear(&role);
    return text;
  }

  std::u16string stateText() override {
    VARIANT state;
    VariantInit(&state);
    if (FAILED(object_->get_accState(childVariant(childId_), &state))) return {};
    std::u16string text;
    if (state.vt == VT_I4) {
      const DWORD flags = static_cast<DWORD>(state.lVal);
      for (DWORD bit = 1; bit != 0 && bit <= flags; bit <<= 1) {
        if (!(flags & bit)) continue;
        wchar_t buffer[128];
        const UINT length = GetStateTextW(bit, buffer, 128);
        if (!text.empty()) text += u",";
        text += fromWide(std::wstring_view(buffer, length));
      }
    }
    VariantClear(&state);
    return text;
  }

  std::int32_t doDefaultAction() override {
    return static_cast<std::int32_t>(object_->accDoDefaultAction(childVariant(childId_)));
  }

 private:
  void addChild(VARIANT& child, std::vector<std::unique_ptr<AccessibleNode>>& nodes) {
    if (child.vt == VT_DISPATCH && child.pdispVal) {
      addObject(child.pdispVal, nodes);
      return;
    }
    if (child.vt != VT_I4) return;
    // A child id may stand for a full object of its own or for an element
    // that only its parent describes.
    IDispatch* dispatch = nullptr;
    if (object_->get_accChild(child, &dispatch) == S_OK && dispatch) {
      addObject(dispatch, nodes);
      dispatch->Release();
      return;
    }
    nodes.push_back(std::make_unique<Win32AccessibleNode>(com_, object_, child.lVal));
  }

  void addObject(IDispatch* dispatch, std::vector<std::unique_ptr<AccessibleNode>>& nodes) {
    IAccessible* accessible = nullptr;
    if (FAILED(dispatch->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&accessible))) ||
        !accessible) {
      return;
    }
    nodes.push_back(std::make_unique<Win32AccessibleNode>(com_, accessible, CHILDID_SELF));
    accessible->Release();
  }

  // Declared first so that COM outlives the object released above it.
  std::shared_ptr<ComApartment> com_;
  IAccessible* object_;
  LONG childId_;
};

}  // namespace

std::unique_ptr<AccessibleNode> Win32Accessibility::windowObject(WindowHandle window) {
  auto com = std::make_shared<ComApartment>();
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(toHwnd(window), OBJID_WINDOW, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))) ||
      !object) {
    return nullptr;
  }
  auto node = std::make_unique<Win32AccessibleNode>(std::move(com), object, CHILDID_SELF);
  object->Release();
  return node;
}

}  // namespace tolvane::win32
