// The one place where text crosses between the program's UTF-16 and the bytes of files and
// records. On Windows the 8-bit side is the system's ANSI code page; the host build, which has
// none, uses Windows-1252 so that the core's byte layouts can be tested natively.
#pragma once

#include <string>
#include <string_view>

namespace mapwell {

std::wstring AnsiToWide(std::string_view bytes);
std::string WideToAnsi(std::wstring_view text);

// UTF-8 as written by spreadsheet programs; invalid sequences become U+FFFD. Platform-neutral.
std::wstring Utf8ToWide(std::string_view bytes);

// The program's text as UTF-8; a surrogate without its partner becomes U+FFFD. Platform-neutral.
std::string WideToUtf8(std::wstring_view text);

}  // namespace mapwell
