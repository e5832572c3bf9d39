#include "app/engine/web_rows.h"

#include "support/text.h"

namespace mapwell {

WebCollection::WebCollection()
    : clipText_(L"Address\tCity\tZipcode\tState\tDescription\r\n"), rows_(1) {}

void WebCollection::Collect(WebRow row) {
    const int item = static_cast<int>(rows_.size());
    // One row a line: a line break in a cell would start another row.
    clipText_ += OnOneLine(row.Street) + L'\t' + OnOneLine(row.City) + L'\t' + OnOneLine(row.Zip) +
                 L"\t\t" + std::to_wstring(item) + L"\r\n";
    rows_.push_back(std::move(row));
}

}  // namespace mapwell
