#include "app/engine/output_format.h"

#include "support/text.h"

namespace mapwell {

namespace {

// A double quote, the text with each double quote in it doubled, a double quote: a spreadsheet
// reads the cell back as it was, line breaks included.
void AddQuoted(std::wstring& line, std::wstring_view text) {
    line += L'"';
    line += ReplaceAll(text, L"\"", L"\"\"");
    line += L'"';
}

// `text` in the file's encoding, or in ANSI when `ansi`; counts the line when ANSI lacks one of
// its letters.
std::string Encoded(ResultFile& file, std::wstring_view text, bool ansi) {
    EncodedText encoded = EncodeResultText(text, ansi ? ResultText::Ansi : file.text);
    if (encoded.lettersReplaced) {
        ++file.linesWithReplacedLetters;
    }
    return std::move(encoded.bytes);
}

// A write's success; a failure is kept in the file.
bool Kept(ResultFile& file, bool written) {
    if (!written) {
        file.WriteFailed = true;
    }
    return !file.WriteFailed;
}

// Writes `bytes`; a failure is kept in the file.
bool Put(ResultFile& file, std::string_view bytes) {
    return Kept(file, file.Write(bytes));
}

// One POI a line: a line break in a field is a blank.
std::wstring PoiText(const OutputFields& f, std::wstring_view lat, std::wstring_view lon) {
    std::wstring line;
    line.append(lat).append(L",").append(lon).append(L",\"");
    line.append(f.Name1).append(L" ").append(f.Name2).append(L" - ");
    line.append(f.Street).append(L" ").append(f.Zip).append(L" ").append(f.City);
    line.append(L", ").append(f.Description);
    return OnOneLine(line) + L"\"\r\n";
}

std::wstring CsvText(const OutputFields& f, std::wstring_view lat, std::wstring_view lon) {
    std::wstring line;
    for (std::wstring_view text :
         {std::wstring_view(f.Name1), std::wstring_view(f.Name2), std::wstring_view(f.Street),
          std::wstring_view(f.Zip), std::wstring_view(f.City), std::wstring_view(f.Description),
          lat}) {
        AddQuoted(line, text);
        line += L',';
    }
    AddQuoted(line, lon);
    line += L"\r\n";
    return line;
}

std::wstring Appendix(std::wstring_view lat, std::wstring_view lon) {
    std::wstring appendix = L",";
    AddQuoted(appendix, lat);
    appendix += L',';
    AddQuoted(appendix, lon);
    appendix += L"\r\n";
    return appendix;
}

}  // namespace

bool IsMapFormat(OutputFormat format) {
    return format == OutputFormat::Gpx || format == OutputFormat::Kml ||
           format == OutputFormat::GeoJson;
}

std::optional<OutputFormat> MapFormatOfPath(std::wstring_view path) {
    const std::wstring_view extension = path.substr(WithoutExtension(path).size());
    for (const OutputFormat format :
         {OutputFormat::Gpx, OutputFormat::Kml, OutputFormat::GeoJson}) {
        if (!extension.empty() && SameInAnyCase(extension, MapExtension(format))) {
            return format;
        }
    }
    return std::nullopt;
}

std::wstring_view MapExtension(OutputFormat format) {
    switch (format) {
    case OutputFormat::Gpx: return L".gpx";
    case OutputFormat::Kml: return L".kml";
    case OutputFormat::GeoJson: return L".geojson";
    default: return {};
    }
}

std::string CsvHeaderLine() {
    return "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\",\"Description\","
           "\"Latitude\",\"Longitude\"\r\n";
}

bool WriteResultHeader(ResultFile& file, OutputFormat format) {
    const std::string_view mark = ResultMark(file.text);
    if (!mark.empty() && (format == OutputFormat::Csv || format == OutputFormat::Append) &&
        !Put(file, mark)) {
        return false;
    }
    if (format == OutputFormat::Csv) {
        return Put(file, CsvHeaderLine());
    }
    return !IsMapFormat(format) || Kept(file, file.MapFile && file.MapFile->Opening(file, format));
}

bool ResultClosing::Close() {
    if (closed_) {
        return !file_.WriteFailed;
    }
    closed_ = true;
    return !IsMapFormat(format_) ||
           Kept(file_, file_.MapFile && file_.MapFile->Closing(file_, format_));
}

ResultClosing::~ResultClosing() {
    try {
        Close();
    } catch (...) {
        // Out of memory on the way out: the file stays as it is.
    }
}

bool WriteResultLine(ResultFile& file, OutputFormat format, const OutputFields& fields,
                     std::wstring_view lat, std::wstring_view lon, std::string_view rawLine,
                     std::wstring_view answer) {
    switch (format) {
    case OutputFormat::Poi: return Put(file, Encoded(file, PoiText(fields, lat, lon), true));
    case OutputFormat::Csv: return Put(file, Encoded(file, CsvText(fields, lat, lon), false));
    case OutputFormat::Append:
        return Put(file, std::string(rawLine) + Encoded(file, Appendix(lat, lon), false));
    case OutputFormat::Gpx:
    case OutputFormat::Kml:
    case OutputFormat::GeoJson:
        return Kept(file, file.MapFile && file.MapFile->Point(file, format, fields, lat, lon,
                                                              file.MapPoints++ == 0, answer));
    case OutputFormat::None: break;
    }
    return true;
}

}  // namespace mapwell
