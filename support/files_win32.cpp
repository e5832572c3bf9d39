#include "support/files.h"

#include "support/shell_target.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace mapwell {

bool FileExists(std::wstring_view path, int skipLengthTest) {
    const std::wstring name(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    const bool empty = data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
    return !(skipLengthTest == 0 && empty && path.find(L'.') != std::wstring_view::npos);
}

void ShellOpen(std::wstring_view target) {
    const ShellTarget split = SplitShellTarget(target);
    ShellExecuteW(nullptr, L"open", split.file.c_str(),
                  split.parameters.empty() ? nullptr : split.parameters.c_str(),
                  split.folder.c_str(), SW_SHOWNORMAL);
}

}  // namespace mapwell
