// Helpers of the link's Windows tests.
#include "app/testing/test_support_win32.h"

#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace mapwell::test {

namespace {

constexpr wchar_t kTestMainClass[] = L"NavLinkTestMain";

LRESULT CALLBACK TestMainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        ++Seen().copyData;
        return kCopyDataResult;
    }
    if (MsgServerToClient != 0 && message == MsgServerToClient) {
        ++Seen().serverToClient;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Registering the class again fails harmlessly.
void RegisterTestClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = TestMainProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kTestMainClass;
    RegisterClassExW(&windowClass);
}

struct EnumSearch {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<EnumSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window) && GetParent(window) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

MainWindowSeen& Seen() {
    static MainWindowSeen seen;
    return seen;
}

HWND TestMainWindow() {
    static HWND window = [] {
        RegisterTestClass();
        HWND created =
            CreateWindowExW(0, kTestMainClass, L"Link test main window", WS_OVERLAPPEDWINDOW, 0, 0,
                            300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        StartNavLink(created);
        // Registers the two announce messages, as the first tick with a navigation program would.
        SendNavCommand(0);
        return created;
    }();
    return window;
}

HWND CreateMainClassWindow() {
    RegisterTestClass();
    return CreateWindowExW(0, kTestMainClass, L"Second copy", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done()) {
            return true;
        }
        if (GetTickCount64() - start > ms) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start > ms) {
            return false;
        }
        Sleep(10);
    }
    return true;
}

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

void ResetLink() {
    TestMainWindow();
    PumpFor(50);
    NavLink = NavLinkInfo{};
    OpenRequests = UnansweredRequests{};
    ServerWindow = 0;
    AwaitingReply = false;
    LastCommand = 0;
    GeocodeWaiting = false;
    UnansweredSince = 0;
    Seen() = MainWindowSeen{};
}

std::wstring BinFolder() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring NewTempFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"navlink-test-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(++counter) + L"\\";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::wstring NavServerPath() {
    return BinFolder() + L"NavServer.exe";
}

std::wstring SampleGazetteerOption() {
    return L"--gazetteer \"" + BinFolder() + L"gazetteer.txt\" ";
}

Program::Program(const std::wstring& exe, const std::wstring& arguments) {
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
        info_ = {};
    }
}

Program::~Program() {
    if (info_.hProcess != nullptr) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 30000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
}

HWND Program::Window(DWORD ms) const {
    EnumSearch search{info_.dwProcessId, nullptr};
    WaitUntil(
        [&] {
            EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        ms);
    return search.found;
}

bool Program::WaitForExit(DWORD ms) const {
    return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::ifstream file{std::filesystem::path(path)};
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

int CountLines(const std::vector<std::string>& lines, const std::string& start) {
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
        return line.rfind(start, 0) == 0;
    }));
}

std::string DecimalOf(HWND window) {
    return std::to_string(reinterpret_cast<std::uintptr_t>(window));
}

}  // namespace mapwell::test
