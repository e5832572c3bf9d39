// Starts the real Mapwell.exe under Wine and drives its main window from outside.
#include "app/testdriver/driver.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace td = mapwell::testdriver;

namespace {

TEST(MapwellExe, ShowsItsMainWindowAndEndsWhenItIsClosed) {
    td::Program mapwell = td::Start(td::SiblingPath(L"Mapwell.exe"), L"", L"");
    ASSERT_TRUE(mapwell.Started());

    HWND window = td::WaitForWindow(mapwell.Id(), [](HWND w) {
        wchar_t caption[64] = {};
        GetWindowTextW(w, caption, 64);
        return std::wstring(caption) == L"Mapwell";
    });
    ASSERT_NE(window, nullptr);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(mapwell.WaitForExit(), 0);
}

TEST(MapwellExe, CarriesItsOwnIcon) {
    const std::wstring exe = td::SiblingPath(L"Mapwell.exe");
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(1)), nullptr);
    FreeLibrary(module);
}

}  // namespace
