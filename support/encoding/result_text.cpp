#include "support/encoding/result_text.h"

#include "support/encoding/codepage.h"

namespace mapwell {

ResultText ResultTextOf(SourceEncoding encoding) {
    return LinesAreUtf8(encoding) ? ResultText::Utf8 : ResultText::Ansi;
}

std::string_view ResultMark(ResultText text) {
    return text == ResultText::Utf8 ? kUtf8Mark : std::string_view();
}

EncodedText EncodeResultText(std::wstring_view text, ResultText how) {
    if (how == ResultText::Utf8) {
        return {WideToUtf8(text), false};
    }
    std::string bytes = WideToAnsi(text);
    const bool replaced = AnsiToWide(bytes) != text;
    return {std::move(bytes), replaced};
}

std::string AnsiAsUtf8(std::string_view bytes) {
    return WideToUtf8(AnsiToWide(bytes));
}

ErrorListEntry ErrorListEntryFor(std::string_view head, ResultText text) {
    const bool utf8List = head.starts_with(kUtf8Mark);
    const bool begun = !head.empty();
    return {.toUtf8 = text == ResultText::Utf8 && begun && !utf8List,
            .markFirst = text == ResultText::Utf8 && !begun,
            .entryAsUtf8 = text == ResultText::Ansi && utf8List};
}

}  // namespace mapwell
