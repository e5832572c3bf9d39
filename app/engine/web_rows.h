// The lines of a run that go the web route, as the engine collects them: each line's output
// fields and the tab-separated text for the batch-geocoding page. Platform-neutral; the web
// route (app/web) takes the collection over after the line loop.
#pragma once

#include <string>
#include <vector>

namespace mapwell {

// One collected line: its output fields and the raw source line exactly as read.
struct WebRow {
    std::wstring Name1, Name2, Street, Zip, City, Description;
    std::string Line;
    std::wstring Country = {}, Text = {};  // for the map: the country column and the line as text
};

// ClipText with its header line, and the WebRow list indexed by item number; index 0 exists
// and is empty, index n holds the line with item number n.
class WebCollection {
public:
    WebCollection();
    // Stores the row as the next item number and adds its address line to ClipText.
    void Collect(WebRow row);
    const std::wstring& ClipText() const { return clipText_; }
    const std::vector<WebRow>& Rows() const { return rows_; }
    int Count() const { return static_cast<int>(rows_.size()) - 1; }

private:
    std::wstring clipText_;
    std::vector<WebRow> rows_;
};

}  // namespace mapwell
