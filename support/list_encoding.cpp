#include "support/list_encoding.h"

#include "support/codepage.h"

namespace mapwell {

namespace {

enum class Utf8Check { Invalid, Ascii, MultiByte };

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF. A sequence that the
// end of a cut head breaks off is given the benefit of the doubt.
Utf8Check CheckUtf8(std::string_view bytes, bool cut) {
    bool multiByte = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t extra = 0;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, cp = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, cp = lead & 0x07;
        } else {
            return Utf8Check::Invalid;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            if (i + k >= bytes.size()) {
                return cut && multiByte ? Utf8Check::MultiByte : Utf8Check::Invalid;
            }
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return Utf8Check::Invalid;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        const char32_t minimum = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            return Utf8Check::Invalid;
        }
        multiByte = true;
        i += extra + 1;
    }
    return multiByte ? Utf8Check::MultiByte : Utf8Check::Ascii;
}

}  // namespace

ListEncoding DecideEncoding(std::string_view head) {
    if (head.starts_with("\xFF\xFE")) {
        return {SourceEncoding::Utf16Le, 2};
    }
    if (head.starts_with("\xFE\xFF")) {
        return {SourceEncoding::Utf16Be, 2};
    }
    if (head.starts_with("\xEF\xBB\xBF")) {
        return {SourceEncoding::Utf8, 3};
    }
    head = head.substr(0, kEncodingHead);
    if (CheckUtf8(head, head.size() == kEncodingHead) == Utf8Check::MultiByte) {
        return {SourceEncoding::Utf8, 0};
    }
    return {SourceEncoding::Ansi, 0};
}

bool LinesAreUtf8(SourceEncoding encoding) {
    return encoding != SourceEncoding::Ansi;
}

std::wstring DecodeListLine(std::string_view rawLine, SourceEncoding encoding) {
    return LinesAreUtf8(encoding) ? Utf8ToWide(rawLine) : AnsiToWide(rawLine);
}

}  // namespace mapwell
