// The three layouts of a result file, byte for byte, and the small writer that both routes of a
// conversion use. Platform-neutral.
#pragma once

#include "support/encoding/result_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace mapwell {

// The option in force when a line is written: Option1, Option2, Option3, or none of them; or a
// map format, which a destination's extension chooses.
enum class OutputFormat { None, Poi, Csv, Append, Gpx, Kml, GeoJson };

bool IsMapFormat(OutputFormat format);

// The map format that a destination's extension names (".gpx", ".kml", ".geojson", in any
// letter case); nullopt for every other extension.
std::optional<OutputFormat> MapFormatOfPath(std::wstring_view path);

// The extension of a map format, ".gpx"; empty for the other formats.
std::wstring_view MapExtension(OutputFormat format);

// The output fields of one converted line.
struct OutputFields {
    std::wstring Name1, Name2, Street, Zip, City, Description;
};

// The CSV header line, CR LF included.
std::string CsvHeaderLine();

class ResultFile;

// What writes a map file's parts, plugged in by the window (app/map): the opening part, one
// converted point (`first` when it is the file's first) with its navigation program's `answer`,
// and the closing part. Each returns false when its bytes could not be written.
class MapFileSink {
public:
    virtual ~MapFileSink() = default;
    virtual bool Opening(ResultFile& file, OutputFormat format) = 0;
    virtual bool Point(ResultFile& file, OutputFormat format, const OutputFields& fields,
                       std::wstring_view lat, std::wstring_view lon, bool first,
                       std::wstring_view answer) = 0;
    virtual bool Closing(ResultFile& file, OutputFormat format) = 0;
};

// Where result lines go: the open result file of a run, or a buffer in tests.
class ResultFile {
public:
    virtual ~ResultFile() = default;
    // False when the bytes could not be written.
    virtual bool Write(std::string_view bytes) = 0;

    ResultText text = ResultText::Ansi;  // support/encoding/result_text.h
    // Lines written in ANSI in which a letter that the code page lacks was replaced by the
    // closest it has.
    int linesWithReplacedLetters = 0;
    // Points written in a map format so far: GeoJSON separates its features by commas.
    long long MapPoints = 0;
    // The writer of the map formats; without one, a map format cannot be written.
    MapFileSink* MapFile = nullptr;
    // A write of the header, a line or the closing part failed: the run ends there.
    bool WriteFailed = false;
};

// The UTF-8 byte-order mark of a UTF-8 CSV or append result, then the CSV header when `format`
// is Csv, or a map format's opening part; nothing else. False when it could not be written.
bool WriteResultHeader(ResultFile& file, OutputFormat format);

// Writes a map format's closing part when it goes, however the run ends (its last line, "Exit"
// or a failure), so that the file stays whole; or earlier, by Close.
class ResultClosing {
public:
    ResultClosing(ResultFile& file, OutputFormat format) : file_(file), format_(format) {}
    ~ResultClosing();
    // Writes the closing part now; false when it could not be written.
    bool Close();
    ResultClosing(const ResultClosing&) = delete;
    ResultClosing& operator=(const ResultClosing&) = delete;

private:
    ResultFile& file_;
    OutputFormat format_;
    bool closed_ = false;
};

// One result line in `format`, in the file's text (map formats in UTF-8); nothing when no
// format is set. The first coordinate text is the latitude position. The raw line is in the
// file's text already. The map formats also carry the navigation program's `answer`; the other
// layouts leave it out. False when the line could not be written; the file's WriteFailed is then
// set.
bool WriteResultLine(ResultFile& file, OutputFormat format, const OutputFields& fields,
                     std::wstring_view lat, std::wstring_view lon, std::string_view rawLine,
                     std::wstring_view answer = {});

}  // namespace mapwell
