#include "app/web/web_route_win32.h"

#include "app/web/clipboard_win32.h"
#include "app/web/form3_win32.h"
#include "support/files.h"

namespace mapwell {

RegionalNumberFormat SystemNumberFormat(RunSettings& surroundings) {
    wchar_t group[8] = {};
    const bool known = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STHOUSAND, group, 8) > 1;
    return {surroundings.RegionalDecimalSeparator(), known ? group : L","};
}

int FinishWebRoute(WebCollection& rows, ResultFile& result, ErrorList& errors,
                   ConvertWin32& surroundings) {
    const HWND mainWindow = surroundings.Controls().MainWindow;
    PutClipboardText(mainWindow, rows.ClipText());
    // A browser that cannot be started is not reported: the dialog tells the user what to do.
    ShellOpen(kGeocodingPage);
    surroundings.SetInfo(kInfoStartBrowser);
    ShowForm3(mainWindow, kGeocodingCaption, kGeocodingInstruction);

    // A clipboard change that came with the dialog's closing is seen before the clipboard is read.
    surroundings.DoEvents();
    const std::wstring text = ReadClipboardText(mainWindow);
    surroundings.SetInfo(IsGeocodedText(text) ? kInfoConverting : kInfoTryAgain);
    return ImportGeocodedText(
        rows, text, SystemNumberFormat(surroundings), result,
        [&] { return surroundings.FormatInForce(); }, errors,
        [&](const WebRow& row, double latitude, double longitude) {
            // The page gives no answer text of its own.
            surroundings.PointConverted({latitude, longitude, row.Text, row.Country, {}});
        });
}

}  // namespace mapwell
