// A stand-in for the user's web browser in tests: Wine's browser launcher is pointed at a shell
// script that records the address it is given. No real browser ever starts. Test-only.
#pragma once

#include <windows.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mapwell {

constexpr DWORD kStubBrowserPatience = 30000;

// Points Wine's browser launcher at a shell script that records the address it is given, and
// puts the setting back afterwards.
class StubBrowser {
public:
    StubBrowser() {
        const char* bin = std::getenv("MAPWELL_BIN");
        unixFolder_ = std::string(bin ? bin : "/tmp") + "/web-route-browser";
        windowsFolder_ = WindowsPath(unixFolder_);
        CreateDirectoryW(windowsFolder_.c_str(), nullptr);
        DeleteFileW((windowsFolder_ + L"\\address.txt").c_str());
        std::ofstream(std::filesystem::path(windowsFolder_ + L"\\browser.sh"), std::ios::binary)
            << "#!/bin/sh\nprintf '%s' \"$1\" > '" << unixFolder_ << "/address.tmp' && mv '"
            << unixFolder_ << "/address.tmp' '" << unixFolder_ << "/address.txt'\n";

        RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        wchar_t old[1024] = {};
        DWORD size = sizeof old;
        hadOld_ = RegQueryValueExW(key_, L"Browsers", nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
        old_ = old;
        const std::wstring command =
            L"/bin/sh " + std::wstring(unixFolder_.begin(), unixFolder_.end()) + L"/browser.sh";
        RegSetValueExW(key_, L"Browsers", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    ~StubBrowser() {
        if (hadOld_) {
            RegSetValueExW(key_, L"Browsers", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
        } else {
            RegDeleteValueW(key_, L"Browsers");
        }
        RegCloseKey(key_);
    }
    StubBrowser(const StubBrowser&) = delete;
    StubBrowser& operator=(const StubBrowser&) = delete;

    // The address the browser was started with, "" when it was not started within the wait.
    std::string AwaitAddress() const {
        const std::wstring path = windowsFolder_ + L"\\address.txt";
        for (DWORD waited = 0; waited < kStubBrowserPatience; waited += 50) {
            std::ifstream in(std::filesystem::path(path), std::ios::binary);
            if (in) {
                return std::string(std::istreambuf_iterator<char>(in), {});
            }
            Sleep(50);
        }
        return {};
    }

private:
    static std::wstring WindowsPath(const std::string& unixPath) {
        std::wstring path = L"Z:";
        for (char c : unixPath) {
            path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        }
        return path;
    }

    std::string unixFolder_;
    std::wstring windowsFolder_;
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    std::wstring old_;
};

// An address as the browser sees it: scheme and host without letter case, an empty path as "/".
inline std::string Normalised(std::string address) {
    const auto schemeEnd = address.find("://");
    if (schemeEnd == std::string::npos) {
        return address;
    }
    auto hostEnd = address.find('/', schemeEnd + 3);
    if (hostEnd == std::string::npos) {
        address += '/';
        hostEnd = address.size() - 1;
    }
    for (std::size_t i = 0; i < hostEnd; ++i) {
        address[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(address[i])));
    }
    return address;
}

}  // namespace mapwell
