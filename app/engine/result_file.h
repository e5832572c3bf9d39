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
// included, leaves every line written in the file.
class FileResultFile : public ResultFile {
public:
    explicit FileResultFile(const std::filesystem::path& path)
        : file_(path, ByteFile::Mode::Create) {}
    bool IsOpen() const { return file_.IsOpen(); }
    bool Write(std::string_view bytes) override {
        return file_.Write(bytes) && std::fflush(file_.Get()) == 0;
    }
    bool Close() { return file_.Close(); }

private:
    ByteFile file_;
};

}  // namespace mapwell
