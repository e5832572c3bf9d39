// Builds a window's controls from a twips table: the containers (frames and picture boxes) and
// the standard controls inside them, at the window's DPI and in the dialog font; and the empty
// template of a dialog whose controls come from such a table.
#pragma once

#include "support/control_table.h"

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace mapwell {

// The pixels per inch of the screen the window is shown on (of the whole screen for nullptr).
int WindowDpi(HWND window);

// The dialog font (8 point) for `dpi`; the caller deletes it.
HFONT CreateDialogFont(int dpi);

// The text of a window or control of this process.
std::wstring WindowTextOf(HWND window);

// The height in pixels that a label (a static control) needs to show all its text, wrapped at
// its width in its font.
int LabelTextHeight(HWND label);

// Receives each control as it is created, and names the container windows by id.
struct ControlSink {
    virtual void Created(int id, HWND control) = 0;
    virtual HWND Container(int id) = 0;
};

// Creates every control of `table` under `window`. Containers hand the notifications of their
// children on to their own parent, so that every WM_COMMAND reaches `window`.
void CreateControls(HWND window, std::span<const ControlSpec> table, int dpi, HFONT font,
                    ControlSink& sink);

// The frame of a dialog without controls: styles, size in dialog units and, when `fontFace` is
// given, the dialog font (DS_SETFONT is then added to the style).
struct DialogFrame {
    DWORD style;
    DWORD exStyle;
    short width, height;
    const wchar_t* fontFace = nullptr;
    WORD fontPoints = 0;
};

// An in-memory dialog template of `frame` with no menu, the standard dialog class, no caption
// and no controls, for DialogBoxIndirectParam.
std::vector<WORD> EmptyDialogTemplate(const DialogFrame& frame);

}  // namespace mapwell
