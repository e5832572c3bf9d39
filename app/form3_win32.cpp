#include "app/form3_win32.h"

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

struct Form3Control {
    int id;
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style;
    int left, top, width, height;
};

constexpr Form3Control kControls[] = {
    {kForm3Label1, L"STATIC", L"", SS_LEFT, 90, 90, 3075, 2535},
    {kForm3Command1, L"BUTTON", L"Import", BS_PUSHBUTTON | WS_TABSTOP, 90, 2700, 1590, 465},
    {kForm3Command2, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 90, 3240, 1590, 465},
};

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr int kDialogFontPoints = 8;
constexpr wchar_t kFontFace[] = L"MS Sans Serif";
constexpr int kLabelFontPoints = 9;
// Where the dialog stands while the user works in the browser.
constexpr int kDialogLeft = 0;
constexpr int kDialogTop = 50;

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) {
        ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

struct Form3Data {
    HWND mainWindow;
    const std::wstring* caption;
    const std::wstring* instruction;
    HFONT labelFont = nullptr;
};

// An empty dialog template: the controls are made from the twips table when it loads.
std::vector<WORD> DialogTemplate() {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = kDialogStyle;
    header->cx = 150;
    header->cy = 180;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.push_back(0);  // the caption comes later
    words.push_back(kDialogFontPoints);
    for (const wchar_t* c = kFontFace; *c; ++c) {
        words.push_back(static_cast<WORD>(*c));
    }
    words.push_back(0);
    return words;
}

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

    const int dpi = ScreenDpi();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE));
    const auto dialogFont = static_cast<WPARAM>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    for (const Form3Control& spec : kControls) {
        HWND control = CreateWindowExW(
            0, spec.windowClass, spec.caption, WS_CHILD | WS_VISIBLE | spec.style,
            TwipsToPixels(spec.left, dpi), TwipsToPixels(spec.top, dpi),
            TwipsToPixels(spec.width, dpi), TwipsToPixels(spec.height, dpi), dialog,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, dialogFont, FALSE);
    }

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
    const Form3Control& labelSpec = kControls[0];
    const int growth = std::max(0, LabelTextHeight(label) - TwipsToPixels(labelSpec.height, dpi));
    if (growth > 0) {
        for (const Form3Control& spec : kControls) {
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
    const std::vector<WORD> dialogTemplate = DialogTemplate();
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
