#include <gtest/gtest.h>

#include "platform/win32/common/com_owned.h"
#include "platform/win32/common/owned_handle.h"

namespace tolvane::win32 {
namespace {

bool isOpen(HANDLE handle) {
  DWORD flags = 0;
  return GetHandleInformation(handle, &flags) != FALSE;
}

HANDLE newEvent() { return CreateEventW(nullptr, FALSE, FALSE, nullptr); }

TEST(OwnedHandle, ClosesOnceWhenItsLastOwnerGoesAndNotAfterItIsHandedOver) {
  const HANDLE moved = newEvent();
  const HANDLE replaced = newEvent();
  const HANDLE handedOver = newEvent();
  {
    KernelHandle first(moved);
    KernelHandle second(std::move(first));
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), moved);
    KernelHandle third(replaced);
    third.reset(handedOver);
    EXPECT_FALSE(isOpen(replaced));
    EXPECT_EQ(third.release(), handedOver);
    EXPECT_TRUE(isOpen(moved));
  }
  EXPECT_FALSE(isOpen(moved));
  EXPECT_TRUE(isOpen(handedOver));
  CloseHandle(handedOver);
}

// NULL and INVALID_HANDLE_VALUE each mean "none" for one kind only.
TEST(OwnedHandle, EachKindKnowsItsOwnNone) {
  EXPECT_FALSE(KernelHandle(nullptr));
  EXPECT_FALSE(FileHandle());
  EXPECT_FALSE(FileHandle(INVALID_HANDLE_VALUE));
  EXPECT_TRUE(KernelHandle(GetCurrentProcess()));  // the pseudo-handle is INVALID_HANDLE_VALUE
  EXPECT_TRUE(FileHandle().close());

  wchar_t path[MAX_PATH];
  GetTempPathW(MAX_PATH, path);
  GetTempFileNameW(path, L"tov", 0, path);
  FileHandle file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
  ASSERT_TRUE(file);
  EXPECT_TRUE(file.close());
  EXPECT_FALSE(file);
  EXPECT_EQ(GetFileAttributesW(path), INVALID_FILE_ATTRIBUTES);
}

// Counts references; answers every other interface with a stray pointer,
// as a careless object might.
class Counted : public IUnknown {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** result) override {
    *result = this;
    if (!IsEqualIID(iid, IID_IUnknown)) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
  STDMETHODIMP_(ULONG) Release() override { return --references; }
  ULONG references = 1;
};

TEST(ComPtr, HoldsOneReferencePerOwnerAndReleasesEachOnce) {
  Counted object;
  {
    ComPtr<IUnknown> first(&object);
    ComPtr<IUnknown> copy = first;
    EXPECT_EQ(object.references, 2u);
    ComPtr<IUnknown> moved = std::move(copy);
    EXPECT_EQ(object.references, 2u);
    EXPECT_FALSE(queryInterface<IUnknown>(&object, IID_IDispatch));
    EXPECT_EQ(object.references, 2u);  // the stray pointer was not released
    // The reference held goes before a new one comes.
    ASSERT_EQ(object.QueryInterface(IID_IUnknown, moved.putVoid()), S_OK);
    EXPECT_EQ(object.references, 2u);
  }
  EXPECT_EQ(object.references, 0u);
}

TEST(ComValues, TextsKeepTheirOwnLengthAndVariantsStartEmpty) {
  const Bstr text(std::wstring_view(L"a\0b", 3));
  EXPECT_EQ(text.view(), std::wstring_view(L"a\0b", 3));
  EXPECT_TRUE(Bstr().view().empty());
  Variant value;
  EXPECT_EQ(value->vt, VT_EMPTY);
}

}  // namespace
}  // namespace tolvane::win32
