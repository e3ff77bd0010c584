// The whole game's high-score table and name entry, on the shared backdrop of
// its own screens, and the helpers those screens share.
#include <cctype>
#include <cstring>

#include "input/input.h"
#include "platform/platform.h"
#include "screens/front_end.h"
#include "screens/picture.h"
#include "sound/sound.h"
#include "video/text.h"
#include "video/video.h"

const char* const kCharacterName[10] = {"MAHO", "MAHO II", "ANGEL", "DEVIL",   "SYAMOJI",
                                        "DIGIKO", "AJI",   "TAIYAKI", "ANIKI", "LEGEND"};

namespace screens {

Backdrop LoadBackdrop(Heading heading) {
    Backdrop b;
    Surface* bg = LoadBitmapSurface("title_bg.bmp");
    Surface* text = LoadBitmapSurface("menu_text.bmp");
    SetKeyColor(text, 0x07E0);
    b.picture = MakeSurface(320, 240);
    FillScreen(0);
    if (bg) PutPicture(bg);
    DarkenScreen(9);
    const int k = static_cast<int>(heading);
    if (text) PutSprite(56, 6, text, RECT{0, 128 + 24 * k, 208, 152 + 24 * k}, 17);
    Snapshot(b.picture);
    FreeSurface(bg);
    FreeSurface(text);
    return b;
}

void FreeBackdrop(Backdrop& b) { FreeSurface(b.picture); }

void BeginMenuInput(int& prevWord) {
    plat::TakeKeyStrokes();
    plat::DropMessages(plat::MsgType::KeyEscape);
    prevWord = GetInput();
}

MenuInput ReadMenuInput(int& prevWord) {
    KeepMusicPlaying();
    MenuInput in;
    in.word = GetInput();
    in.fresh = in.word & ~prevWord;
    prevWord = in.word;
    for (const plat::KeyStroke& k : plat::TakeKeyStrokes()) (k.down ? in.typed : in.released).push_back(k.name);
    in.escape = plat::DropMessages(plat::MsgType::KeyEscape) > 0;
    return in;
}

}  // namespace screens

using namespace screens;

bool h_ScoreTable(const std::vector<ScoreEntry>& table, int highlight, int ms) {
    Backdrop back = LoadBackdrop(Heading::Scores);
    int prev = 0;
    BeginMenuInput(prev);
    const uint32_t start = plat::GetTicks();
    bool byKey = false;
    for (int frame = 0; plat::GetTicks() - start < static_cast<uint32_t>(ms); frame++) {
        PutBackdrop(back);
        PutText(14, 38, "NO", Ink::Dim);
        PutText(38, 38, "NAME", Ink::Dim);
        PutTextRight(150, 38, "SCORE", Ink::Dim);
        PutText(160, 38, "FLYER", Ink::Dim);
        PutText(210, 38, "STAGE", Ink::Dim);
        PutText(250, 38, "DATE", Ink::Dim);
        for (int i = 0; i < kScoreRows; i++) {
            const int y = 54 + 17 * i;
            // The new line blinks in gold for a moment, then stays gold.
            const bool lit = i == highlight && (frame > 90 || (frame / 8) % 2 == 0);
            const Ink ink = lit ? Ink::Highlight : Ink::Plain;
            PutTextRight(26, y, std::to_string(i + 1) + ".", i == highlight ? Ink::Highlight : Ink::Dim);
            if (i >= static_cast<int>(table.size())) {
                PutText(38, y, "--------", Ink::Dim);
                continue;
            }
            const ScoreEntry& e = table[i];
            PutText(38, y, e.name, ink);
            PutTextRight(150, y, std::to_string(e.score), ink);
            PutText(160, y, kCharacterName[e.chno >= 0 && e.chno <= 9 ? e.chno : 0], ink);
            PutText(222, y, std::to_string(e.stage), ink);
            PutText(250, y, e.date, ink);
        }
        FlipScreen();
        if (ReadMenuInput(prev).Any()) {
            byKey = true;
            break;
        }
    }
    FreeBackdrop(back);
    return byKey;
}

