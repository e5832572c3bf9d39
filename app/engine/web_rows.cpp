#include "app/engine/web_rows.h"

namespace mapwell {

WebCollection::WebCollection()
    : clipText_(L"Address\tCity\tZipcode\tState\tDescription\r\n"), rows_(1) {}

void WebCollection::Collect(WebRow row) {
    const int item = static_cast<int>(rows_.size());
    clipText_ +=
        row.Street + L'\t' + row.City + L'\t' + row.Zip + L"\t\t" + std::to_wstring(item) + L"\r\n";
    rows_.push_back(std::move(row));
}

}  // namespace mapwell
