#include "support/encoding/line_reader.h"

#include "support/encoding/codepage.h"

#include <algorithm>

namespace mapwell {

namespace {

// A quoted cell may hold this many line breaks: one that seems to hold more began with a stray
// double quote, and reading on would swallow the lines of other addresses.
constexpr int kMaxBreaksInCell = 16;

bool SeekFile(std::FILE* file, long long offset) {
#ifdef _WIN32
    return _fseeki64(file, offset, SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

}  // namespace

bool LineReader::Fill() {
    if (pos_ < size_) {
        return true;
    }
    if (eof_ || !file_) {
        eof_ = true;
        return false;
    }
    blockStart_ += static_cast<long long>(size_);
    size_ = std::fread(block_.data(), 1, block_.size(), file_);
    pos_ = 0;
    if (size_ == 0) {
        eof_ = true;
        return false;
    }
    return true;
}

void LineReader::SeekTo(long long offset) {
    pending_.reset();
    if (offset >= blockStart_ && offset <= blockStart_ + static_cast<long long>(size_)) {
        pos_ = static_cast<std::size_t>(offset - blockStart_);
        eof_ = false;
        return;
    }
    eof_ = !file_ || !SeekFile(file_, offset);
    blockStart_ = offset;
    pos_ = size_ = 0;
}

bool LineReader::Utf16() const {
    return encoding_ == SourceEncoding::Utf16Le || encoding_ == SourceEncoding::Utf16Be;
}

bool LineReader::TakeUnit(char32_t& unit) {
    if (pending_) {
        unit = *pending_;
        pending_.reset();
        return true;
    }
    if (!Fill()) {
        return false;
    }
    const unsigned char first = static_cast<unsigned char>(block_[pos_++]);
    if (!Utf16()) {
        unit = first;
        return true;
    }
    if (!Fill()) {
        oddLastByte_ = true;  // half a character ends the list
        return false;
    }
    const unsigned char second = static_cast<unsigned char>(block_[pos_++]);
    unit = encoding_ == SourceEncoding::Utf16Le ? first | second << 8 : first << 8 | second;
    return true;
}

bool LineReader::PeekIs(char32_t unit) {
    char32_t next = 0;
    if (!TakeUnit(next)) {
        return false;
    }
    if (next == unit) {
        return true;
    }
    pending_ = next;
    return false;
}

bool LineReader::AtEnd() {
    char32_t next = 0;
    if (!TakeUnit(next)) {
        return true;
    }
    pending_ = next;
    return false;
}

SourceEncoding LineReader::ReadEncoding() {
    // The decision wants the whole head, which one read need not give.
    while (file_ && pos_ == 0 && blockStart_ == 0 && size_ < block_.size()) {
        const std::size_t read = std::fread(block_.data() + size_, 1, block_.size() - size_, file_);
        if (read == 0) {
            break;
        }
        size_ += read;
    }
    const std::string_view head(block_.data(), size_);
    ListEncoding found;
    if (const std::optional<ListEncoding> byHead = EncodingOfHead(head)) {
        found = *byHead;
    } else {
        // Valid UTF-8 is decided on every byte of the list: a letter beyond ASCII may first come
        // on its last line.
        Utf8Check check;
        check.Feed(head);
        if (size_ == block_.size() && !check.Failed() && file_) {
            std::vector<char> rest(kBlockSize);
            for (std::size_t read = 0;
                 !check.Failed() && (read = std::fread(rest.data(), 1, rest.size(), file_)) > 0;) {
                check.Feed(std::string_view(rest.data(), read));
            }
            eof_ = !SeekFile(file_, static_cast<long long>(size_));
        }
        found.encoding = check.Result();
    }
    pos_ = found.markLength;
    encoding_ = found.encoding;
    SetSeparators(separatorTexts_);
    return encoding_;
}

void LineReader::SetSeparators(const std::vector<std::wstring>& separators) {
    separatorTexts_ = separators;
    separators_.clear();
    for (const std::wstring& text : separators) {
        if (text.empty()) {
            continue;
        }
        std::u32string units;
        if (Utf16()) {
            for (wchar_t c : text) {
                units += static_cast<char32_t>(static_cast<char16_t>(c));
            }
        } else {
            for (char c : LinesAreUtf8(encoding_) ? WideToUtf8(text) : WideToAnsi(text)) {
                units += static_cast<char32_t>(static_cast<unsigned char>(c));
            }
        }
        separators_.push_back(units);
    }
    // Runs of plain bytes can be taken whole while every separator is one byte long.
    quickRuns_ = !Utf16();
    stopByte_.fill(false);
    for (const unsigned char stop : {'\r', '\n', '"'}) {
        stopByte_[stop] = true;
    }
    for (const std::u32string& separator : separators_) {
        quickRuns_ = quickRuns_ && separator.size() == 1;
        stopByte_[separator.front() & 0xFF] = true;
    }
}

bool LineReader::AfterSeparator(const std::u32string& kept) const {
    for (const std::u32string& separator : separators_) {
        if (kept.ends_with(separator)) {
            return true;
        }
    }
    return false;
}

bool LineReader::ReadRecord(std::u32string& units, std::size_t limit, bool quotes) {
    // The last units of the record, kept whatever the limit, to find where a cell begins.
    std::u32string tail;
    std::size_t longest = 1;
    for (const std::u32string& separator : separators_) {
        longest = std::max(longest, separator.size());
    }
    auto keep = [&](char32_t unit) {
        if (units.size() < limit) {
            units += unit;
        }
        tail += unit;
        if (tail.size() > longest) {
            tail.erase(0, 1);
        }
    };
    bool cellStart = true, inQuotes = false, closed = false;
    int breaksInQuotes = 0;
    char32_t unit = 0;
    for (;;) {
        // Most of a line is plain text: taken a run at a time up to the next byte that matters.
        if (quickRuns_ && !inQuotes && !closed && !pending_ && Fill()) {
            const char* from = block_.data() + pos_;
            const char* const end = block_.data() + size_;
            const char* stop = from;
            while (stop < end && !stopByte_[static_cast<unsigned char>(*stop)]) {
                ++stop;
            }
            if (stop > from) {
                const std::size_t room = units.size() < limit ? limit - units.size() : 0;
                const std::size_t run = static_cast<std::size_t>(stop - from);
                for (const char* c = from; c < from + std::min(run, room); ++c) {
                    units += static_cast<char32_t>(static_cast<unsigned char>(*c));
                }
                tail.assign(1, static_cast<char32_t>(static_cast<unsigned char>(stop[-1])));
                cellStart = false;
                pos_ += run;
                continue;
            }
        }
        if (!TakeUnit(unit)) {
            break;
        }
        if (inQuotes) {
            keep(unit);
            if (unit == U'"') {
                if (PeekIs(U'"')) {
                    keep(unit);
                } else {
                    inQuotes = false;
                    closed = true;
                }
            } else if (unit == U'\r' || unit == U'\n') {
                if (unit == U'\r' && PeekIs(U'\n')) {
                    keep(U'\n');
                }
                ++nextLine_;
                if (++breaksInQuotes > kMaxBreaksInCell) {
                    return false;
                }
            }
            continue;
        }
        const bool lineEnd = unit == U'\r' || unit == U'\n';
        if (closed && breaksInQuotes > 0 && !lineEnd) {
            // What follows a quoted cell that spans lines must be a separator or the line end.
            bool separatorNext = false;
            for (const std::u32string& separator : separators_) {
                separatorNext = separatorNext || separator.front() == unit;
            }
            if (!separatorNext) {
                return false;
            }
        }
        closed = false;
        if (lineEnds_ == LineEnds::Unknown && lineEnd) {
            lineEnds_ = unit == U'\n' ? LineEnds::Lf : LineEnds::CrLf;
        }
        if (unit == U'\r') {
            if (PeekIs(U'\n') || lineEnds_ == LineEnds::CrLf) {
                ++nextLine_;
                return true;
            }
        } else if (unit == U'\n' && lineEnds_ == LineEnds::Lf) {
            ++nextLine_;
            return true;
        }
        if (unit == U'"' && cellStart && quotes) {
            inQuotes = true;
        }
        keep(unit);
        cellStart = AfterSeparator(tail);
    }
    return !(inQuotes && breaksInQuotes > 0);
}

std::string LineReader::Encode(const std::u32string& units, std::size_t limit) const {
    if (!Utf16()) {
        std::string bytes(units.size(), '\0');
        for (std::size_t i = 0; i < units.size(); ++i) {
            bytes[i] = static_cast<char>(units[i]);
        }
        return bytes;
    }
    std::wstring wide(units.size(), L'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        wide[i] = static_cast<wchar_t>(units[i]);
    }
    std::string line = WideToUtf8(wide);
    if (line.size() > limit) {
        line.resize(limit);
    }
    return line;
}

std::string LineReader::ReadLine(std::size_t limit) {
    const long long start =
        blockStart_ + static_cast<long long>(pos_) - (pending_ ? (Utf16() ? 2 : 1) : 0);
    const LineEnds lineEnds = lineEnds_;
    recordLine_ = nextLine_;
    std::u32string units;
    if (!ReadRecord(units, limit, true)) {
        // The double quote that opened the cell was a stray one: the record is its first line.
        SeekTo(start);
        lineEnds_ = lineEnds;
        nextLine_ = recordLine_;
        units.clear();
        ReadRecord(units, limit, false);
    }
    return Encode(units, limit);
}

std::optional<std::vector<std::wstring>> ReadListHead(const std::filesystem::path& path, int count,
                                                      std::size_t lineLimit,
                                                      const std::vector<std::wstring>& separators) {
    ByteFile file(path, ByteFile::Mode::Read);
    if (!file.IsOpen()) {
        return std::nullopt;
    }
    LineReader reader(file.Get());
    const SourceEncoding encoding = reader.ReadEncoding();
    reader.SetSeparators(separators);
    std::vector<std::wstring> lines;
    while (static_cast<int>(lines.size()) < count && !reader.AtEnd()) {
        lines.push_back(DecodeListLine(reader.ReadLine(lineLimit), encoding));
    }
    return lines;
}

}  // namespace mapwell
