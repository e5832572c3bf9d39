#include "support/encoding/list_encoding.h"

#include "support/encoding/codepage.h"

#include <cstring>

namespace mapwell {

namespace {

// A first line of UTF-16 without a mark: its units up to the first CR or LF each have a NUL in
// the same half, and the other half is not NUL. A list in any 8-bit text holds no NUL at all.
bool FirstLineIsUtf16(std::string_view head, bool bigEndian) {
    const std::size_t zero = bigEndian ? 0 : 1;
    std::size_t units = 0;
    for (std::size_t i = 0; i + 1 < head.size(); i += 2, ++units) {
        const char letter = head[i + 1 - zero];
        if (head[i + zero] != '\0' || letter == '\0') {
            return false;
        }
        if (letter == '\r' || letter == '\n') {
            break;
        }
    }
    return units > 0;
}

}  // namespace

std::optional<ListEncoding> EncodingOfHead(std::string_view head) {
    if (head.starts_with("\xFF\xFE")) {
        return ListEncoding{SourceEncoding::Utf16Le, 2};
    }
    if (head.starts_with("\xFE\xFF")) {
        return ListEncoding{SourceEncoding::Utf16Be, 2};
    }
    if (head.starts_with("\xEF\xBB\xBF")) {
        return ListEncoding{SourceEncoding::Utf8, 3};
    }
    if (FirstLineIsUtf16(head, false)) {
        return ListEncoding{SourceEncoding::Utf16Le, 0};
    }
    if (FirstLineIsUtf16(head, true)) {
        return ListEncoding{SourceEncoding::Utf16Be, 0};
    }
    return std::nullopt;
}

void Utf8Check::Feed(std::string_view bytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p < end && !failed_) {
        if (needed_ == 0) {
            // Most of a list is ASCII: eight bytes at a time while no high bit is set.
            while (end - p >= 8) {
                unsigned long long word;
                std::memcpy(&word, p, 8);
                if (word & 0x8080808080808080ULL) {
                    break;
                }
                p += 8;
            }
            if (p == end) {
                break;
            }
            const unsigned char lead = *p++;
            if (lead < 0x80) {
                continue;
            }
            low_ = 0x80, high_ = 0xBF;
            if (lead >= 0xC2 && lead <= 0xDF) {
                needed_ = 1;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                needed_ = 2;
                low_ = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong form
                high_ = lead == 0xED ? 0x9F : 0xBF;  // no surrogate
            } else if (lead >= 0xF0 && lead <= 0xF4) {
                needed_ = 3;
                low_ = lead == 0xF0 ? 0x90 : 0x80;
                high_ = lead == 0xF4 ? 0x8F : 0xBF;  // nothing beyond U+10FFFF
            } else {
                failed_ = true;
            }
            multiByte_ = true;
            continue;
        }
        const unsigned char next = *p++;
        if (next < low_ || next > high_) {
            failed_ = true;
        }
        --needed_;
        low_ = 0x80, high_ = 0xBF;
    }
}

SourceEncoding Utf8Check::Result() const {
    return !failed_ && needed_ == 0 && multiByte_ ? SourceEncoding::Utf8 : SourceEncoding::Ansi;
}

ListEncoding DecideEncoding(std::string_view bytes) {
    if (const std::optional<ListEncoding> byHead = EncodingOfHead(bytes)) {
        return *byHead;
    }
    Utf8Check check;
    check.Feed(bytes);
    return {check.Result(), 0};
}

bool LinesAreUtf8(SourceEncoding encoding) {
    return encoding != SourceEncoding::Ansi;
}

std::wstring DecodeListLine(std::string_view rawLine, SourceEncoding encoding) {
    return LinesAreUtf8(encoding) ? Utf8ToWide(rawLine) : AnsiToWide(rawLine);
}

}  // namespace mapwell
