// How the bytes of a source list are read as text: the one decision that the column dialog, the
// command line and the conversion engine share. Platform-neutral.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

// A list that begins with a UTF-16 byte-order mark, or whose first line without one has a NUL in
// every second byte, is UTF-16; one that begins with a UTF-8 mark, or that is valid UTF-8 from
// its first byte to its last with at least one multi-byte sequence, is UTF-8; any other is in the
// system's ANSI code page.
enum class SourceEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct ListEncoding {
    SourceEncoding encoding = SourceEncoding::Ansi;
    std::size_t markLength = 0;  // the byte-order mark, which belongs to no line
    bool operator==(const ListEncoding&) const = default;
};

// What the first bytes of a list decide alone: a byte-order mark, or a first line in UTF-16
// without one. nullopt when the whole list must be looked at.
std::optional<ListEncoding> EncodingOfHead(std::string_view head);

// Whether the bytes of a list, given piece by piece in their order, are strict UTF-8 (no
// overlong forms, no surrogates, nothing beyond U+10FFFF) with at least one multi-byte sequence.
// A sequence may be cut between two pieces.
class Utf8Check {
public:
    void Feed(std::string_view bytes);
    bool Failed() const { return failed_; }
    // After the last piece: Utf8 or Ansi.
    SourceEncoding Result() const;

private:
    bool failed_ = false;
    bool multiByte_ = false;
    int needed_ = 0;                          // continuation bytes still to come
    unsigned char low_ = 0x80, high_ = 0xBF;  // the range of the next continuation byte
};

// The encoding of the list `bytes`, all of it.
ListEncoding DecideEncoding(std::string_view bytes);

// The reader hands out the lines of a UTF-16 list in UTF-8, so a line's bytes are ANSI for an
// ANSI list and UTF-8 for any other.
bool LinesAreUtf8(SourceEncoding encoding);
std::wstring DecodeListLine(std::string_view rawLine, SourceEncoding encoding);

}  // namespace mapwell
