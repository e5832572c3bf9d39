#include "app/engine/error_list.h"

#include "app/engine/byte_file.h"

namespace mapwell {

void ErrorListFile::Append(const std::string& rawLine) {
    ByteFile file(path_, ByteFile::Mode::Append);
    const bool written = file.Write(rawLine) && file.Write("\r\n");
    if (!file.Close() || !written) {
        lost_ = true;
    }
}

std::filesystem::path ErrorListBeside(const std::wstring& destinationFullPath) {
    return std::filesystem::path(destinationFullPath).parent_path() / L"ConvertError.txt";
}

}  // namespace mapwell
