#include "video/text.h"

#include <cctype>

#include "video/video.h"

namespace {

constexpr int kCellW = 8, kCellH = 10, kFirst = 32, kCount = 64;

// Loaded on first use and kept for the program's life, as the pause captions are.
Surface* Font() {
    static Surface* font = nullptr;
    static int format = -1;
    if (!font || format != PixelFormat565) {
        FreeSurface(font);
        font = LoadBitmapSurface("font.bmp");
        format = PixelFormat565;
        if (font) SetKeyColor(font, PureGreen());
    }
    return font;
}

int CellOf(char ch) {
    int c = std::toupper(static_cast<unsigned char>(ch));
    if (c < kFirst || c >= kFirst + kCount || c == '$' || c == ';' || c == '@' || c == '[' || c == '\\' ||
        c == ']' || c == '^')
        c = '?';
    return c - kFirst;
}

}  // namespace

int TextWidth(std::string_view text) { return text.empty() ? 0 : static_cast<int>(text.size()) * kTextAdvance + 1; }

void PutText(int x, int y, std::string_view text, Ink ink) {
    Surface* font = Font();
    if (!font) return;
    const int row = static_cast<int>(ink) * kCellH;
    for (char ch : text) {
        int cell = CellOf(ch);
        PutSprite(x, y, font, RECT{cell * kCellW, row, cell * kCellW + kCellW, row + kCellH}, 17);
        x += kTextAdvance;
    }
}

void PutTextCentered(int y, std::string_view text, Ink ink) { PutText((320 - TextWidth(text)) / 2, y, text, ink); }

void PutTextRight(int right, int y, std::string_view text, Ink ink) { PutText(right - TextWidth(text), y, text, ink); }
