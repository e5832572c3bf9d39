// The controls of the column assignment dialog `ImportAdd` in twips: a left column of choice
// boxes, a right column of headings with their preview boxes, and along the bottom OK, the
// line scroll bar and Cancel. Platform-neutral.
#pragma once

#include "support/control_table.h"

#include <span>

namespace mapwell {

constexpr int kImportAddClientWidth = 6600;
constexpr int kImportAddClientHeight = 6300;

// Control ids; the dialog's own tests and the test driver find the controls by them.
enum ImportAddControlId : int {
    IdAddFrame1 = 201,
    IdLabDaten,
    IdImpText,
    IdLabName,
    IdComboN1,
    IdComboN2,
    IdTName,
    IdLabStr,
    IdComboStr,
    IdTStr,
    IdLabPlz,
    IdComboPLZ,
    IdTPLZ,
    IdLabCity,
    IdComboCity,
    IdTCity,
    IdLabLand,
    IdComboLand,
    IdTLand,
    IdLabText,
    IdComboT1,
    IdComboT2,
    IdTText,
    IdButOk,
    IdHScroll1,
    IdButExit,
    IdLabColumns,  // says when the boxes offer fewer columns than the first line has
};

std::span<const ControlSpec> ImportAddControls();

// The choice box ids in the order of the profile's fields (Name1 ... B2).
inline constexpr int kComboIds[] = {IdComboN1,   IdComboN2,   IdComboStr, IdComboPLZ,
                                    IdComboCity, IdComboLand, IdComboT1,  IdComboT2};

}  // namespace mapwell
