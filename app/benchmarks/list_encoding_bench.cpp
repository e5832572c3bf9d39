// What deciding a list's encoding on all of its bytes costs (not a test). Built for the build
// machine and for Windows, so that it also runs under Wine:
//   list_encoding_bench FOLDER [MEGABYTES]
// Writes a list of MEGABYTES (default 100) of ASCII address lines into FOLDER, the one letter
// beyond ASCII on its last line, and prints the median of 5 decisions in milliseconds with the
// reader's first block alone and with the whole list, the file in the system's cache, and the
// time of reading all of its records once.
#include "support/encoding/line_reader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace mapwell;
using Clock = std::chrono::steady_clock;

double MedianMs(const std::filesystem::path& list, bool wholeList) {
    std::vector<double> times;
    for (int round = 0; round < 5; ++round) {
        ByteFile file(list, ByteFile::Mode::Read);
        const auto start = Clock::now();
        SourceEncoding encoding = SourceEncoding::Ansi;
        if (wholeList) {
            LineReader reader(file.Get());
            encoding = reader.ReadEncoding();
        } else {
            std::vector<char> head(LineReader::kBlockSize);
            const std::size_t read = std::fread(head.data(), 1, head.size(), file.Get());
            encoding = DecideEncoding(std::string_view(head.data(), read)).encoding;
        }
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if ((encoding == SourceEncoding::Utf8) != wholeList) {
            std::fprintf(stderr, "list_encoding_bench: unexpected decision\n");
            std::exit(1);
        }
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: list_encoding_bench FOLDER [MEGABYTES]\n");
        return 2;
    }
    const long long megabytes = argc > 2 ? std::atoll(argv[2]) : 100;
    const std::filesystem::path list = std::filesystem::path(argv[1]) / "encoding-bench.csv";
    {
        ByteFile out(list, ByteFile::Mode::Create);
        const std::string line = "Hans Meier;Hauptstrasse 5;10115;Berlin;DE;Kunde 4711\r\n";
        std::string block;
        while (block.size() < (1 << 20)) {
            block += line;
        }
        for (long long written = 0; written < megabytes << 20; written += block.size()) {
            out.Write(block);
        }
        out.Write("J\xC3\xBCrgen Schulz;Ring 2;20095;Hamburg;DE;\r\n");
    }
    const double head = MedianMs(list, false);
    const double whole = MedianMs(list, true);
    std::printf(
        "list of %lld MB: decision on the first %zu KiB %.2f ms, on the whole list %.1f ms\n",
        megabytes, LineReader::kBlockSize / 1024, head, whole);
    {
        // For scale: reading every record of the list once, as a conversion does.
        ByteFile file(list, ByteFile::Mode::Read);
        const auto start = Clock::now();
        LineReader reader(file.Get());
        reader.ReadEncoding();
        reader.SetSeparators({L";"});
        long long records = 0;
        while (!reader.AtEnd()) {
            records += reader.ReadLine().empty() ? 0 : 1;
        }
        std::printf("reading its %lld records: %.0f ms\n", records,
                    std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::filesystem::remove(list);
    return 0;
}
