// Telling a compact gazetteer, a sample list and a damaged file apart.
#include "navserver/gazetteer_open.h"

#include "support/text.h"

#include <cstring>
#include <utility>

namespace mapwell {

OpenedGazetteer OpenGazetteer(std::wstring_view path, std::vector<std::uint8_t> bytes) {
    OpenedGazetteer opened;
    const bool compactName =
        path.size() >= 4 && SameInAnyCase(path.substr(path.size() - 4), L".dat");
    const bool compactBytes = bytes.size() >= 4 && std::memcmp(bytes.data(), "MWGZ", 4) == 0;
    if (!compactName && !compactBytes) {
        opened.sample = ReadGazetteer(
            std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
        return opened;
    }
    const std::wstring damage = bytes.empty() ? L" is empty or cannot be read" : L" is damaged";
    opened.compact = GazetteerFile::Read(std::move(bytes));
    if (!opened.compact) {
        opened.damaged.emplace();
        opened.damaged->status = kGazetteerDamaged;
        opened.damaged->text = L"Address not found: the gazetteer " + FileNameOf(path) + damage;
        opened.notice = L"The gazetteer " + std::wstring(path) + damage +
                        L". Every request is answered with status " +
                        std::to_wstring(kGazetteerDamaged) + L".";
    }
    return opened;
}

}  // namespace mapwell
