// Plain text on the clipboard: what the web route hands to the geocoding page and reads back.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace mapwell {

// Clears the clipboard and puts `text` on it as Unicode text (the system offers it as ANSI text
// too). `owner` becomes the clipboard's owner. False when the clipboard could not be had.
bool PutClipboardText(HWND owner, std::wstring_view text);

// The clipboard's text, "" when it holds none or cannot be opened.
std::wstring ReadClipboardText(HWND owner);

}  // namespace mapwell
