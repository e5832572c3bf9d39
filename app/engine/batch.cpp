#include "app/engine/batch.h"

#include "support/text.h"

namespace mapwell {

std::vector<std::wstring> SplitSelection(std::wstring_view answer) {
    std::vector<std::wstring> parts;
    std::size_t start = 0;
    while (start < answer.size() && answer[start] != L'\0') {
        std::size_t end = answer.find(L'\0', start);
        if (end == std::wstring_view::npos) {
            end = answer.size();
        }
        parts.emplace_back(answer.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (!path.empty() && path.back() != L'\\') {
        path += L'\\';
    }
    return path + std::wstring(name);
}

std::wstring BatchCaption(std::wstring_view title, int index, int count) {
    return std::wstring(title) + L" - file " + DecimalText(index) + L" of " + DecimalText(count);
}

}  // namespace mapwell
