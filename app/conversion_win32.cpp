#include "app/conversion_win32.h"

namespace mapwell {

// Stand-ins until the link and the engine are joined in.
void StartLink(HWND) {}
void Announce() {}
bool ConvertList(const ConversionControls&, const std::wstring&, const std::wstring&,
                 volatile bool&) {
    return false;
}

}  // namespace mapwell
