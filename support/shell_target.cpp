#include "support/shell_target.h"

#include "support/text.h"

namespace mapwell {

ShellTarget SplitShellTarget(std::wstring_view target) {
    ShellTarget split{std::wstring(target), {}, FolderOf(target)};
    const auto slash = target.find(L'/');
    if (slash != std::wstring_view::npos && target.find(L"http://") == std::wstring_view::npos) {
        split.file = target.substr(0, slash);
        split.parameters = target.substr(slash);
    }
    return split;
}

}  // namespace mapwell
