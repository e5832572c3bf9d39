// A profile store in memory for tests.
#pragma once

#include "columns/column_profile.h"

#include <map>

namespace mapwell {

class FakeProfileStore : public ProfileStore {
public:
    std::wstring Read(std::wstring_view valueName, std::wstring_view fallback) override {
        const auto it = values.find(std::wstring(valueName));
        return it == values.end() ? std::wstring(fallback) : it->second;
    }
    void Write(std::wstring_view valueName, std::wstring_view text) override {
        values[std::wstring(valueName)] = std::wstring(text);
    }

    std::map<std::wstring, std::wstring> values;
};

}  // namespace mapwell
