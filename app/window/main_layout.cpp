#include "app/window/main_layout.h"

namespace mapwell {

namespace {

using K = ControlKind;

// clang-format off
constexpr ControlSpec kControls[] = {
//   id               name             kind              caption                                          left  top   width height container
    {IdFrame1,        L"Frame1",        K::Frame,         L"Source File (Address-file as CSV) ",            45,   90, 5280,  735, IdWindow},
    {IdImportFileTxt, L"ImportFileTxt", K::TextBox,       L"",                                              90,  270, 3435,  330, IdFrame1},
    {IdPicture1,      L"Picture1",      K::Container,     L"",                                            3555,  135, 1680,  555, IdFrame1},
    {IdSearchFile,    L"SearchFile",    K::Button,        L"Select Source...",                              45,   45, 1545,  420, IdPicture1},
    {IdFrame2,        L"Frame2",        K::Frame,         L"Destination File (ASC, CSV, TXT) ",             45,  855, 5280,  780, IdWindow},
    {IdExportFileTxt, L"ExportFileTxt", K::TextBox,       L"",                                              90,  270, 3435,  330, IdFrame2},
    {IdPicture2,      L"Picture2",      K::Container,     L"",                                            3555,  135, 1680,  555, IdFrame2},
    {IdSetFile,       L"SetFile",       K::Button,        L"Set Destination...",                            45,   45, 1545,  420, IdPicture2},
    {IdFrame3,        L"Frame3",        K::Frame,         L"Options ",                                      45, 1620, 5280, 1005, IdWindow},
    {IdPicture3,      L"Picture3",      K::Container,     L"",                                              90,  180, 5100,  735, IdFrame3},
    {IdOption1,       L"Option1",       K::OptionButton,  L"ASC output, for Import as POI",                  0,   45, 3795,  240, IdPicture3},
    {IdOption2,       L"Option2",       K::OptionButton,  L"CSV output, for other program",                  0,  270, 3795,  240, IdPicture3},
    {IdOption3,       L"Option3",       K::OptionButton,  L"no change on format, only append coordinates",   0,  495, 3795,  240, IdPicture3},
    {IdLabel1,        L"Label1",        K::Label,         L"decimal separator",                           4320,    0,  735,  420, IdPicture3},
    {IdTxtSep,        L"TxtSep",        K::TextBox,       L",",                                           4500,  450,  330,  285, IdPicture3},
    {IdFrame4,        L"Frame4",        K::Frame,         L"Informations ",                                 45, 2655, 5280,  960, IdWindow},
    {IdInfo,          L"Info",          K::Label,         L"",                                             135,  225, 5010,  690, IdFrame4},
    {IdNowImport,     L"NowImport",     K::Button,        L"Start Convert",                                 45, 3690, 1410,  510, IdWindow},
    {IdCommand2,      L"Command2",      K::Button,        L"Exit",                                        3960, 3690, 1365,  510, IdWindow},
    {IdShowMap,       L"ShowMap",       K::Button,        L"Show Map",                                    1988, 3690, 1410,  510, IdWindow},
    {IdProgress,      L"Progress",      K::ProgressBar,   L"",                                              45, 4290, 1410,  255, IdWindow},
    {IdProgressText,  L"ProgressText",  K::Label,         L"",                                            1545, 4305, 3780,  255, IdWindow},
};
// clang-format on

}  // namespace

std::span<const ControlSpec> MainControls() {
    return kControls;
}

const ControlSpec* FindMainControl(int id) {
    for (const ControlSpec& spec : kControls) {
        if (spec.id == id) {
            return &spec;
        }
    }
    return nullptr;
}

}  // namespace mapwell
