// The game's only window onto the machine: display, messages, clock, input,
// message boxes, bitmap decoding and audio. Two backends implement it: SDL2
// (with FluidSynth for music) and a headless one with a virtual clock,
// scripted input and captured frames, used by the tests. Until Startup picks
// one, the headless backend is in charge.
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
    uint32_t timeLimitMs = 0;  // headless: end the run cleanly after this much virtual time (0: never)
    // Window back end: key names (as SDL names them) for up, down, right,
    // left, first button, second button, pause and screenshot.
    std::string keys[8] = {"Up", "Down", "Right", "Left", "Z", "X", "P", "F12"};
    // Pad buttons (SDL game controller names) for the first and second
    // button and pause; the stick's radial dead zone in percent of its travel.
    std::string padButtons[3] = {"a", "b", "start"};
    int padDeadZone = 25;
    int musicVolume = 100, sfxVolume = 100;  // 0..100
};
// Names of the bindable keys in Options::keys order, for settings files.
extern const char* const kKeyActions[8];
bool KeyNameKnown(const std::string& name);
// Keys the program keeps for itself (Escape, F5..F8; Alt+Enter too, though
// Enter alone may be bound): a binding to one of them is refused.
bool KeyReserved(const std::string& name);
bool SameKey(const std::string& a, const std::string& b);  // two names of one key ("space", "Space")
bool PadButtonNameKnown(const std::string& name);

// Messages the shell's message loop reads. The platform fills the queue from
// window events whenever it pumps them (peeking, presenting, reading input).
// Pause: code 0 the pause key or pad button (toggles), code 1 the window
// lost the focus (only pauses).
enum class MsgType { Quit, KeyEscape, MusicEnd, Pause };
struct Message {
    MsgType type;
    int code = 0;
};

// --- lifetime
// Picks the backend and resets its state; false if it cannot start at all
// (for instance a bad input script).
bool Startup(const Options& opt);
void Shutdown();
const Options& GetOptions();
bool IsHeadless();
// In the browser there is nothing to quit to: Escape and the title's quit
// items lead back to the title instead of ending the program. False on the
// desktop and in headless runs (so replays play alike everywhere).
bool QuitReturnsToTitle();
void TestSetQuitReturnsToTitle(bool on);

// Called when the window manager asks the program to close, wherever that is
// noticed (also inside loops that only poll input). The handler is expected to
// shut the game down and exit; without one, a Quit message is queued.
void SetCloseHandler(void (*handler)());

// --- display
bool OpenDisplay(bool rgb565);      // false when no real display can be set up
void CloseDisplay();
// Shows a 320 x 240 frame of 16-bit pixels, through the gamma ramp. Returns
// true when the display lost its surfaces and the caller should restore its own.
bool Present(const uint16_t* pixels, int pitchPixels, bool rgb565);
// 256 entries, the same for red, green and blue; level * i for a level of 255
// leaves colours as they are.
void SetGammaRamp(const uint16_t ramp[256]);
void ShowCursor(bool show);
void MessageBox(const char* text, const char* caption);  // also copied to stderr

// --- messages (PostMessage may be called from any thread)
bool PeekMessage(Message& out, bool remove);
void PostMessage(const Message& msg);
int DropMessages(MsgType type);     // forget every waiting message of this type; how many there were
bool TakeMessage(MsgType type, Message& out);  // removes the first waiting message of this type

// --- clock
uint32_t GetTicks();
// Milliseconds since the machine started, for the random seed, so every launch
// draws a different one (headless: the virtual clock, so runs repeat).
uint32_t SystemTicks();
void Sleep(uint32_t ms);
// The start-up's wait: makes what OpenDisplay and AudioOpen leave for later
// (the window's renderer, the music's soundfont) and returns once waitMs
// have passed since Startup (headless: since the call), or when that work is
// done if it takes longer.
// False when the window cannot be drawn in (nothing is waited for then).
bool FinishStartup(uint32_t waitMs);
// Gives the processor away for a small part of a millisecond, for waits that
// must end on an exact tick (headless: does nothing; empty polls move its clock).
void Nap();

// --- volume: 0..100 each; the volume keys change them in steps of 10 and
// call the handler (the shell keeps them in the settings file).
void SetVolumes(int music, int sfx);
void GetVolumes(int& music, int& sfx);
void SetVolumeChangeHandler(void (*handler)());
// Which volume was changed last (0 music, 1 effects) and how long ago, in ms;
// false when none was changed yet.
bool LastVolumeChange(int& which, uint32_t& agoMs);
void SetFullscreenChangeHandler(void (*handler)(bool fullscreen));
// Music and streamed sounds stop where they are (and the effects with them).
void PauseAudio(bool paused);

