// Both programs show the product name and the version of the file VERSION in Windows' file
// properties, read here as Windows reads them; Mapwell.exe carries its icon.
#include "app/testing/test_win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mapwell {
namespace {

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) {
        return L"";
    }
    return static_cast<const wchar_t*>(value);
}

TEST(VersionResource, BothProgramsCarryTheVersionAndMapwellItsIcon) {
    const std::wstring version = MAPWELL_VERSION;
    for (const wchar_t* program : {L"Mapwell.exe", L"NavServer.exe"}) {
        const std::wstring path = test::BinFolder() + program;
        DWORD ignored = 0;
        std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
        ASSERT_FALSE(info.empty());
        ASSERT_TRUE(
            GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
        EXPECT_EQ(VersionString(info, L"ProductName"), L"Mapwell");
        EXPECT_EQ(VersionString(info, L"ProductVersion"), version);
        EXPECT_EQ(VersionString(info, L"FileVersion"), version);
        EXPECT_FALSE(VersionString(info, L"FileDescription").empty());
    }
    HMODULE module = LoadLibraryExW((test::BinFolder() + L"Mapwell.exe").c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(1)), nullptr);
    FreeLibrary(module);
}

}  // namespace
}  // namespace mapwell
