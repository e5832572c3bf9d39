// NavLinkBenchmark.exe: how long the link takes for one geocoding request to the stand-in
// navigation program, and for one detection tick among many top-level windows. Not a test; it
// prints medians in microseconds. Run it where NavServer.exe is beside it.
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace mapwell;

namespace {

constexpr int kRequests = 1000;
constexpr int kTicks = 100;
constexpr int kWindows = 300;

double Microseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e6 / frequency;
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("%-58s median %9.1f us  (min %.1f, 90%% %.1f, max %.1f, n=%zu)\n", what,
                samples[samples.size() / 2], samples.front(), samples[samples.size() * 9 / 10],
                samples.back(), samples.size());
}

bool PumpUntil(bool (*done)(), DWORD ms) {
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        if (GetTickCount64() - start > ms) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

struct ProcessWindow {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<ProcessWindow*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window) && GetParent(window) == nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND CreateTopLevel(const wchar_t* className, const std::wstring& title, DWORD style) {
    return CreateWindowExW(0, className, title.c_str(), style, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

std::vector<double> TimeTicks() {
    std::vector<double> samples;
    for (int i = 0; i < kTicks; ++i) {
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        FindNavigator();
        QueryPerformanceCounter(&t1);
        samples.push_back(Microseconds(t0, t1));
    }
    return samples;
}

} // namespace

int main() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"NavLinkBenchmarkMain";
    RegisterClassExW(&windowClass);
    HWND main =
        CreateTopLevel(L"NavLinkBenchmarkMain", L"Benchmark main window", WS_OVERLAPPEDWINDOW);
    MainWindow = main;
    HookForm(main);

    wchar_t self[MAX_PATH];
    std::wstring exe(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    std::wstring server = exe.substr(0, exe.rfind(L'\\') + 1) + L"NavServer.exe";
    std::wstring command = L"\"" + server + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(server.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        std::printf("NavServer.exe could not be started\n");
        return 1;
    }
    ProcessWindow search{process.dwProcessId, nullptr};
    for (int i = 0; i < 3000 && search.found == nullptr; ++i) {
        Sleep(10);
        EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    }
    SendNavCommand(0);
    if (search.found == nullptr || !PumpUntil([] { return NavLink.LinkState == 1; }, 30000)) {
        std::printf("the stand-in did not link\n");
        TerminateProcess(process.hProcess, 1);
        return 1;
    }

    std::vector<double> roundTrips;
    int found = 0;
    for (int i = 0; i < kRequests; ++i) {
        NavLink.Country = L"DE";
        NavLink.Zip = (i % 2 == 0) ? L"10115" : L"";
        NavLink.City = (i % 2 == 0) ? L"Berlin" : L"Wien";
        NavLink.Latitude = 0;
        NavLink.ReplyReceived = false;
        LARGE_INTEGER t0, t1;
        QueryPerformanceCounter(&t0);
        SendNavCommand(5);
        if (!NavLink.ReplyReceived) {
            PumpUntil([] { return NavLink.ReplyReceived; }, 5000);
        }
        QueryPerformanceCounter(&t1);
        roundTrips.push_back(Microseconds(t0, t1));
        found += NavLink.Latitude != 0 ? 1 : 0;
    }
    Report("geocoding request round trip (answer inside the send)", roundTrips);
    std::printf("  %d of %d requests found\n", found, kRequests);

    std::vector<HWND> windows;
    for (int i = 0; i < kWindows; ++i) {
        windows.push_back(CreateTopLevel(L"STATIC", L"Window " + std::to_wstring(i),
                                         WS_OVERLAPPEDWINDOW | WS_VISIBLE));
    }
    std::printf("detection tick with %d visible top-level windows:\n", kWindows);
    Report("  FindNavigator, navigation program present", TimeTicks());
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 30000);
    Report("  FindNavigator, no navigation program (16 full passes)", TimeTicks());
    for (HWND window : windows) {
        DestroyWindow(window);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}
