// Windows-1252 for the host build, which has no ANSI code page of its own.
#include "support/encoding/codepage.h"

#include <array>

namespace mapwell {

namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five bytes that the code page leaves undefined.
constexpr std::array<wchar_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::wstring AnsiToWide(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (unsigned char b : bytes) {
        const wchar_t mapped = (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : 0;
        text += mapped ? mapped : static_cast<wchar_t>(b);
    }
    return text;
}

std::string WideToAnsi(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t c : text) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            bytes += static_cast<char>(c);
            continue;
        }
        char out = '?';
        for (std::size_t i = 0; i < kHigh.size(); ++i) {
            if (kHigh[i] == c) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes += out;
    }
    return bytes;
}

}  // namespace mapwell
