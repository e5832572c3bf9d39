// A stand-in for the user's web browser in tests: Wine's browser launcher is pointed at a shell
// script that records the address it is given. No real browser ever starts. Test-only.
#pragma once

#include "app/testing/test_win32.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace mapwell {

class StubBrowser {
public:
    StubBrowser() {
        const char* bin = std::getenv("MAPWELL_BIN");
        const std::string folder = std::string(bin ? bin : "/tmp") + "/web-route-browser";
        for (char c : folder) {
            folder_ += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        }
        folder_ = L"Z:" + folder_;
        CreateDirectoryW(folder_.c_str(), nullptr);
        DeleteFileW((folder_ + L"\\address.txt").c_str());
        test::WriteFile(folder_ + L"\\browser.sh",
                        "#!/bin/sh\nprintf '%s' \"$1\" > '" + folder + "/address.tmp' && mv '" +
                            folder + "/address.tmp' '" + folder + "/address.txt'\n");
        const std::wstring command =
            L"/bin/sh " + std::wstring(folder.begin(), folder.end()) + L"/browser.sh";
        RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers", REG_SZ, command.c_str(),
                        static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    // The test's own Wine prefix has no browser setting of its own to put back.
    ~StubBrowser() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, L"Browsers"); }
    StubBrowser(const StubBrowser&) = delete;
    StubBrowser& operator=(const StubBrowser&) = delete;

    // The address the browser was started with, "" when it was not started within the wait.
    std::string AwaitAddress() const {
        const std::wstring path = folder_ + L"\\address.txt";
        test::WaitUntil([&] { return test::FileThere(path); });
        return test::ReadFile(path);
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\Wine\\WineBrowser";
    std::wstring folder_;
};

}  // namespace mapwell
