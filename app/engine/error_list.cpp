#include "app/engine/error_list.h"

#include "app/engine/result_file.h"
#include "support/encoding/result_text.h"

namespace mapwell {

namespace {

// The file at `path` replaced by one that holds `utf8Lines` after a UTF-8 mark. Written beside it
// first and then put in its place, so that a failure on the way leaves the earlier lines as
// they were.
bool ReplaceWithUtf8(const std::filesystem::path& path, const std::string& utf8Lines) {
    std::filesystem::path fresh = path;
    fresh += ".new";
    bool written = false;
    {
        ByteFile file(fresh, ByteFile::Mode::Create);
        written = file.Write(std::string(kUtf8Mark) + utf8Lines) && file.Close();
    }
    std::error_code ec;
    if (written) {
        std::filesystem::rename(fresh, path, ec);
    }
    if (!written || ec) {
        std::filesystem::remove(fresh, ec);
        return false;
    }
    return true;
}

}  // namespace

void ErrorListFile::Append(const std::string& rawLine) {
    const std::string entry = rawLine + "\r\n";
    std::string earlier;
    {
        ByteFile head(path_, ByteFile::Mode::Read);
        char mark[3] = {};
        const std::size_t read = head.IsOpen() ? std::fread(mark, 1, sizeof mark, head.Get()) : 0;
        earlier.assign(mark, read);
    }
    const ErrorListEntry how = ErrorListEntryFor(earlier, text_);
    std::string ansiLines;
    if (how.toUtf8) {
        const std::vector<std::uint8_t> bytes = ReadFileBytes(path_);
        ansiLines.assign(bytes.begin(), bytes.end());
    }
    bool written = !ansiLines.empty() && ReplaceWithUtf8(path_, AnsiAsUtf8(ansiLines) + entry);
    if (!written) {
        ByteFile file(path_, ByteFile::Mode::Append);
        std::string bytes = how.markFirst ? std::string(kUtf8Mark) : "";
        bytes += how.entryAsUtf8 ? AnsiAsUtf8(entry) : entry;
        written = file.Write(bytes) && file.Close();
    }
    if (!written) {
        ++lost_;
    }
}

ErrorListRenewal::ErrorListRenewal(std::filesystem::path list, bool renews)
    : list_(std::move(list)), fresh_(list_), renews_(renews) {
    fresh_ += L".new";
    std::error_code ec;
    if (renews_) {
        std::filesystem::remove(fresh_, ec);  // left by a run that was killed
    }
}

ErrorListRenewal::~ErrorListRenewal() {
    std::error_code ec;
    if (renews_) {
        std::filesystem::remove(fresh_, ec);
    }
}

bool ErrorListRenewal::PutInPlace(const ErrorListFile& entries) {
    std::error_code ec;
    // No line failed again: the list goes over into an empty one.
    if (!entries.Lost() && !std::filesystem::exists(fresh_, ec)) {
        ByteFile empty(fresh_, ByteFile::Mode::Create);
        empty.Close();
    }
    if (entries.Lost() || !std::filesystem::exists(fresh_, ec)) {
        return false;
    }
    std::filesystem::rename(fresh_, list_, ec);
    return !ec;
}

std::filesystem::path ErrorListBeside(const std::wstring& destinationFullPath) {
    return std::filesystem::path(destinationFullPath).parent_path() / L"ConvertError.txt";
}

}  // namespace mapwell
