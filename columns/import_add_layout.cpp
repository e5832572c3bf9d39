#include "columns/import_add_layout.h"

namespace mapwell {

namespace {

using K = ControlKind;

// Rows: a heading 240 high, the boxes under it 315 high, 90 between rows.
// clang-format off
constexpr ControlSpec kControls[] = {
//   id           name           kind                  caption                          left  top   width height container
    {IdAddFrame1, L"Frame1",     K::GroupBox,          L"Mapwell ",                       60,   60, 6480, 5520, kOnWindow},
    {IdLabColumns,L"LabColumns", K::Label,             L"",                              180,  300, 2520,  795, kOnWindow},
    {IdLabDaten,  L"LabDaten",   K::Label,             L"Name of datas (for later)",    2880,  300, 3480,  240, kOnWindow},
    {IdImpText,   L"ImpText",    K::TextBox,           L"",                             2880,  540, 3480,  315, kOnWindow},
    {IdLabName,   L"LabName",    K::Label,             L"Name",                         2880,  945, 3480,  240, kOnWindow},
    {IdComboN1,   L"ComboN1",    K::ComboBox,          L"",                              180, 1185, 2520,  315, kOnWindow},
    {IdComboN2,   L"ComboN2",    K::ComboBox,          L"",                              180, 1545, 2520,  315, kOnWindow},
    {IdTName,     L"TName",      K::ReadOnlyBox,       L"",                             2880, 1185, 3480,  315, kOnWindow},
    {IdLabStr,    L"LabStr",     K::Label,             L"Street",                       2880, 1950, 3480,  240, kOnWindow},
    {IdComboStr,  L"ComboStr",   K::ComboBox,          L"",                              180, 2190, 2520,  315, kOnWindow},
    {IdTStr,      L"TStr",       K::ReadOnlyBox,       L"",                             2880, 2190, 3480,  315, kOnWindow},
    {IdLabPlz,    L"LabPlz",     K::Label,             L"ZipCode",                      2880, 2595, 3480,  240, kOnWindow},
    {IdComboPLZ,  L"ComboPLZ",   K::ComboBox,          L"",                              180, 2835, 2520,  315, kOnWindow},
    {IdTPLZ,      L"TPLZ",       K::ReadOnlyBox,       L"",                             2880, 2835, 3480,  315, kOnWindow},
    {IdLabCity,   L"LabCity",    K::Label,             L"City",                         2880, 3240, 3480,  240, kOnWindow},
    {IdComboCity, L"ComboCity",  K::ComboBox,          L"",                              180, 3480, 2520,  315, kOnWindow},
    {IdTCity,     L"TCity",      K::ReadOnlyBox,       L"",                             2880, 3480, 3480,  315, kOnWindow},
    {IdLabLand,   L"LabLand",    K::Label,             L"Country",                      2880, 3885, 3480,  240, kOnWindow},
    {IdComboLand, L"ComboLand",  K::ComboBox,          L"",                              180, 4125, 2520,  315, kOnWindow},
    {IdTLand,     L"TLand",      K::ReadOnlyBox,       L"",                             2880, 4125, 3480,  315, kOnWindow},
    {IdLabText,   L"LabText",    K::Label,             L"Description",                  2880, 4530, 3480,  240, kOnWindow},
    {IdComboT1,   L"ComboT1",    K::ComboBox,          L"",                              180, 4770, 2520,  315, kOnWindow},
    {IdComboT2,   L"ComboT2",    K::ComboBox,          L"",                              180, 5130, 2520,  315, kOnWindow},
    {IdTText,     L"TText",      K::TallReadOnlyBox,   L"",                             2880, 4770, 3480,  675, kOnWindow},
    {IdButOk,     L"ButOk",      K::DefaultButton,     L"OK",                            180, 5700, 1320,  420, kOnWindow},
    {IdHScroll1,  L"HScroll1",   K::ScrollBar,         L"",                             1680, 5760, 3240,  300, kOnWindow},
    {IdButExit,   L"ButExit",    K::Button,            L"Cancel",                       5100, 5700, 1320,  420, kOnWindow},
};
// clang-format on

}  // namespace

std::span<const ControlSpec> ImportAddControls() {
    return kControls;
}

}  // namespace mapwell
