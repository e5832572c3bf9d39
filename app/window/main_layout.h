// The controls of the main window `Import` as laid out in twips: one row per control, in the
// order they are created, which is also the Tab order. Platform-neutral.
#pragma once

#include "support/control_table.h"

#include <span>

namespace mapwell {

// Control ids; a container's children name it in `container`, 0 is the window itself.
enum MainControlId : int {
    IdWindow = kOnWindow,
    IdFrame1 = 101,
    IdImportFileTxt,
    IdPicture1,
    IdSearchFile,
    IdFrame2,
    IdExportFileTxt,
    IdPicture2,
    IdSetFile,
    IdFrame3,
    IdPicture3,
    IdOption1,
    IdOption2,
    IdOption3,
    IdLabel1,
    IdTxtSep,
    IdFrame4,
    IdInfo,
    IdNowImport,
    IdCommand2,
    IdShowMap,
    IdProgress,
    IdProgressText,
};

// Client area of the window, twips: the design's, and a strip under the buttons for the progress
// of a run.
constexpr int kMainClientWidth = 5385;
constexpr int kMainClientHeight = 4620;

std::span<const ControlSpec> MainControls();

// The row of a control id, or nullptr.
const ControlSpec* FindMainControl(int id);

}  // namespace mapwell
