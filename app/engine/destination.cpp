#include "app/engine/destination.h"

#include "support/text.h"

namespace mapwell {

std::wstring ProposeDestination(std::wstring_view source) {
    return WithoutExtension(source) + L"_Geo.txt";
}

std::wstring WithExtension(std::wstring_view destination, std::wstring_view extension) {
    if (destination.empty()) {
        return {};
    }
    return WithoutExtension(destination) + std::wstring(extension);
}

std::wstring BatchDestination(std::wstring_view destination, std::wstring_view source) {
    const std::wstring_view extension = destination.substr(WithoutExtension(destination).size());
    const std::wstring name = BaseNameOf(source);
    const bool hasFolder = destination.find(L'\\') != std::wstring_view::npos;
    return (hasFolder ? FolderOf(destination) : std::wstring()) + name + L"_Geo" +
           std::wstring(extension);
}

}  // namespace mapwell
