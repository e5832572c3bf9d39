// A window's controls written as a table: kind, caption and twips rectangle inside a container,
// one row per control in creation (and Tab) order. Platform-neutral.
#pragma once

namespace mapwell {

enum class ControlKind {
    Frame,      // a container drawn as a group box with the caption
    Container,  // a plain container (a picture box holding controls)
    GroupBox,   // a frame drawn around controls that stay children of the window
    TextBox,
    ReadOnlyBox,  // a text box that shows a preview
    TallReadOnlyBox,
    ComboBox,   // editable drop-down
    ScrollBar,  // horizontal
    Button,
    DefaultButton,
    OptionButton,
    Label,
    ProgressBar,
};

// The container id of a control placed directly on the window.
constexpr int kOnWindow = 0;

struct ControlSpec {
    int id;
    const wchar_t* name;
    ControlKind kind;
    const wchar_t* caption;
    int left, top, width, height;  // twips, relative to the container
    int container;
};

}  // namespace mapwell