// --- screenshots: the screenshot key calls the handler (none: the key does
// nothing), which takes the picture with EncodeFramePng and keeps it.
void SetScreenshotHandler(void (*handler)());
// The last presented frame (after gamma) as the bytes of a PNG file; false
// and a reason when it cannot be encoded.
bool EncodeFramePng(std::vector<uint8_t>& png, std::string& error);
// A file the player saved (a screenshot): in the browser it is offered as a
// download; elsewhere nothing more is done.
void OfferSavedFile(const std::string& path, const char* mimeType);

// --- input
enum class Key { Up, Down, Right, Left, Z, X, Count };
void BeginInputQuery();             // start of one input-word read (headless: next script word)
// Bit 0: held now. Bit 1: pressed since the previous query of this key (cleared by the query).
int QueryKey(Key key);
// Forgets the presses latched since the last query; held keys stay held
// (after a pause only what is held at that moment counts).
void ForgetKeyPresses();
// Every key pressed or released in the window since the last call, by its key
// name, oldest first (the newest 32 are kept): for typing and binding keys.
// Key repeats are left out; Alt+Enter comes as the press "Alt+Return".
struct KeyStroke {
    std::string name;
    bool down;
};
std::vector<KeyStroke> TakeKeyStrokes();
// Puts new key and pad bindings and the pad's dead zone in force at once.
void SetBindings(const std::string keys[8], const std::string padButtons[3], int padDeadZone);
// Switches between full screen and a window of the given scale (0: the
// largest that fits) at once; the full-screen handler is not called.
void SetDisplayMode(bool fullscreen, int scale);
struct JoyCaps { int xmin, xmax, ymin, ymax; };
int JoyCount();                     // devices the system reports
bool JoyCapsOf(JoyCaps& caps);      // first joystick's axis ranges
bool JoyPosition(int& x, int& y, unsigned& buttons);  // buttons: bit 0 first, bit 1 second

// The folder holding the running executable, with a trailing slash; empty
// when the system cannot tell.
std::string ExecutableDir();

// --- bitmaps
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;      // 0x00RRGGBB, top-down rows
};
// Both refuse, before decoding, a picture wider or taller than 8192 pixels or
// larger than the file can hold; `why` (when given) says why a file failed.
bool DecodeBmp(const std::string& path, Image& out, std::string* why = nullptr);
bool DecodeBmpMemory(const uint8_t* data, size_t size, Image& out, std::string* why = nullptr);
// The header check alone.
bool CheckBmpHeader(const uint8_t* data, size_t size, std::string* why = nullptr);

// --- headless inspection and test hooks
uint64_t PresentedFrames();
uint64_t LastFrameHash();           // FNV-1a over the last presented frame's pixels
const std::vector<uint16_t>& LastFrame();  // 320 * 240 pixels as presented (after gamma)
void AdvanceClock(uint32_t ms);
constexpr int kScriptEscape = 0x10000;  // the Escape key is pressed
constexpr int kScriptClose = 0x20000;   // the window's close button is clicked
constexpr int kScriptKey = 0x40000;     // + n: the script's n-th named key is pressed and released
// Scripted input: each run gives `count` input queries the same word; after
// the last run every word is 0. Words kScriptEscape and kScriptClose are
// events, sent at the next query before its word is taken.
struct ScriptRun {
    int word;
    long count;
};
void SetScriptedInput(const std::vector<ScriptRun>& runs);
void SetScriptedInput(const std::vector<int>& words);  // one word per input query
// Parses an input script (format in README); false and a message on a bad line.
bool ParseInputScript(const std::string& text, std::vector<ScriptRun>& runs, std::string& error);
void TestKeyEvent(Key key, bool down);                 // a raw key-down or key-up event
// A key event by its SDL name, through the current bindings and into the
// stroke log (as the window back end takes real key events); "Alt+Return" is
// Alt+Enter; false for an unknown name.
bool TestNamedKeyEvent(const std::string& name, bool down);
void TestSetJoystick(bool present, JoyCaps caps, int x, int y, unsigned buttons);
void TestLoseSurfaces();            // the next Present reports lost surfaces


}  // namespace plat
