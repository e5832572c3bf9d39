// How the bytes of a source list are read as text: the one decision that the column dialog, the
// command line and the conversion engine share. Platform-neutral.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mapwell {

// A list that begins with a UTF-16 byte-order mark is UTF-16; one that begins with a UTF-8 mark,
// or whose head is valid UTF-8 with at least one multi-byte sequence, is UTF-8; any other is in
// the system's ANSI code page.
enum class SourceEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The decision looks at no more than this many bytes at the start of a list.
inline constexpr std::size_t kEncodingHead = 64 * 1024;

struct ListEncoding {
    SourceEncoding encoding = SourceEncoding::Ansi;
    std::size_t markLength = 0;  // the byte-order mark, which belongs to no line
    bool operator==(const ListEncoding&) const = default;
};

// The encoding of a list that begins with `head`. A head of kEncodingHead bytes may end inside
// a character; a shorter one is the whole list.
ListEncoding DecideEncoding(std::string_view head);

// The reader hands out the lines of a UTF-16 list in UTF-8, so a line's bytes are ANSI for an
// ANSI list and UTF-8 for any other.
bool LinesAreUtf8(SourceEncoding encoding);
std::wstring DecodeListLine(std::string_view rawLine, SourceEncoding encoding);

}  // namespace mapwell
