// The text in NavServer's window: which gazetteer it answers from and whose data that is.
#pragma once

#include <windows.h>

#include <string>

namespace mapwell {

void ShowGazetteerCredit(HWND window, const std::wstring& text);

}  // namespace mapwell
