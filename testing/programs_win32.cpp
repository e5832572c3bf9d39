// The Windows tests' programs, waits, folders and the link's main window in the test process.
#include "testing/test_win32.h"

#include "navlink/navlink_win32.h"
#include "navlink/nav_program.h"
#include "support/window_class_win32.h"

#include <algorithm>
#include <cstdint>
#include <sstream>

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

HWND CreateTestMainWindow(const wchar_t* title) {
    RegisterWindowClass(GetModuleHandleW(nullptr), {kTestMainClass, TestMainProc});
    return CreateWindowExW(0, kTestMainClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

Program::Program(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
                 HANDLE output) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
        info_ = {};
    }
}

HWND Program::Window(DWORD ms) const {
    return WaitForWindow(
        Id(), [](HWND window) { return GetParent(window) == nullptr; }, ms);
}

long Program::ExitCode(DWORD ms) const {
    DWORD code = 0;
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(info_.hProcess, &code)) {
        return -1;
    }
    return static_cast<long>(code);
}

void Program::Kill() {
    if (info_.hProcess) {
        TerminateProcess(info_.hProcess, 1);  // fails harmlessly once it has ended
        WaitForSingleObject(info_.hProcess, kWaitMs);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    info_ = {};
}

std::wstring BinFolder() {
    wchar_t self[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.rfind(L'\\') + 1);
}

std::wstring NavServerPath() {
    return BinFolder() + L"NavServer.exe";
}

std::wstring SampleGazetteerOption() {
    return L"--gazetteer \"" + BinFolder() + L"sample-gazetteer.dat\" ";
}

Program StartNavServer(const std::wstring& folder, const std::wstring& arguments) {
    Program server(NavServerPath(), arguments, folder);
    if (server.Started() && !server.Window()) {
        server.Kill();
    }
    return server;
}

Program StartSampleNavServer(const std::wstring& folder, const std::wstring& options) {
    return StartNavServer(folder, SampleGazetteerOption() + options);
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    for (const ULONGLONG start = GetTickCount64(); !done(); Sleep(10)) {
        if (GetTickCount64() - start >= ms) {
            return done();
        }
    }
    return true;
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    for (const ULONGLONG start = GetTickCount64();;) {
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

void PumpFor(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool FileThere(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::istringstream text(ReadFile(path));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
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

MainWindowSeen& Seen() {
    static MainWindowSeen seen;
    return seen;
}

HWND TestMainWindow() {
    static HWND window = [] {
        HWND created = CreateTestMainWindow(L"Link test main window");
        StartNavLink(created);
        // Registers the two announce messages, as the first tick with a navigation program would.
        SendNavCommand(0);
        return created;
    }();
    return window;
}

HWND CreateMainClassWindow() {
    return CreateTestMainWindow(L"Second copy");
}

void ResetLink() {
    TestMainWindow();
    PumpFor(50);
    NavLink = NavLinkInfo{};
    NavProgram = NavProgramLink{};
    ServerWindow = 0;
    AwaitingReply = false;
    Seen() = MainWindowSeen{};
}

}  // namespace mapwell::test
