// How the main window names result files: the proposal for a new source, the extension of an
// output format, and the own destination of every file of a batch. Platform-neutral.
#pragma once

#include <string>
#include <string_view>

namespace mapwell {

// The destination proposed for a source when none is set: the source without its extension,
// followed by "_Geo.txt".
std::wstring ProposeDestination(std::wstring_view source);

// Puts `extension` (".asc") onto `destination`: it replaces the extension of the file name when
// the name has one and is appended when it has none. An empty destination stays empty.
std::wstring WithExtension(std::wstring_view destination, std::wstring_view extension);

// The destination of one file of a batch: the folder and the extension of `destination`, the
// name of `source` (without folder and extension) followed by "_Geo". Every file of a batch so
// gets a result file of its own.
std::wstring BatchDestination(std::wstring_view destination, std::wstring_view source);

}  // namespace mapwell
