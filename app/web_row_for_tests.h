// A collected line for the web route's tests: the fields the page sees and the raw line.
#pragma once

#include "app/web_route.h"

namespace mapwell::test {

inline WebRow Row(const wchar_t* street, const wchar_t* city, const wchar_t* zip,
                  const char* line) {
    WebRow row;
    row.Street = street;
    row.City = city;
    row.Zip = zip;
    row.Line = line;
    return row;
}

}  // namespace mapwell::test
