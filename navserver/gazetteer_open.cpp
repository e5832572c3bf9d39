// Telling a compact gazetteer from a damaged file.
#include "navserver/gazetteer_open.h"

#include "support/text.h"

#include <utility>

namespace mapwell {

OpenedGazetteer OpenGazetteer(std::wstring_view path, std::vector<std::uint8_t> bytes) {
    OpenedGazetteer opened;
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
