#include "app/web/form3_win32.h"

#include "support/controls_win32.h"
#include "support/twips.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace mapwell {

namespace {

// The dialog as designed, in twips (1/1440 inch).
constexpr int kClientWidth = 3270;
constexpr int kClientHeight = 4320;

constexpr ControlSpec kControls[] = {
    {kForm3Label1, L"Label1", ControlKind::Label, L"", 90, 90, 3075, 2535, kOnWindow},
    {kForm3Command1, L"Command1", ControlKind::Button, L"Import", 90, 2700, 1590, 465, kOnWindow},
    {kForm3Command2, L"Command2", ControlKind::Button, L"Cancel", 90, 3240, 1590, 465, kOnWindow},
};

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kDialogFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr int kLabelFontPoints = 9;
// Where the dialog stands while the user works in the browser.
constexpr int kDialogLeft = 0;
constexpr int kDialogTop = 50;

// The dialog's controls stand on the dialog itself.
struct NoContainers : ControlSink {
    void Created(int, HWND) override {}
    HWND Container(int) override { return nullptr; }
};

struct Form3Data {
    HWND mainWindow;
    const std::wstring* caption;
    const std::wstring* instruction;
    HFONT labelFont = nullptr;
};

HICON MainWindowIcon(HWND mainWindow, WPARAM which) {
    if (!mainWindow) {
        return nullptr;
    }
    auto icon = reinterpret_cast<HICON>(SendMessageW(mainWindow, WM_GETICON, which, 0));
    if (!icon) {
        icon = reinterpret_cast<HICON>(
            GetClassLongPtrW(mainWindow, which == ICON_BIG ? GCLP_HICON : GCLP_HICONSM));
    }
    return icon;
}

void Form_Load(HWND dialog, Form3Data& data) {
    SetWindowTextW(dialog, data.caption->c_str());
    for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
        if (HICON icon = MainWindowIcon(data.mainWindow, which)) {
            SendMessageW(dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        }
    }

    const int dpi = WindowDpi(nullptr);
    const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    NoContainers sink;
    CreateControls(dialog, kControls, dpi, dialogFont, sink);

    data.labelFont =
        CreateFontW(-MulDiv(kLabelFontPoints, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                    DEFAULT_PITCH | FF_SWISS, kFontFace);
    HWND label = GetDlgItem(dialog, kForm3Label1);
    if (data.labelFont) {
        SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(data.labelFont), FALSE);
    }
    SetWindowTextW(label, data.instruction->c_str());

    // The label is the only place that tells the user how to finish. Where the font is wider
    // than the one it was designed for (Wine's stand-in for MS Sans Serif is), its last steps
    // would be cut: it grows downwards, and the buttons and the dialog with it.
    const ControlSpec& labelSpec = kControls[0];
    const int growth = std::max(0, LabelTextHeight(label) - TwipsToPixels(labelSpec.height, dpi));
    if (growth > 0) {
        for (const ControlSpec& spec : kControls) {
            const bool isLabel = spec.id == kForm3Label1;
            SetWindowPos(GetDlgItem(dialog, spec.id), nullptr, TwipsToPixels(spec.left, dpi),
                         TwipsToPixels(spec.top, dpi) + (isLabel ? 0 : growth),
                         TwipsToPixels(spec.width, dpi),
                         TwipsToPixels(spec.height, dpi) + (isLabel ? growth : 0),
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    // The dialog keeps the size that shows the label and both buttons; frame styles may have
    // changed since the template, hence SWP_FRAMECHANGED.
    RECT frame{0, 0, TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi) + growth};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, HWND_TOPMOST, kDialogLeft, kDialogTop, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_FRAMECHANGED);
}

INT_PTR CALLBACK Form3Proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            Form_Load(dialog, *reinterpret_cast<Form3Data*>(lParam));
            return TRUE;
        case WM_COMMAND:
            // Command1, Command2, Enter and Escape: the caller does not learn which.
            switch (LOWORD(wParam)) {
            case kForm3Command1:
            case kForm3Command2:
            case IDOK:
            case IDCANCEL: EndDialog(dialog, 0); return TRUE;
            default: return FALSE;
            }
        case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
        default: return FALSE;
        }
    } catch (...) {
        EndDialog(dialog, 0);
        return TRUE;
    }
}

// Keeps the main window off the screen to the right for its lifetime, so that the browser and
// the dialog have the screen; puts it back however the dialog ends.
class MainWindowAway {
public:
    explicit MainWindowAway(HWND window) : window_(window) {
        RECT place{};
        if (window_ && GetWindowRect(window_, &place)) {
            left_ = place.left;
            MoveTo(GetSystemMetrics(SM_CXSCREEN));
        } else {
            window_ = nullptr;
        }
    }
    ~MainWindowAway() {
        if (window_) {
            MoveTo(left_);
        }
    }
    MainWindowAway(const MainWindowAway&) = delete;
    MainWindowAway& operator=(const MainWindowAway&) = delete;

private:
    void MoveTo(int left) {
        RECT place{};
        GetWindowRect(window_, &place);
        SetWindowPos(window_, nullptr, left, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND window_;
    int left_ = 0;
};

}  // namespace

void ShowForm3(HWND mainWindow, const std::wstring& caption, const std::wstring& instruction) {
    Form3Data data{mainWindow, &caption, &instruction};
    // The controls are made from the twips table when the dialog loads.
    const std::vector<WORD> dialogTemplate =
        EmptyDialogTemplate({kDialogStyle, 0, 150, 180, kFontFace, kDialogFontPoints});
    {
        MainWindowAway away(mainWindow);
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()),
                                mainWindow, Form3Proc, reinterpret_cast<LPARAM>(&data));
    }
    if (data.labelFont) {
        DeleteObject(data.labelFont);
    }
}

}  // namespace mapwell
