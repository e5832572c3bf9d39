// How the text that a run writes is encoded: the result file's text chosen from the list's, its
// letters in ANSI or UTF-8 with the count of those replaced, and how the error list takes an
// entry. The writers write; this decides their bytes. Platform-neutral.
#pragma once

#include "support/encoding/list_encoding.h"

#include <string>
#include <string_view>

namespace mapwell {

// How the text of a result file is written: in the ANSI code page, or in UTF-8 after a byte-order
// mark for a list read as UTF-8 or UTF-16. A POI line is ANSI in either, since a navigation
// program imports it.
enum class ResultText { Ansi, Utf8 };

// The byte-order mark of a UTF-8 file.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The result text of a list read in `encoding`: its lines are written back as they were read.
ResultText ResultTextOf(SourceEncoding encoding);

// The mark that opens a result file of `text` that carries the list's own lines or cells.
std::string_view ResultMark(ResultText text);

// `text` as bytes of `how`. In ANSI a letter that the code page lacks becomes the closest it has
// (best fit), and `lettersReplaced` says so.
struct EncodedText {
    std::string bytes;
    bool lettersReplaced = false;
};
EncodedText EncodeResultText(std::wstring_view text, ResultText how);

// ANSI bytes as UTF-8.
std::string AnsiAsUtf8(std::string_view bytes);

// How the error list takes an entry of a run whose text is `text`, when the list begins with
// `head` (its first bytes; empty for a missing or empty list). A list begun by a UTF-8 or UTF-16
// list is UTF-8 after a mark and stays so; an ANSI one goes over into UTF-8, the lines it holds
// included, when such a list adds to it, so that no letter is lost.
struct ErrorListEntry {
    bool toUtf8 = false;       // the ANSI lines it holds are rewritten in UTF-8 after a mark
    bool markFirst = false;    // a new list of UTF-8: the mark goes before the entry
    bool entryAsUtf8 = false;  // the entry, in ANSI, is written in UTF-8
};
ErrorListEntry ErrorListEntryFor(std::string_view head, ResultText text);

}  // namespace mapwell
