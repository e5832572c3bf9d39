// The web route: the addresses of a run gathered for the batch-geocoding page, and the import of
// the geocoded text that the user copies back from it. Platform-neutral.
#pragma once

#include "app/engine/error_list.h"
#include "app/engine/output_format.h"
#include "app/engine/web_rows.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// The batch-geocoding page: an outside public service that takes the tab-separated list of
// ClipText and hands back the same rows with two coordinates, under a header holding "bg_lat".
// It must be an "http://" address: the shell opener hands only those to the browser whole.
inline constexpr wchar_t kGeocodingPage[] = L"http://www.geocodelist.net/batch/";

// What the user is told while the list travels through the page.
inline constexpr wchar_t kInfoStartBrowser[] = L"Start Internetbrowser to get coordinates..";
inline constexpr wchar_t kInfoConverting[] = L"Convert address to coordinates..";
inline constexpr wchar_t kInfoTryAgain[] =
    L"Please try again and copy the datas from Internetbrowser to Clipboard..";
inline constexpr wchar_t kGeocodingCaption[] = L"Geocoding";
inline constexpr wchar_t kGeocodingInstruction[] =
    L"For auto import close this message after all complete.\r\n\r\n"
    L"Steps on geocoding site.\r\n"
    L"1. Paste Clipboard into textarea of Step 2\r\n"
    L"2. Click 'Validate Source' in Step 3\r\n"
    L"3. Click 'Run Geocoder' in Step 5\r\n"
    L"4. Copy textarea of Step 6 into Clipboard\r\n"
    L"5. Close Internetbrowser\r\n"
    L"6. Click on 'Import' in this message";

// The system's regional way of writing numbers, as far as the coordinate test needs it.
struct RegionalNumberFormat {
    std::wstring decimalSeparator = L".";
    std::wstring groupSeparator = L",";
};

// True when the whole text (blanks around it allowed) is a number in the regional format whose
// value is not 0: a sign, digits with group separators, one decimal separator, an exponent.
bool ReadsAsNonZeroNumber(std::wstring_view text, const RegionalNumberFormat& format);

// True when the clipboard holds the page's result: its header names the column "bg_lat".
bool IsGeocodedText(std::wstring_view text);

// Reads the geocoded text back: every row after the header that carries two non-zero
// coordinates (fields 6 and 7) and names a collected line by its item number (field 5) becomes
// one result line in the format in force when it is written, in the order the rows come back,
// with field 7 as the first coordinate text and field 6 as the second, both unchanged. An item
// number counts once. Afterwards every collected line that did not come back (all of them when
// the text is not a geocoded text) goes to the error list, in item order. Returns the number of
// lines converted. A map format names each coordinate, so it takes field 6 as the latitude and
// field 7 as the longitude, written with a decimal point. `written`, when given, is told of
// every row written, with its latitude and longitude.
using WrittenRow = std::function<void(const WebRow&, double latitude, double longitude)>;
int ImportGeocodedText(const WebCollection& collection, std::wstring_view text,
                       const RegionalNumberFormat& format, ResultFile& result,
                       const std::function<OutputFormat()>& formatInForce, ErrorList& errors,
                       const WrittenRow& written = {});

}  // namespace mapwell
