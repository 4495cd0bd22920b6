#include <windows.h>
#include <ocidl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "companion_stage.h"
#include "host_process.h"

namespace tolvane::test {
namespace {

constexpr wchar_t kClsid[] = L"{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}";
constexpr wchar_t kBhoKey[] =
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\"
    L"{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}";

bool keyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring value(HKEY root, const std::wstring& path, const wchar_t* name = nullptr) {
  wchar_t text[1024] = {};
  DWORD size = sizeof text;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return L"<none>";
  return text;
}

TEST(CompanionRegistration, RegisteringWritesTheClassAndUnregisteringRemovesAllButTheRoots) {
  const CompanionStage stage = stageCompanion(L"registration");
  ASSERT_FALSE(stage.folder.empty());
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  ASSERT_EQ(main.ask("register"), "00000000");

  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsid;
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey), L"expWatch Class");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey, L"AppID"), L"{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey + L"\\ProgID"), L"TolvaneBho.expWatch.1");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey + L"\\VersionIndependentProgID"), L"TolvaneBho.expWatch");
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, classKey + L"\\Programmable"));
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32"), stage.folder + L"\\TolvaneBho.dll");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, classKey + L"\\TypeLib"), L"{1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch.1"), L"expWatch Class");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch.1\\CLSID"), kClsid);
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch\\CurVer"), L"TolvaneBho.expWatch.1");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch\\CLSID"), kClsid);
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"AppID\\{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}"), L"TolvaneBho");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"AppID\\TolvaneBho.DLL", L"AppID"), L"{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}");
  EXPECT_EQ(value(HKEY_LOCAL_MACHINE, kBhoKey), L"Tallowmere - Tolvane BHO");
  EXPECT_EQ(value(HKEY_CLASSES_ROOT, L"TypeLib\\{1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}\\1.0"),
            L"TolvaneBho 1.0 Type Library");
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"Interface\\{E5B7293D-04C8-4A1F-8D62-C3F9B1A0E7D8}\\ProxyStubClsid32"));
  // Registering again (every start of the main program) is harmless.
  EXPECT_EQ(main.ask("register"), "00000000");

  ASSERT_EQ(main.ask("unregister"), "00000000");
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, classKey));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch.1"));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"TolvaneBho.expWatch"));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"AppID\\{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}"));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"AppID\\TolvaneBho.DLL"));
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, kBhoKey));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"TypeLib\\{1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}"));
  EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"Interface\\{E5B7293D-04C8-4A1F-8D62-C3F9B1A0E7D8}"));
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"AppID"));
  EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
  EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE,
                        L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects"));
}

TEST(CompanionRegistration, RegisteredClassIsCreatedThroughComWithItsTypeInformation) {
  const CompanionStage stage = stageCompanion(L"registration-com");
  ASSERT_FALSE(stage.folder.empty());
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  ASSERT_EQ(main.ask("register"), "00000000");
  // The test process is no host the companion accepts on its own, but it
  // is while the main program has the library loaded.
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  CLSID clsid = {};
  ASSERT_EQ(CLSIDFromProgID(L"TolvaneBho.expWatch", &clsid), S_OK);
  IDispatch* object = nullptr;
  ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object)),
            S_OK);
  ITypeInfo* info = nullptr;
  ASSERT_EQ(object->GetTypeInfo(0, 0, &info), S_OK);
  BSTR name = nullptr;
  BSTR doc = nullptr;
  EXPECT_EQ(info->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, nullptr), S_OK);
  EXPECT_EQ(std::wstring(name), L"IexpWatch");
  EXPECT_EQ(std::wstring(doc), L"IexpWatch Interface");
  SysFreeString(name);
  SysFreeString(doc);
  info->Release();
  IObjectWithSite* site = nullptr;
  ASSERT_EQ(object->QueryInterface(IID_IObjectWithSite, reinterpret_cast<void**>(&site)), S_OK);
  IUnknown* none = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(site->GetSite(IID_IUnknown, reinterpret_cast<void**>(&none)), E_FAIL);
  EXPECT_EQ(none, nullptr);
  site->Release();
  object->Release();
  CoFreeUnusedLibraries();
  CoUninitialize();
  EXPECT_EQ(main.ask("unregister"), "00000000");
}

}  // namespace
}  // namespace tolvane::test

namespace tolvane::test {
namespace {

TEST(CompanionRegistration, Regsvr32IsAcceptedOnlyWhileTheMainProgramHasTheLibrary) {
  const CompanionStage stage = stageCompanion(L"registration-regsvr32");
  ASSERT_FALSE(stage.folder.empty());
  const std::wstring regsvr32 = L"C:\\windows\\system32\\regsvr32.exe";
  const std::wstring library = L"\"" + stage.folder + L"\\TolvaneBho.dll\"";
  EXPECT_NE(runProgram(regsvr32, L"/s " + library), 0);  // refused like any other host
  HostProcess main(stage.mainProgram);
  ASSERT_EQ(main.ask("bind"), "ok");
  EXPECT_EQ(runProgram(regsvr32, L"/s " + library), 0);
  EXPECT_TRUE(keyExists(HKEY_LOCAL_MACHINE, kBhoKey));
  EXPECT_EQ(runProgram(regsvr32, L"/u /s " + library), 0);
  EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, kBhoKey));
}

}  // namespace
}  // namespace tolvane::test
