// Run-time lettering in the game's pixel font ("font.bmp": characters 32..95
// in four inks, each glyph outlined), on a 6-pixel advance and 9 pixels high.
#pragma once

#include <string_view>

enum class Ink { Plain, Highlight, Dim, Warning };

constexpr int kTextAdvance = 6, kTextHeight = 9;
int TextWidth(std::string_view text);
// Draws on the work surface with (x, y) the top left of the first glyph's
// outline; lower case is drawn as capitals, a character the font lacks as '?'.
void PutText(int x, int y, std::string_view text, Ink ink = Ink::Plain);
void PutTextCentered(int y, std::string_view text, Ink ink = Ink::Plain);
void PutTextRight(int right, int y, std::string_view text, Ink ink = Ink::Plain);
