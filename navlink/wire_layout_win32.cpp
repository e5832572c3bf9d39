// The window-message envelope of the navigation program protocol, checked at compile time: the
// COPYDATASTRUCT fields as this program fills them (command or reply type, byte count, record
// address) and the handles that travel in wParam and lParam.
#include "navlink/wire_layout.h"

#include <windows.h>

#include <cstddef>

namespace mapwell {

static_assert(sizeof(COPYDATASTRUCT::cbData) == 4);
static_assert(sizeof(COPYDATASTRUCT::dwData) == sizeof(void*));
static_assert(sizeof(COPYDATASTRUCT::lpData) == sizeof(void*));
static_assert(offsetof(COPYDATASTRUCT, dwData) == 0);
#ifdef _WIN64
static_assert(sizeof(COPYDATASTRUCT) == 24);
static_assert(offsetof(COPYDATASTRUCT, cbData) == 8);
static_assert(offsetof(COPYDATASTRUCT, lpData) == 16);
#else
// The 32-bit product: three 32-bit fields, as the navigation program reads them.
static_assert(sizeof(COPYDATASTRUCT) == 12);
static_assert(offsetof(COPYDATASTRUCT, cbData) == 4);
static_assert(offsetof(COPYDATASTRUCT, lpData) == 8);
static_assert(sizeof(void*) == 4);
#endif

// Every record's size fits the byte count.
static_assert(kPlaceSize <= MAXDWORD && kCommandRecordSize <= MAXDWORD);

// The main window's handle goes out as wParam of every command and lParam of an announcement.
static_assert(sizeof(HWND) == sizeof(WPARAM) && sizeof(HWND) == sizeof(LPARAM));

}  // namespace mapwell
