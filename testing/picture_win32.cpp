// Screenshots taken from the screen, so that any process's window can be captured.
#include "testing/test_win32.h"

namespace mapwell::test {

bool SaveWindowPicture(HWND window, const std::wstring& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    // Let the window and its controls finish painting before the screen is read.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(1500);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const DWORD imageSize = (static_cast<DWORD>(width) * 3 + 3) / 4 * 4 * height;
    // Bottom-up rows, as BMP files store them.
    BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, imageSize, 0, 0, 0, 0};
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof file + sizeof info};  // "BM"
    file.bfSize = file.bfOffBits + imageSize;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    bool ok = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
        GdiFlush();
        SelectObject(memory, old);
        WriteFile(path, std::string(reinterpret_cast<const char*>(&file), sizeof file) +
                            std::string(reinterpret_cast<const char*>(&info), sizeof info) +
                            std::string(static_cast<const char*>(bits), imageSize));
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace mapwell::test
