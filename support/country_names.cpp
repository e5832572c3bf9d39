// The table of countries and the reading of a country field.
#include "support/country_names.h"

#include "support/encoding/plain_letters.h"

#include <algorithm>
#include <string>

namespace mapwell {

const CountryNames kCountries[] = {
    {"DE", "DEU", "D BRD GER", "DEUTSCHLAND,GERMANY,BUNDESREPUBLIK DEUTSCHLAND,ALLEMAGNE,GERMANIA"},
    {"AT", "AUT", "A", "OESTERREICH,OSTERREICH,AUSTRIA,AUTRICHE"},
    {"CH", "CHE", "SUI", "SCHWEIZ,SWITZERLAND,SUISSE,SVIZZERA,HELVETIA"},
    {"LI", "LIE", "FL", "LIECHTENSTEIN"},
    {"LU", "LUX", "L", "LUXEMBURG,LUXEMBOURG,LETZEBUERG"},
    {"IT", "ITA", "I", "ITALIEN,ITALY,ITALIA"},
    {"FR", "FRA", "F", "FRANKREICH,FRANCE"},
    {"NL", "NLD", "", "NIEDERLANDE,NETHERLANDS,HOLLAND,NEDERLAND"},
    {"BE", "BEL", "B", "BELGIEN,BELGIUM,BELGIQUE,BELGIE"},
    {"DK", "DNK", "", "DAENEMARK,DANEMARK,DENMARK,DANMARK"},
    {"PL", "POL", "", "POLEN,POLAND,POLSKA"},
    {"CZ", "CZE", "", "TSCHECHIEN,CZECHIA,CZECH REPUBLIC,CESKO,TSCHECHISCHE REPUBLIK"},
};
const int kCountryCount = static_cast<int>(sizeof kCountries / sizeof kCountries[0]);

namespace {

// True when `word` is one of the `separator`-separated items of `list`, or, with `prefix`,
// the beginning of one.
bool InList(std::string_view list, char separator, std::string_view word, bool prefix) {
    std::size_t at = 0;
    while (at <= list.size()) {
        const std::size_t end = std::min(list.find(separator, at), list.size());
        const std::string_view item = list.substr(at, end - at);
        if (prefix ? item.substr(0, word.size()) == word : item == word) {
            return true;
        }
        at = end + 1;
    }
    return false;
}

}  // namespace

int FindCountry(std::wstring_view text) {
    const std::string folded = FoldedUpper(text);
    if (folded.empty()) {
        return -1;
    }
    for (int i = 0; i < kCountryCount; ++i) {
        const CountryNames& c = kCountries[i];
        if (folded == c.iso2 || folded == c.iso3 || InList(c.codes, ' ', folded, false)) {
            return i;
        }
    }
    if (folded.size() < 3) {
        return -1;
    }
    for (int i = 0; i < kCountryCount; ++i) {
        if (InList(kCountries[i].names, ',', folded, true)) {
            return i;
        }
    }
    return -1;
}

int CountryOfIso2(std::string_view iso2) {
    for (int i = 0; i < kCountryCount; ++i) {
        if (iso2 == kCountries[i].iso2) {
            return i;
        }
    }
    return -1;
}

}  // namespace mapwell