NameEntryState StartNameEntry(const std::string& offered) {
    NameEntryState s;
    for (char c : offered)
        if (s.name.size() < static_cast<size_t>(kNameMax) && c && std::strchr(kNameCharacters, c)) s.name += c;
    s.offer = s.name.empty() ? 0 : kNameEnd;
    return s;
}

void StepNameEntry(NameEntryState& s, int edge, const std::vector<std::string>& typed) {
    const size_t max = static_cast<size_t>(kNameMax);
    bool typing = false;
    for (const std::string& key : typed) {
        char c = key.size() == 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(key[0]))) : 0;
        if (c && std::strchr(kNameCharacters, c)) {
            if (s.name.size() < max) s.name += c;
        } else if (key == "Backspace") {
            if (!s.name.empty()) s.name.pop_back();
        } else if (key == "Return" || key == "Keypad Enter") {
            if (!s.name.empty()) s.done = true;
        } else {
            continue;
        }
        typing = true;
    }
    // A key that typed a letter may also be bound to a button: its press
    // counts once, as typing.
    if (!typing) {
        const int count = kNameEnd + 1;
        if (edge == IN_UP) s.offer = (s.offer + count - 1) % count;
        if (edge == IN_DOWN) s.offer = (s.offer + 1) % count;
        if (edge == IN_B2 && !s.name.empty()) s.name.pop_back();
        if (edge == IN_B1) {
            if (s.offer == kNameEnd) {
                s.done = !s.name.empty();
            } else if (s.name.size() < max) {
                s.name += kNameCharacters[s.offer];
            }
        }
    }
    if (s.name.size() >= max) s.offer = kNameEnd;
}

std::string h_NameEntry(const std::string& offered, int score, int stage) {
    Backdrop back = LoadBackdrop(Heading::Name);
    NameEntryState s = StartNameEntry(offered);
    int prev = 0;
    BeginMenuInput(prev);
    const int left = 160 - kNameMax * 14 / 2;
    auto keyName = [](int action) {
        std::string k = plat::GetOptions().keys[action];
        for (char& c : k) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return k.size() > 12 ? k.substr(0, 12) : k;
    };
    const std::string shoot = keyName(4), second = keyName(5);
    for (int frame = 0; !s.done; frame++) {
        PutBackdrop(back);
        PutTextCentered(44, "YOUR FLIGHT ENTERS THE TABLE", Ink::Plain);
        PutTextCentered(60, "SCORE " + std::to_string(score) + "   STAGE " + std::to_string(stage), Ink::Highlight);
        for (int i = 0; i < kNameMax; i++) {
            const int x = left + 14 * i;
            PutBox(WorkSurface, x, 112, x + 11, 114, 90, 70, 80);
            if (i < static_cast<int>(s.name.size())) PutText(x + 2, 100, std::string(1, s.name[i]), Ink::Plain);
        }
        // The character on offer at the cursor, its neighbours above and below.
        const int cursor = static_cast<int>(s.name.size());
        const int x = left + 14 * (cursor < kNameMax ? cursor : kNameMax - 1) + 2;
        auto label = [](int offer) {
            return offer == kNameEnd ? std::string("END") : std::string(1, kNameCharacters[offer]);
        };
        const int count = kNameEnd + 1;
        if ((frame / 10) % 3 != 2 || s.offer == kNameEnd)
            PutText(x, 100, label(s.offer), Ink::Highlight);
        PutText(x, 84, label((s.offer + count - 1) % count), Ink::Dim);
        PutText(x, 118, label((s.offer + 1) % count), Ink::Dim);
        PutTextCentered(160, "UP DOWN: LETTER   " + shoot + ": TAKE   " + second + ": BACK", Ink::Dim);
        PutTextCentered(174, "OR TYPE IT AND PRESS RETURN", Ink::Dim);
        PutTextCentered(188, shoot + " ON END: DONE", Ink::Dim);
        FlipScreen();
        MenuInput in = ReadMenuInput(prev);
        const int edge = in.fresh ? in.word : 0;
        StepNameEntry(s, edge, in.typed);
    }
    FreeBackdrop(back);
    return s.name;
}
