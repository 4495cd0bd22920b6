#pragma once
// COM identities of the companion. They are written to the registry and
// compiled into the type library, so they never change.

#include <windows.h>
#include <oaidl.h>

namespace tolvane::companion {

// {6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}
inline constexpr GUID kClsidExpWatch = {0x6F2D8A41, 0x93B7, 0x4C5E, {0xA1, 0xD0, 0x7E, 0x4B, 0x2C, 0x9F, 0x5A, 0x13}};
// {A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}
inline constexpr GUID kAppId = {0xA94C1E27, 0x5B3D, 0x4F80, {0x9C, 0x6A, 0x2D, 0x71, 0xE8, 0xB0, 0xF5, 0x46}};
// {1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}
inline constexpr GUID kLibId = {0x1C8E5F93, 0x7A24, 0x4D6B, {0xB3, 0xF1, 0x8E, 0x05, 0xA9, 0xC2, 0xD7, 0xE4}};
// {34A715A0-6587-11D0-924A-0020AFC7AC4D}
inline constexpr GUID kDiidWebBrowserEvents2 = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

inline constexpr wchar_t kClsidText[] = L"{6F2D8A41-93B7-4C5E-A1D0-7E4B2C9F5A13}";
inline constexpr wchar_t kAppIdText[] = L"{A94C1E27-5B3D-4F80-9C6A-2D71E8B0F546}";
inline constexpr wchar_t kLibIdText[] = L"{1C8E5F93-7A24-4D6B-B3F1-8E05A9C2D7E4}";
inline constexpr WORD kLibVersionMajor = 1;
inline constexpr WORD kLibVersionMinor = 0;
inline constexpr LCID kLibLocale = 1033;

inline constexpr wchar_t kClassDescription[] = L"expWatch Class";
inline constexpr wchar_t kProgId[] = L"TolvaneBho.expWatch.1";
inline constexpr wchar_t kVersionIndependentProgId[] = L"TolvaneBho.expWatch";
inline constexpr wchar_t kAppName[] = L"TolvaneBho";
inline constexpr wchar_t kAppExeKey[] = L"TolvaneBho.DLL";
inline constexpr wchar_t kThreadingModel[] = L"Apartment";
inline constexpr wchar_t kBhoDescription[] = L"Tallowmere - Tolvane BHO";
inline constexpr wchar_t kBhoKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";

}  // namespace tolvane::companion

// The class's own dual interface; it has no methods of its own.
struct IexpWatch : public IDispatch {};
__CRT_UUID_DECL(IexpWatch, 0xE5B7293D, 0x04C8, 0x4A1F, 0x8D, 0x62, 0xC3, 0xF9, 0xB1, 0xA0, 0xE7, 0xD8)
