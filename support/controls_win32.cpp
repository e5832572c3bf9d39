#include "support/controls_win32.h"

#include "support/paint_scope_win32.h"
#include "support/twips.h"
#include "support/window_class_win32.h"

#include <string>

namespace mapwell {

namespace {

constexpr wchar_t kContainerClass[] = L"MapwellContainer";
constexpr int kComboListTwips = 2400;

// A frame draws its etched border and caption itself: a group box child would have to stay
// unclipped by its container, and then the container's own painting covers its controls.
void PaintFrame(HWND window) {
    const PaintScope paint(window);
    HDC dc = paint.Dc();
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 128);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(window, GWLP_USERDATA));
    HGDIOBJ oldFont =
        SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT border;
    GetClientRect(window, &border);
    border.top += metrics.tmHeight / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    if (caption[0] != L'\0') {
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT text{metrics.tmAveCharWidth, 0, 0, metrics.tmHeight};
        DrawTextW(dc, caption, -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        text.left -= 2;
        text.right += 2;
        ExtTextOutW(dc, text.left + 2, 0, ETO_OPAQUE, &text, caption, lstrlenW(caption), nullptr);
    }
    SelectObject(dc, oldFont);
}

// Frames and picture boxes hold controls; the notifications of those controls go to the
// container, so it hands them on to the window that handles them.
LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(window), message, wParam, lParam);
    case WM_SETFONT:
        SetWindowLongPtrW(window, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
        return 0;
    case WM_GETFONT: return GetWindowLongPtrW(window, GWLP_USERDATA);
    case WM_PAINT:
        if (GetWindowTextLengthW(window) > 0) {
            PaintFrame(window);
            return 0;
        }
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind KindOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
    case ControlKind::Container: return {kContainerClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::GroupBox: return {L"BUTTON", BS_GROUPBOX | WS_GROUP, 0};
    case ControlKind::TextBox:
        return {L"EDIT", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ReadOnlyBox:
        return {L"EDIT", WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::TallReadOnlyBox:
        return {L"EDIT", WS_TABSTOP | WS_GROUP | ES_MULTILINE | ES_READONLY, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        return {L"COMBOBOX", WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                0};
    case ControlKind::ScrollBar: return {L"SCROLLBAR", WS_TABSTOP | WS_GROUP | SBS_HORZ, 0};
    case ControlKind::Button: return {L"BUTTON", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0};
    case ControlKind::DefaultButton:
        return {L"BUTTON", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 0};
    case ControlKind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case ControlKind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX | WS_GROUP, 0};
    case ControlKind::ProgressBar: return {L"msctls_progress32", 0, 0};
    }
    return {L"STATIC", 0, 0};
}

}  // namespace

int WindowDpi(HWND window) {
    HDC dc = GetDC(window);
    const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc) {
        ReleaseDC(window, dc);
    }
    return dpi > 0 ? dpi : 96;
}

HFONT CreateDialogFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(8, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

std::wstring WindowTextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

int LabelTextHeight(HWND label) {
    const std::wstring text = WindowTextOf(label);
    RECT bounds{};
    GetClientRect(label, &bounds);
    bounds.bottom = bounds.top;
    HDC dc = GetDC(label);
    if (!dc) {
        return 0;
    }
    HGDIOBJ oldFont =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    // The flags with which a static control draws its text.
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if (GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds, format);
    SelectObject(dc, oldFont);
    ReleaseDC(label, dc);
    return bounds.bottom - bounds.top;
}

std::vector<WORD> EmptyDialogTemplate(const DialogFrame& frame) {
    // The header, then three empty words: no menu, the standard class, no caption.
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD) + 3, 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = frame.style | (frame.fontFace ? DS_SETFONT : 0);
    header->dwExtendedStyle = frame.exStyle;
    header->cx = frame.width;
    header->cy = frame.height;
    if (frame.fontFace) {
        words.push_back(frame.fontPoints);
        for (const wchar_t* c = frame.fontFace; *c; ++c) {
            words.push_back(static_cast<WORD>(*c));
        }
        words.push_back(0);
    }
    return words;
}

void CreateControls(HWND window, std::span<const ControlSpec> table, int dpi, HFONT font,
                    ControlSink& sink) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    RegisterWindowClass(
        instance, {kContainerClass, ContainerProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)});
    bool firstOption = true;
    for (const ControlSpec& spec : table) {
        WindowKind kind = KindOf(spec.kind);
        if (spec.kind == ControlKind::OptionButton && firstOption) {
            // The first option button opens the group that the arrow keys move through.
            kind.style |= WS_GROUP | WS_TABSTOP;
            firstOption = false;
        }
        HWND parent = spec.container == kOnWindow ? window : sink.Container(spec.container);
        int height = TwipsToPixels(spec.height, dpi);
        if (spec.kind == ControlKind::ComboBox) {
            // A drop-down combo box is created with the height of its open list; the closed
            // box takes the height of its font.
            height += TwipsToPixels(kComboListTwips, dpi);
        }
        HWND control = CreateWindowExW(
            kind.exStyle, kind.className, spec.caption, WS_CHILD | WS_VISIBLE | kind.style,
            TwipsToPixels(spec.left, dpi), TwipsToPixels(spec.top, dpi),
            TwipsToPixels(spec.width, dpi), height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (spec.kind == ControlKind::GroupBox) {
            SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        sink.Created(spec.id, control);
    }
}

}  // namespace mapwell
