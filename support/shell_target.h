// How a shell target is cut into the file to open, its parameters and its working folder.
#pragma once

#include <string>
#include <string_view>

namespace mapwell {

struct ShellTarget {
    std::wstring file;
    std::wstring parameters;
    std::wstring folder;
};

// A target holding "/" but not "http://" is a command line: the file is the text before the
// first "/" (a blank before it stays) and the parameters start at that "/". The working folder
// is always the folder part of the whole target.
ShellTarget SplitShellTarget(std::wstring_view target);

}  // namespace mapwell
