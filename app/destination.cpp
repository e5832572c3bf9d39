#include "app/destination.h"

#include "support/text.h"

namespace mapwell {

namespace {

// Position of the extension's dot inside the file-name part, or npos when the name has none.
std::size_t ExtensionDot(std::wstring_view path) {
    const std::size_t nameStart =
        path.rfind(L'\\') == std::wstring_view::npos ? 0 : path.rfind(L'\\') + 1;
    const std::size_t dot = path.rfind(L'.');
    return dot == std::wstring_view::npos || dot < nameStart ? std::wstring_view::npos : dot;
}

}  // namespace

std::wstring ProposeDestination(std::wstring_view source) {
    return DropLast(source, 4) + L"_Geo.txt";
}

std::wstring WithExtension(std::wstring_view destination, std::wstring_view extension) {
    if (destination.empty()) {
        return {};
    }
    const std::size_t dot = ExtensionDot(destination);
    return std::wstring(destination.substr(0, dot)) + std::wstring(extension);
}

std::wstring BatchDestination(std::wstring_view destination, std::wstring_view source) {
    const std::size_t dot = ExtensionDot(destination);
    const std::wstring extension =
        dot == std::wstring_view::npos ? std::wstring() : std::wstring(destination.substr(dot));
    std::wstring name = FileNameOf(source);
    const std::size_t sourceDot = ExtensionDot(name);
    if (sourceDot != std::wstring::npos) {
        name.erase(sourceDot);
    }
    const bool hasFolder = destination.find(L'\\') != std::wstring_view::npos;
    return (hasFolder ? FolderOf(destination) : std::wstring()) + name + L"_Geo" + extension;
}

}  // namespace mapwell
