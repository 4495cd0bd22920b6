#pragma once
// COM objects, BSTRs and VARIANTs with one owner, freed once when the owner
// lets them go.
//
// A COM pointer must be released while COM is still initialised on its
// thread: declare the apartment before the pointers it outlives. None of
// these may be freed under the loader lock (from DllMain).

#include <windows.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

namespace tolvane::win32 {

template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller already holds.
  explicit ComPtr(T* pointer) : pointer_(pointer) {}
  ~ComPtr() { reset(); }
  // A copy holds a reference of its own.
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // For a call that hands out a new reference; what was held goes first.
  T** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (T* pointer = std::exchange(pointer_, nullptr)) pointer->Release();
  }

 private:
  T* pointer_ = nullptr;
};

// The object's interface `iid`; empty when the object is null or has no
// such interface. What a failed call left in its out pointer holds no
// reference and is never released.
template <typename T>
ComPtr<T> queryInterface(IUnknown* object, REFIID iid) {
  T* result = nullptr;
  if (!object || FAILED(object->QueryInterface(iid, reinterpret_cast<void**>(&result)))) return {};
  return ComPtr<T>(result);
}

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::wstring_view text) : text_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR get() const { return text_; }
  // For a call that hands out a new string; what was held goes first.
  BSTR* put() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // A BSTR may hold NULs; its length is its own.
  std::wstring_view view() const { return text_ ? std::wstring_view(text_, SysStringLen(text_)) : std::wstring_view(); }

 private:
  BSTR text_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT& operator*() const { return value_; }
  const VARIANT* operator->() const { return &value_; }

 private:
  VARIANT value_;
};

}  // namespace tolvane::win32
