// The files of one multiple selection in the open dialog, and the caption that shows where a
// batch stands. Platform-neutral.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The open dialog's answer: one full path, or with several files the folder, then the names,
// each ended by a NUL. Element 0 of the result is the folder (or the single path), elements 1..n
// the names in the dialog's order; a single file gives one element.
std::vector<std::wstring> SplitSelection(std::wstring_view answer);

// Folder and file name joined by exactly one backslash.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// "Mapwell - file 2 of 3".
std::wstring BatchCaption(std::wstring_view title, int index, int count);

}  // namespace mapwell
