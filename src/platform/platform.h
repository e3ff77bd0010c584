// The game's only window onto the machine: display, messages, clock, input,
// message boxes, bitmap decoding and audio. Two backends implement it: SDL2
// (with FluidSynth for music) and a headless one with a virtual clock,
// scripted input and captured frames, used by the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct Options {
    bool headless = false;
    bool windowed = false;     // a window instead of desktop full screen
    int scale = 0;             // window scale factor; 0 picks the largest that fits
    bool rgb555 = false;       // use the 15-bit pixel format instead of RGB565
    bool mute = false;
    std::string inputScript;   // headless: file of scripted input words
    std::string dumpFrames;    // headless: which presented frames to write as BMP ("1,10-20,100-400:50")
    std::string dumpDir = "."; // headless: where dumped frames go
    std::string soundfont;     // General MIDI soundfont for music
};

// Messages the shell's message loop reads. The platform fills the queue from
// window events whenever it pumps them (peeking, presenting, reading input).
enum class MsgType { Quit, KeyEscape, MusicEnd };
struct Message {
    MsgType type;
    int code = 0;
};

// --- lifetime
bool Startup(const Options& opt);   // picks the backend; false if it cannot start at all
void Shutdown();
const Options& GetOptions();
bool IsHeadless();

// Called when the window manager asks the program to close, wherever that is
// noticed. The handler is expected to shut the game down and exit.
void SetCloseHandler(void (*handler)());

// --- display
bool OpenDisplay(bool rgb565);      // false when no real display can be set up
void CloseDisplay();
// Shows a 320 x 240 frame of 16-bit pixels. Returns true when the display lost
// its surfaces and the caller should restore its own.
bool Present(const uint16_t* pixels, int pitchPixels, bool rgb565);
void SetGammaRamp(const uint16_t ramp[256]);
void ShowCursor(bool show);
void MessageBox(const char* text, const char* caption);

// --- messages
bool PeekMessage(Message& out, bool remove);
void PostMessage(const Message& msg);

// --- clock
uint32_t GetTicks();
void Sleep(uint32_t ms);

// --- input
enum class Key { Up, Down, Right, Left, Z, X, Count };
void BeginInputQuery();             // start of one input-word read (headless: next script word)
// Bit 0: held now. Bit 1: pressed since the previous query of this key (cleared by the query).
int QueryKey(Key key);
struct JoyCaps { int xmin, xmax, ymin, ymax; };
int JoyCount();                     // devices the system reports
bool JoyCapsOf(JoyCaps& caps);      // first joystick's axis ranges
bool JoyPosition(int& x, int& y, unsigned& buttons);  // buttons: bit 0 first, bit 1 second

// --- bitmaps
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;      // 0x00RRGGBB, top-down rows
};
bool DecodeBmp(const std::string& path, Image& out);

// --- headless inspection (tests)
uint64_t PresentedFrames();
uint64_t LastFrameHash();
const std::vector<uint16_t>& LastFrame();
void AdvanceClock(uint32_t ms);     // headless only
void SetScriptedInput(const std::vector<int>& words);  // headless only

}  // namespace plat
