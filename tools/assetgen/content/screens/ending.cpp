// "ending.bmp": the whole game's ending flight at dawn: a speed streak in the
// top-left corner (the streak field reads its 64 x 64 corner), a dark tile the
// text panel is blended from, the dawn sky over the sea, and a strip of cloud
// tops that wraps around as it scrolls.
#include "kit.h"

using namespace ag;

namespace {

constexpr const char* kFile = "ending.bmp";
constexpr const char* kOwner = "ending";
const Rect kStreak{0, 0, 64, 64};
const Rect kPanel{64, 0, 80, 16};
const Rect kSky{0, 64, 320, 304};
const Rect kClouds{0, 304, 320, 352};
constexpr int kHorizon = 112;  // in the sky cell: where the sea begins
constexpr int kSunX = 200;

// Lines of light with a bright head on the left and a tail that thins out
// to the right: the field moves left.
void PaintStreak(Canvas& c) {
    ClipScope clip(c, kStreak);
    struct Line {
        int x, y, len, thick;
    };
    const Line lines[] = {{2, 9, 60, 1}, {20, 30, 44, 2}, {8, 52, 52, 1}};
    const int tones[] = {P_WHITE, P_ICE3, P_ICE2, P_SKY3, P_SKY2};
    for (const Line& l : lines)
        for (int i = 0; i < l.len; i++) {
            const int part = i * 5 / l.len;                 // which tone along the line
            const int keep = 16 - i * 14 / l.len;           // dither thins the tail
            for (int t = 0; t < l.thick; t++) {
                const int x = l.x + i, y = l.y + t;
                if (Bayer4(x, y) < keep) c.Set(x, y, t == 0 ? tones[part] : tones[std::min(part + 1, 4)]);
            }
        }
}

void PaintPanel(Canvas& c) { c.FillRect(kPanel, C(P_INK)); }

void PaintSky(Canvas& c) {
    ClipScope clip(c, kSky);
    const int x0 = kSky.l, y0 = kSky.t;
    c.GradientV(x0, y0, 320, kHorizon,
                {C(P_DUSK0), C(P_DUSK1), C(P_DUSK2), C(P_DUSK3), C(P_AMBER0), C(P_AMBER1), C(P_AMBER2)});
    // The last stars, only high up where the sky is still dark.
    for (int i = 0; i < 46; i++) {
        const uint32_t h = Hash32(static_cast<uint32_t>(i) * 2654435761u + 17u);
        const int x = static_cast<int>(h % 320), y = static_cast<int>((h >> 9) % 56);
        c.Set(x0 + x, y0 + y, (h >> 20) % 4 == 0 ? P_WHITE : P_ICE2);
    }
    // The sun just over the horizon.
    c.FillCircle(x0 + kSunX, y0 + kHorizon, 13, C(P_GOLD2));
    c.FillCircle(x0 + kSunX, y0 + kHorizon, 10, C(P_GOLD3));
    c.FillCircle(x0 + kSunX - 2, y0 + kHorizon - 2, 6, C(P_WHITE));
    // The sea: darker downward, with glints of the sun on it.
    c.GradientV(x0, y0 + kHorizon, 320, 240 - kHorizon, {C(P_AMBER0), C(P_DUSK2), C(P_DUSK1), C(P_SKY0)});
    for (int y = kHorizon + 2; y < 240; y += 3) {
        const int spread = 6 + (y - kHorizon) / 2;
        const uint32_t h = Hash32(static_cast<uint32_t>(y) * 40503u);
        const int len = 4 + static_cast<int>(h % 9);
        const int x = kSunX - spread + static_cast<int>((h >> 8) % static_cast<uint32_t>(2 * spread));
        c.HLine(x0 + x, x0 + x + len, y0 + y, C(y < kHorizon + 30 ? P_GOLD3 : P_AMBER2));
    }
}

// Cloud tops lit from the upper left (a thin warm rim, then rose, over a
// dusk body), drawn three times a strip apart so the strip joins up with
// itself; a flat dusk bank below them.
void PaintClouds(Canvas& c) {
    ClipScope clip(c, kClouds);
    const int top = kClouds.t, w = kClouds.W();
    for (int pass = 0; pass < 3; pass++)
        for (int i = 0; i < 11; i++) {
            const uint32_t h = Hash32(static_cast<uint32_t>(i) * 7919u + 3u);
            const int cx = (i * w) / 11 + static_cast<int>(h % 10) + (pass - 1) * w;
            const int ry = 8 + static_cast<int>((h >> 8) % 7), rx = ry * 2 + static_cast<int>((h >> 12) % 8);
            const int cy = top + 14 + static_cast<int>((h >> 16) % 10);
            c.FillEllipse(cx, cy, rx, ry, C(P_AMBER2));
            c.FillEllipse(cx + 1, cy + 1, rx, ry, C(P_ROSE2));
            c.FillEllipse(cx + 3, cy + 4, rx, ry, C(P_DUSK3));
            c.FillEllipse(cx + 5, cy + 8, rx, ry, C(P_DUSK2));
        }
    c.FillRect(kClouds.l, top + 30, w, kClouds.b - top - 30, C(P_DUSK2));
}

}  // namespace

AG_REGISTER(RegisterEnding) {
    DeclareSheet({kFile, 320, kClouds.b, Depth::Rgb24, kKey, "whole game: the ending flight"});
    DeclareCell(kFile, "streak", kStreak, "speed streak of the ending's streak field", Copy::Keyed, kOwner);
    DeclareCell(kFile, "panel", kPanel, "dark tile blended behind the ending's text", Copy::Keyed, kOwner);
    DeclareCell(kFile, "sky", kSky, "the dawn sky over the sea", Copy::Plain, kOwner);
    DeclareCell(kFile, "clouds", kClouds, "cloud tops, a strip that wraps around", Copy::Keyed, kOwner);
    AddPainter(kFile, kOwner, [](Canvas& c) {
        PaintStreak(c);
        PaintPanel(c);
        PaintSky(c);
        PaintClouds(c);
    });
}
