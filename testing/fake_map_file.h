// A map file in short, for the tests of what hands points to one: "<" opens it, each point is
// "[latitude longitude Name1/City answer]" (a comma before all but the first), ">" closes it.
#pragma once

#include "app/engine/output_format.h"
#include "support/encoding/codepage.h"

namespace mapwell {

class FakeMapFile : public MapFileSink {
public:
    bool Opening(ResultFile& file, OutputFormat) override { return file.Write("<"); }
    bool Point(ResultFile& file, OutputFormat, const OutputFields& f, std::wstring_view lat,
               std::wstring_view lon, bool first, std::wstring_view answer) override {
        return file.Write(WideToUtf8((first ? L"[" : L",[") + std::wstring(lat) + L" " +
                                     std::wstring(lon) + L" " + f.Name1 + L"/" + f.City + L" " +
                                     std::wstring(answer) + L"]"));
    }
    bool Closing(ResultFile& file, OutputFormat) override { return file.Write(">"); }
};

}  // namespace mapwell
