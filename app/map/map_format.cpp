#include "app/map/map_format.h"

#include "support/encoding/codepage.h"
#include "support/text.h"

namespace mapwell {

namespace {

// XML character data and attribute values. XML 1.0 allows neither control characters other than
// tab, CR and LF nor U+FFFE and U+FFFF, which a list can hold (UTF-8 EF BF BE, byte-swapped
// UTF-16): they are left out. A surrogate without its partner becomes U+FFFD in UTF-8.
std::string Xml(std::wstring_view text) {
    std::wstring allowed;
    for (const wchar_t c : text) {
        if (c != L'\uFFFE' && c != L'\uFFFF') {
            allowed += c;
        }
    }
    std::string out;
    for (const char c : WideToUtf8(allowed)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') {
                out += c;
            }
        }
    }
    return out;
}

std::string Json(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : WideToUtf8(text)) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A coordinate as the map layouts demand it: an optional minus, digits and a decimal point,
// whatever separator the text was written with.
std::string Coordinate(std::wstring_view text) {
    std::string out;
    bool point = false;
    for (const wchar_t c : text) {
        if (c >= L'0' && c <= L'9') {
            out += static_cast<char>(c);
        } else if (c == L'-' && out.empty()) {
            out += '-';
        } else if (!point && (c == L'.' || c == L',')) {
            point = true;
            out += out.empty() || out == "-" ? "0." : ".";
        }
    }
    if (out.empty() || out == "-") {
        return "0";
    }
    return out.back() == '.' ? out + "0" : out;
}

std::wstring Joined(std::initializer_list<std::wstring_view> parts, std::wstring_view separator) {
    std::wstring joined;
    for (const std::wstring_view part : parts) {
        const std::wstring trimmed = Trimmed(part);
        if (trimmed.empty()) {
            continue;
        }
        if (!joined.empty()) {
            joined += separator;
        }
        joined += trimmed;
    }
    return joined;
}

}  // namespace

std::wstring MapPointName(const OutputFields& f) {
    for (const std::wstring& name :
         {Joined({f.Name1, f.Name2}, L" "), Trimmed(f.Street), Joined({f.Zip, f.City}, L" ")}) {
        if (!name.empty()) {
            return name;
        }
    }
    return {};
}

std::wstring MapPointDescription(const OutputFields& f) {
    return Joined({f.Street, Joined({f.Zip, f.City}, L" "), f.Description}, L", ");
}

std::wstring_view AnswerPrecision(std::wstring_view answer) {
    static constexpr std::wstring_view kPrecisions[] = {
        L"street level", L"district level", L"postcode level", L"town level", L"city level"};
    for (const std::wstring_view precision : kPrecisions) {
        if (answer.size() >= precision.size() &&
            SameInAnyCase(answer.substr(0, precision.size()), precision)) {
            return precision;
        }
    }
    return {};
}

std::string MapOpening(OutputFormat format) {
    switch (format) {
    case OutputFormat::Gpx:
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<gpx version=\"1.1\" creator=\"Mapwell\" "
               "xmlns=\"http://www.topografix.com/GPX/1/1\">\r\n";
    case OutputFormat::Kml:
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<kml xmlns=\"http://www.opengis.net/kml/2.2\">\r\n<Document>\r\n";
    case OutputFormat::GeoJson: return "{\"type\":\"FeatureCollection\",\"features\":[";
    default: return {};
    }
}

std::string MapPoint(OutputFormat format, const OutputFields& f, std::wstring_view lat,
                     std::wstring_view lon, bool first, std::wstring_view answer) {
    const std::string latitude = Coordinate(lat), longitude = Coordinate(lon);
    const std::wstring name = MapPointName(f), description = MapPointDescription(f);
    const std::wstring shown(UpToNul(answer));
    const std::wstring_view precision = AnswerPrecision(shown);
    switch (format) {
    case OutputFormat::Gpx:
        return "<wpt lat=\"" + latitude + "\" lon=\"" + longitude + "\"><name>" + Xml(name) +
               "</name><desc>" + Xml(Joined({description, shown}, L"\n")) + "</desc>" +
               (precision.empty() ? "" : "<type>" + Xml(precision) + "</type>") + "</wpt>\r\n";
    case OutputFormat::Kml:
        return "<Placemark><name>" + Xml(name) + "</name><description>" + Xml(description) +
               "</description>" +
               (shown.empty() ? ""
                              : "<ExtendedData><Data name=\"answer\"><value>" + Xml(shown) +
                                    "</value></Data>" +
                                    (precision.empty() ? ""
                                                       : "<Data name=\"precision\"><value>" +
                                                             Xml(precision) + "</value></Data>") +
                                    "</ExtendedData>") +
               "<Point><coordinates>" + longitude + "," + latitude +
               "</coordinates></Point></Placemark>\r\n";
    case OutputFormat::GeoJson:
        return std::string(first ? "\r\n" : ",\r\n") +
               "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[" +
               longitude + "," + latitude + "]},\"properties\":{\"name\":" + Json(name) +
               ",\"description\":" + Json(description) + ",\"name1\":" + Json(f.Name1) +
               ",\"name2\":" + Json(f.Name2) + ",\"street\":" + Json(f.Street) +
               ",\"zip\":" + Json(f.Zip) + ",\"city\":" + Json(f.City) +
               ",\"info\":" + Json(f.Description) + ",\"answer\":" + Json(shown) +
               (precision.empty() ? "" : ",\"precision\":" + Json(precision)) + "}}";
    default: return {};
    }
}

std::string MapClosing(OutputFormat format) {
    switch (format) {
    case OutputFormat::Gpx: return "</gpx>\r\n";
    case OutputFormat::Kml: return "</Document>\r\n</kml>\r\n";
    case OutputFormat::GeoJson: return "\r\n]}\r\n";
    default: return {};
    }
}

bool MapFileWriter::Opening(ResultFile& file, OutputFormat format) {
    return file.Write(MapOpening(format));
}

bool MapFileWriter::Point(ResultFile& file, OutputFormat format, const OutputFields& fields,
                          std::wstring_view lat, std::wstring_view lon, bool first,
                          std::wstring_view answer) {
    return file.Write(MapPoint(format, fields, lat, lon, first, answer));
}

bool MapFileWriter::Closing(ResultFile& file, OutputFormat format) {
    return file.Write(MapClosing(format));
}

}  // namespace mapwell
