// Starts the real Mapwell.exe under Wine and drives its main window from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

std::wstring ProgramPath(const wchar_t* exe) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.rfind(L'\\') + 1) + exe;
}

// Polls until the top-level window with this caption is visible, or gives up after `ms`.
HWND WaitForWindow(const wchar_t* caption, DWORD ms) {
    for (DWORD waited = 0; waited < ms; waited += 20) {
        HWND window = FindWindowW(nullptr, caption);
        if (window && IsWindowVisible(window)) {
            return window;
        }
        Sleep(20);
    }
    return nullptr;
}

TEST(MapwellExe, ShowsItsMainWindowAndEndsWhenItIsClosed) {
    std::wstring command = L"\"" + ProgramPath(L"Mapwell.exe") + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));

    HWND window = WaitForWindow(L"Mapwell", 30000);
    ASSERT_NE(window, nullptr);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    EXPECT_EQ(owner, process.dwProcessId);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

}  // namespace

namespace {

TEST(MapwellExe, CarriesItsOwnIcon) {
    const std::wstring exe = ProgramPath(L"Mapwell.exe");
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON), nullptr);
    EXPECT_NE(LoadIconW(module, MAKEINTRESOURCEW(1)), nullptr);
    FreeLibrary(module);
}

}  // namespace
