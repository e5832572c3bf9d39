// The countries that the gazetteer holds and the ways an address list writes them.
#pragma once

#include <string_view>

namespace mapwell {

struct CountryNames {
    const char* iso2;
    const char* iso3;
    const char* codes;  // further short forms, blank-separated ("D BRD GER")
    const char* names;  // English, German and local names, comma-separated, folded upper case
};

// Germany, Austria and Switzerland first, in that order: an address without a country is
// looked for in them first.
extern const CountryNames kCountries[];
extern const int kCountryCount;

// The index into kCountries of a country as an address list writes it: an ISO code of two or
// three letters, a short form ("D", "A", "CH", "FL"), or an English, German or local name or
// its beginning of three letters or more ("Deut", "Öste", "Schw", "Germany"); the request
// record carries only the first four characters. -1 when it names none of them.
int FindCountry(std::wstring_view text);

// The index of an ISO-2 code as the gazetteer writes it ("DE"); -1 when none.
int CountryOfIso2(std::string_view iso2);

}  // namespace mapwell
