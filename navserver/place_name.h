// The key under which a place name is filed and looked up, so that the spellings of one name
// meet: "Frankfurt (Oder)", "Frankfurt/Oder" and "Frankfurt an der Oder" all become
// "frankfurt oder", "St. Gallen" and "Sankt Gallen" become "sankt gallen", and "München" and
// "Muenchen" become "muenchen".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mapwell {

// Lower case ASCII words separated by single blanks. Accents are dropped, umlauts written out
// ("ä" = "ae", "ß" = "ss"); hyphens, slashes, brackets and points separate words; "st" becomes
// "sankt"; the small joining words ("a", "am", "an der", "im", "bei", ...) are left out unless
// nothing else remains. Empty when the name holds a letter outside the Latin alphabets that
// can be written out so (a name in another script), or no letter or digit at all.
std::string PlaceKey(std::wstring_view name);

// Further keys under which the builder files a name, as lists also write it: umlauts with their
// dots dropped ("Völs" -> "vols~") and the words after the first cut to their initials
// ("Aigen im Ennstal" -> "aigen e~", so that "Aigen i. E." finds it). Each carries
// kShortSpellingMark, so that a place of that very name ("Hohn") comes before another place
// that lists may spell so ("Höhn").
std::vector<std::string> ShortSpellingKeys(std::wstring_view name);
constexpr char kShortSpellingMark = '~';

// The key without its last word ("frankfurt main" -> "frankfurt"); empty for a single word.
std::string ShorterKey(std::string_view key);

// A key made of the first words of a longer name is filed with this mark after it
// ("frankfurt+" for "Frankfurt am Main"), so that it is found only after the whole names.
constexpr char kNameStartMark = '+';

// The keys of the first words of `key`, each with kNameStartMark, leaving out those that
// name no particular place on their own: "bad homburg hoehe" -> "bad homburg+".
std::vector<std::string> NameStartKeys(std::string_view key);

// True for a key such as "bad" or "sankt" that begins many names.
bool IsTooGeneralKey(std::string_view key);

}  // namespace mapwell
