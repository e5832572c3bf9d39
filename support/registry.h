// String access to the current user's registry: the program's only contact with it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace mapwell {

// The REG_SZ text stored under `valueName`, cut at its first NUL (whole when it has none), or
// `fallback` when the value cannot be read as REG_SZ. Never creates a key; keeps no handle.
std::wstring RegReadString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                           std::wstring_view fallback = L"");

// Stores `text` as REG_SZ, creating every missing key along `keyPath`. Failures are silent.
void RegWriteString(HKEY root, std::wstring_view keyPath, std::wstring_view valueName,
                    std::wstring_view text);

}  // namespace mapwell
