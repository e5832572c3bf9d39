#include "app/web_route_win32.h"

#include "app/clipboard_win32.h"
#include "app/form3_win32.h"
#include "support/files.h"

namespace mapwell {

namespace {

// One pass over the events waiting for the window thread, so that a clipboard change that
// arrived with the dialog's closing is seen before the clipboard is read.
void ProcessPendingEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

std::wstring LocaleText(LCTYPE what, const wchar_t* fallback) {
    wchar_t buffer[16] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, what, buffer, 16);
    return length > 1 ? std::wstring(buffer, static_cast<std::size_t>(length - 1))
                      : std::wstring(fallback);
}

}  // namespace

RegionalNumberFormat SystemNumberFormat() {
    return {LocaleText(LOCALE_SDECIMAL, L"."), LocaleText(LOCALE_STHOUSAND, L",")};
}

int FinishWebRoute(const WebCollection& collection, const WebRouteWindow& window,
                   WebResultWriter& writer, ErrorList& errors) {
    const auto showInfo = [&](const wchar_t* text) {
        if (window.showInfo) {
            window.showInfo(text);
        }
    };
    PutClipboardText(window.mainWindow, collection.ClipText());
    // A browser that cannot be started is not reported: the dialog tells the user what to do.
    ShellOpen(kGeocodingPage);
    showInfo(kInfoStartBrowser);
    ShowForm3(window.mainWindow, kGeocodingCaption, kGeocodingInstruction);

    ProcessPendingEvents();
    const std::wstring text = ReadClipboardText(window.mainWindow);
    showInfo(IsGeocodedText(text) ? kInfoConverting : kInfoTryAgain);
    return ImportGeocodedText(collection, text, SystemNumberFormat(), writer, errors);
}

}  // namespace mapwell
