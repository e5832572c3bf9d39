// The error list ConvertError.txt beside the result file: one raw source line per address that
// yielded no coordinates, on either route. Platform-neutral.
#pragma once

#include <filesystem>
#include <string>

namespace mapwell {

// The error list, as the import of the web route sees it.
class ErrorList {
public:
    virtual ~ErrorList() = default;
    virtual void Append(const std::string& rawLine) = 0;
};

// The error list in its file: created when missing, opened for appending and closed again for
// every entry. Remembers whether an entry could not be written.
class ErrorListFile : public ErrorList {
public:
    explicit ErrorListFile(std::filesystem::path path) : path_(std::move(path)) {}
    void Append(const std::string& rawLine) override;
    bool Lost() const { return lost_; }

private:
    std::filesystem::path path_;
    bool lost_ = false;
};

// ConvertError.txt beside the result file at `destinationFullPath`.
std::filesystem::path ErrorListBeside(const std::wstring& destinationFullPath);

}  // namespace mapwell
