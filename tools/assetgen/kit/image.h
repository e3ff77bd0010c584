// Drawing kit: the one palette, the canvas and its drawing, and the bitmap writers.
//
// Drawing kit: the one palette, the canvas with pixel-exact shapes, shading,
// ordered dithering, noise, sprites from text grids, mirroring, the pixel
// font, and the bitmap writers.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core.h"

namespace ag {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    constexpr bool operator!=(const Rgb& o) const { return !(*this == o); }
};

constexpr Rgb kKey{0, 255, 0};     // "nothing" of keyed cells
constexpr Rgb kBlack{0, 0, 0};     // "nothing" of additive cells (and title.bmp's key)

// A colour that becomes the key after conversion to 16 bits.
inline bool NearKey(Rgb c) { return c.r < 8 && c.g >= 248 && c.b < 8; }
// A colour that becomes black after conversion to 16 bits.
inline bool NearBlack(Rgb c) { return c.r < 8 && c.g < 4 && c.b < 8; }

// The one palette of the game. Ramps run dark to light; index 0 is the key,
// so 8-bit sheets get pure green at colour index 0. Nothing here is near the
// key: foliage greens keep red and blue well above 8.
enum Pal : int {
    P_KEY = 0, P_BLACK, P_WHITE, P_INK,                        // ink: the sprite outline
    P_METAL0, P_METAL1, P_METAL2, P_METAL3, P_METAL4,          // cool greys
    P_SKIN0, P_SKIN1, P_SKIN2, P_SKIN3,
    P_SKY0, P_SKY1, P_SKY2, P_SKY3, P_SKY4,
    P_DUSK0, P_DUSK1, P_DUSK2, P_DUSK3, P_DUSK4,                // dusk purples
    P_LEAF0, P_LEAF1, P_LEAF2, P_LEAF3, P_LEAF4,                // foliage
    P_FIRE0, P_FIRE1, P_FIRE2, P_FIRE3, P_FIRE4,
    P_ICE0, P_ICE1, P_ICE2, P_ICE3,
    P_GOLD0, P_GOLD1, P_GOLD2, P_GOLD3,
    P_ROSE0, P_ROSE1, P_ROSE2, P_ROSE3,
    P_EARTH0, P_EARTH1, P_EARTH2, P_EARTH3,
    P_VIOLET0, P_VIOLET1, P_VIOLET2, P_VIOLET3,                 // magic magentas
    P_TEAL0, P_TEAL1, P_TEAL2, P_TEAL3,
    P_AMBER0, P_AMBER1, P_AMBER2,                               // dusk horizon oranges
    P_COUNT
};
Rgb C(int palIndex);                 // palette colour
int PaletteSize();                   // P_COUNT
int PaletteIndexOf(Rgb c);           // -1 when c is not a palette colour
// Ramps as index lists (dark to light), for shading helpers.
const std::vector<int>& Ramp(std::string_view name);  // "metal","skin","sky","dusk","leaf","fire","ice","gold","rose","earth","violet","teal","amber"

// Ordered dithering: 4x4 Bayer threshold 0..15 at (x, y).
int Bayer4(int x, int y);

struct Point {
    int x, y;
};

// A picture under construction: 24-bit colours, row-major, top row first.
// Every drawing call clips to the canvas.
struct Canvas {
    int w = 0, h = 0;
    std::vector<Rgb> px;
    // Drawing is limited to this rectangle (the whole canvas by default); a
    // painter sets it to the cell it draws so glows and shapes stay inside.
    Rect clip{0, 0, 1 << 30, 1 << 30};

    Canvas() = default;
    Canvas(int width, int height, Rgb fill = kKey);

    bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    Rgb Get(int x, int y) const { return In(x, y) ? px[size_t(y) * w + x] : kKey; }
    void Set(int x, int y, Rgb c) {
        if (In(x, y) && clip.Contains(x, y)) px[size_t(y) * w + x] = c;
    }
    void Set(int x, int y, int pal) { Set(x, y, C(pal)); }

    // Shapes (filled ones include their edge pixels).
    void Fill(Rgb c);
    void FillRect(int x, int y, int rw, int rh, Rgb c);
    void FillRect(const Rect& r, Rgb c) { FillRect(r.l, r.t, r.W(), r.H(), c); }
    void Frame(int x, int y, int rw, int rh, Rgb c);            // 1-pixel rectangle outline
    void HLine(int x0, int x1, int y, Rgb c);
    void VLine(int x, int y0, int y1, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);           // Bresenham
    void FillCircle(int cx, int cy, int r, Rgb c);              // radius r: x^2+y^2 <= r^2 + r
    void Circle(int cx, int cy, int r, Rgb c);
    void FillEllipse(int cx, int cy, int rx, int ry, Rgb c);
    void FillPolygon(const std::vector<Point>& pts, Rgb c);     // even-odd, pixel centres
    void FillTriangle(Point a, Point b, Point c, Rgb col) { FillPolygon({a, b, c}, col); }

