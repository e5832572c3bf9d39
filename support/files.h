// The file check and the shell opener of the Windows build.
#pragma once

#include <string_view>

namespace mapwell {

// True when the file system knows `path`. With `skipLengthTest` 0, an existing empty file
// whose path holds a "." counts as missing (a list saved but never written).
bool FileExists(std::wstring_view path, int skipLengthTest);

// Opens a document, program or web address through the shell; failures are silent.
void ShellOpen(std::wstring_view target);

}  // namespace mapwell
