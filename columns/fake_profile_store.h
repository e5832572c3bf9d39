// A profile store in memory for tests: value names match without regard to letter case, as
// they do in the registry.
#pragma once

#include "columns/column_profile.h"

#include <cwctype>
#include <map>

namespace mapwell {

class FakeProfileStore : public ProfileStore {
public:
    std::wstring Read(std::wstring_view valueName, std::wstring_view fallback) override {
        ++reads;
        const auto it = values.find(Key(valueName));
        return it == values.end() ? std::wstring(fallback) : it->second;
    }
    void Write(std::wstring_view valueName, std::wstring_view text) override {
        values[Key(valueName)] = std::wstring(text);
    }
    void Set(std::wstring_view valueName, std::wstring_view text) { Write(valueName, text); }
    bool Has(std::wstring_view valueName) const { return values.count(Key(valueName)) != 0; }
    std::wstring Get(std::wstring_view valueName) const { return values.at(Key(valueName)); }

    std::map<std::wstring, std::wstring> values;
    int reads = 0;

private:
    static std::wstring Key(std::wstring_view name) {
        std::wstring key(name);
        for (auto& c : key) {
            c = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
        }
        return key;
    }
};

}  // namespace mapwell
