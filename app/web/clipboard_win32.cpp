#include "app/web/clipboard_win32.h"

#include <cstring>

namespace mapwell {

namespace {

// Another program (a browser copying its result, a clipboard viewer) may hold the clipboard
// open for a moment; a user would simply try again.
bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) {
            return true;
        }
        Sleep(20);
    }
    return false;
}

class ClipboardOpen {
public:
    explicit ClipboardOpen(HWND owner) : open_(OpenClipboardPatiently(owner)) {}
    ~ClipboardOpen() {
        if (open_) {
            CloseClipboard();
        }
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool PutClipboardText(HWND owner, std::wstring_view text) {
    ClipboardOpen clipboard(owner);
    if (!clipboard || !EmptyClipboard()) {
        return false;
    }
    const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) {
        return false;
    }
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return false;
    }
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    // On success the clipboard owns the memory.
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        return false;
    }
    return true;
}

std::wstring ReadClipboardText(HWND owner) {
    ClipboardOpen clipboard(owner);
    if (!clipboard) {
        return {};
    }
    HANDLE memory = GetClipboardData(CF_UNICODETEXT);
    if (!memory) {
        return {};
    }
    const auto* source = static_cast<const wchar_t*>(GlobalLock(memory));
    if (!source) {
        return {};
    }
    // The text ends at its NUL, but never beyond the block another program put there.
    const std::size_t capacity = GlobalSize(memory) / sizeof(wchar_t);
    std::size_t length = 0;
    while (length < capacity && source[length] != L'\0') {
        ++length;
    }
    std::wstring text(source, length);
    GlobalUnlock(memory);
    return text;
}

}  // namespace mapwell
