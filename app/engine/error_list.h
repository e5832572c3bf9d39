// The error list ConvertError.txt beside the result file: one raw source line per address that
// yielded no coordinates, on either route. Platform-neutral.
#pragma once

#include "app/engine/output_format.h"

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
// every entry. Remembers whether an entry could not be written. Its entries are the raw lines in
// `text`: an error list begun by a UTF-8 or UTF-16 list is UTF-8 after a byte-order mark, and
// stays so; an ANSI one goes over into UTF-8, lines it holds included, when such a list adds to
// it, so that no letter is lost.
class ErrorListFile : public ErrorList {
public:
    explicit ErrorListFile(std::filesystem::path path, ResultText text = ResultText::Ansi)
        : path_(std::move(path)), text_(text) {}
    void Append(const std::string& rawLine) override;
    bool Lost() const { return lost_; }

private:
    std::filesystem::path path_;
    ResultText text_;
    bool lost_ = false;
};

// ConvertError.txt beside the result file at `destinationFullPath`.
std::filesystem::path ErrorListBeside(const std::wstring& destinationFullPath);

}  // namespace mapwell
