// The result file of a run: a ResultFile written into a plain byte file. Platform-neutral.
#pragma once

#include "app/engine/output_format.h"
#include "support/byte_file.h"

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace mapwell {

// The result file of a run: created anew, replacing an existing file. Each line goes to the
// system as it is written, so that a run that is stopped in any way, the program killed
// included, leaves every line written in the file. A write that fails closes the file and cuts
// it back to the lines written before it, so that no part of a line is left behind.
class FileResultFile : public ResultFile {
public:
    explicit FileResultFile(const std::filesystem::path& path)
        : path_(path), file_(path, ByteFile::Mode::Create) {}
    bool IsOpen() const { return file_.IsOpen(); }
    bool Write(std::string_view bytes) override {
        if (file_.Write(bytes) && std::fflush(file_.Get()) == 0) {
            written_ += bytes.size();
            return true;
        }
        file_.Close();
        std::error_code ec;
        std::filesystem::resize_file(path_, written_, ec);
        return false;
    }
    bool Close() { return file_.Close(); }

private:
    std::filesystem::path path_;
    ByteFile file_;
    std::uintmax_t written_ = 0;
};

}  // namespace mapwell
