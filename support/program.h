// Program-wide values shared between the main window and the column assignment dialog.
#pragma once

#include <string>

namespace mapwell {

// The product name: the window caption and the middle part of the profiles' registry key.
extern std::wstring ProgramTitle;

// Handed between the main window and the column assignment dialog: the source path in, the
// profile name (OK) or "Exit" (Cancel) out; empty when neither holds it.
extern std::wstring ImportExchange;

}  // namespace mapwell
