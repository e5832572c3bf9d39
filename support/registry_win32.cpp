#include "support/registry.h"

#include <vector>

namespace mapwell {

namespace {

// An open registry key, closed when it goes out of scope.
class RegKey {
public:
    RegKey() = default;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    ~RegKey() {
        if (key_) {
            RegCloseKey(key_);
        }
    }
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::wstring RegReadString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                           std::wstring_view fallback) {
    const std::wstring path(keyPath), name(valueName);
    RegKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
        return std::wstring(fallback);
    }
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::wstring(fallback);
    }
    // The reported size may count a terminating NUL and more; the first NUL ends the text,
    // and a text stored without one comes back whole.
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &got) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::wstring(fallback);
    }
    const std::size_t chars = got / sizeof(wchar_t);
    std::wstring text(data.data(), chars);
    const auto nul = text.find(L'\0');
    return nul == std::wstring::npos ? text : text.substr(0, nul);
}

void RegWriteString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                    std::wstring_view text) {
    const std::wstring path(keyPath), name(valueName), data(text);
    RegKey key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.out(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace mapwell