    // Ordered dither of two colours over a rectangle: level 0 = all a,
    // 16 = all b.
    void Dither(int x, int y, int rw, int rh, Rgb a, Rgb b, int level);
    // Vertical gradient through ramp colours (top first) with ordered
    // dithering between neighbouring tones: no banding.
    void GradientV(int x, int y, int rw, int rh, const std::vector<Rgb>& ramp);
    void GradientH(int x, int y, int rw, int rh, const std::vector<Rgb>& ramp);

    // A ball lit from the upper left: tones from ramp (dark to light),
    // dithered between tones.
    void ShadeBall(int cx, int cy, int r, const std::vector<int>& ramp);
    // Recolour the non-nothing pixels of a region by light from the upper
    // left: each pixel of colour `base` becomes dark/base/light depending on
    // its distance to the shape's lower-right / upper-left edges.
    void ShadeShape(const Rect& area, Rgb base, Rgb dark, Rgb light, Rgb nothing = kKey);
    // A glow for additive cells: on black, a radial falloff from a white-hot
    // core through the ramp (light to dark) to black, dithered.
    void Glow(int cx, int cy, double radius, const std::vector<Rgb>& coreToRim);
    void GlowEllipse(int cx, int cy, double rx, double ry, const std::vector<Rgb>& coreToRim);

    // 1-pixel outline in ink around every pixel of the area that is not
    // `nothing`, placed on `nothing` pixels (4-neighbour; diagonal too when
    // diagonal is set).
    void Outline(const Rect& area, Rgb ink, Rgb nothing = kKey, bool diagonal = false);
    // Sprinkle colour c over pixels of the area that currently hold `onto`
    // (any pixel when onto is unset), about permille/1000 of them.
    void Noise(const Rect& area, Rgb c, int permille, uint32_t seed);
    void NoiseOnto(const Rect& area, Rgb onto, Rgb c, int permille, uint32_t seed);
    void Replace(const Rect& area, Rgb from, Rgb to);

    // Copy another canvas in; keyed copies skip pixels equal to `key`.
    void Blit(const Canvas& src, int x, int y, bool keyed = true, Rgb key = kKey);
    Canvas Crop(const Rect& r) const;
    Canvas MirrorH() const;      // left-right
    Canvas MirrorV() const;      // top-bottom
    Canvas Scaled(int factor) const;  // nearest neighbour
    // Rotated about the centre by whole degrees (clockwise on screen),
    // nearest neighbour, same size; uncovered pixels are `nothing`.
    Canvas Rotated(double degrees, Rgb nothing = kKey) const;
    // Snap every colour of the area to the nearest palette colour (pure
    // green stays; nothing else becomes it): for 8-bit sheets.
    void Quantize(const Rect& area);
};

// Limits drawing on a canvas to a rectangle for the life of the scope:
//   { ClipScope cs(canvas, cellRect); ...draw... }
struct ClipScope {
    Canvas& c;
    Rect old;
    ClipScope(Canvas& canvas, const Rect& r) : c(canvas), old(canvas.clip) { c.clip = r; }
    ~ClipScope() { c.clip = old; }
};

// A sprite written as text: one character per pixel, looked up in the
// legend; '.' and ' ' are `nothing` unless the legend says otherwise.
Canvas SpriteFromGrid(const std::vector<std::string>& rows, const std::map<char, Rgb>& legend,
                      Rgb nothing = kKey);

// The pixel font: 5x7 glyphs (capitals, digits, punctuation; lower case is
// drawn as capitals) on a 6-pixel advance, scaled by whole factors.
enum class TextFx { None, Shadow, Outline };
struct TextStyle {
    Rgb color{255, 255, 255};
    int scale = 1;
    TextFx fx = TextFx::Shadow;
    Rgb fxColor{20, 14, 32};
    Rgb shade{0, 0, 0};   // when not black: lower half of each glyph in this colour
};
// Lettering with a dark outline: the colour above, its shade below.
TextStyle OutlinedText(int scale, int color, int shade, int outline = P_INK);
int TextWidth(std::string_view s, int scale = 1);
int TextHeight(int scale = 1);
bool GlyphKnown(char ch);
void DrawText(Canvas& c, int x, int y, std::string_view s, const TextStyle& st);
void DrawTextCentered(Canvas& c, const Rect& box, std::string_view s, const TextStyle& st);

// Bitmap writers. 24-bit: bottom-up rows padded to 4 bytes. 8-bit: a full
// 256-entry colour table at offset 54 (the one palette; index 0 pure green),
// pixels at 1078, bottom-up, width a multiple of 4 and at most 1024; every
// pixel must be a palette colour (reported through Fail otherwise).
Bytes Bmp24(const Canvas& c);
Bytes Bmp8(const Canvas& c, const std::string& nameForErrors);

}  // namespace ag
