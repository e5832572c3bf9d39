// The link's window handles, beside the other link globals of link_record.cpp.
#include "navlink/navlink_win32.h"

namespace mapwell {

HWND MainWindow = nullptr;
HWND FormWindow = nullptr;
WNDPROC PrevWindowProc = nullptr;
HWND FoundWindow = nullptr;

}  // namespace mapwell
