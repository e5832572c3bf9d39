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
// it, so that no letter is lost (ErrorListEntryFor, support/encoding/result_text.h, decides).
class ErrorListFile : public ErrorList {
public:
    explicit ErrorListFile(std::filesystem::path path, ResultText text = ResultText::Ansi)
        : path_(std::move(path)), text_(text) {}
    void Append(const std::string& rawLine) override;
    bool Lost() const { return lost_ > 0; }
    int LostEntries() const { return lost_; }

private:
    std::filesystem::path path_;
    ResultText text_;
    int lost_ = 0;
};

// The error list that a run reads as its list, when the failed lines are converted again. The
// run's entries go to a new list beside it, which takes its place when the run ends: the list then
// holds exactly the lines that failed again, and a failure on the way leaves it as it was.
class ErrorListRenewal {
public:
    // `renews`: the run reads the error list at `list`.
    ErrorListRenewal(std::filesystem::path list, bool renews);
    ~ErrorListRenewal();  // a new list not put in place goes
    ErrorListRenewal(const ErrorListRenewal&) = delete;
    ErrorListRenewal& operator=(const ErrorListRenewal&) = delete;

    bool Renews() const { return renews_; }
    // Where the run's entries go: the new list when it renews one, else the list itself.
    std::filesystem::path EntriesPath() const { return renews_ ? fresh_ : list_; }
    // Puts the new list, which `entries` wrote, in place of the old one. False, the old one left
    // as it was, when an entry or the move failed.
    bool PutInPlace(const ErrorListFile& entries);

private:
    std::filesystem::path list_, fresh_;
    bool renews_;
};

// ConvertError.txt beside the result file at `destinationFullPath`.
std::filesystem::path ErrorListBeside(const std::wstring& destinationFullPath);

}  // namespace mapwell
