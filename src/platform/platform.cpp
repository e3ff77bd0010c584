// The platform interface: picks a backend and keeps what both share (the
// message queue, the key latch, the gamma ramp, the close handler).
#include <algorithm>
#include <cstdio>
#include <deque>
#include <mutex>

#include "platform/audio_internal.h"
#include "platform/backends.h"
#include "platform/platform.h"

namespace plat {
namespace {

Options HeadlessOptions() {
    Options o;
    o.headless = true;
    return o;
}

struct Shared {
    Options opts = HeadlessOptions();
    bool headless = true;           // the headless backend serves until Startup says otherwise
    void (*closeHandler)() = nullptr;
    bool closing = false;
    // Key latch, indexed by Key.
    bool held[static_cast<int>(Key::Count)] = {};
    bool pressed[static_cast<int>(Key::Count)] = {};
    // Gamma: per-channel lookups for 5- and 6-bit channel values.
    bool gammaIdentity = true;
    uint8_t gamma5[32] = {};
    uint8_t gamma6[64] = {};
    std::vector<uint16_t> frame = std::vector<uint16_t>(320 * 240);
    bool frameRgb565 = true;
    void (*screenshotHandler)() = nullptr;
    void (*volumeHandler)() = nullptr;
    void (*fullscreenHandler)(bool) = nullptr;
    bool volumeChanged = false;
    int volumeWhich = 0;
    uint32_t volumeTick = 0;
    bool quitToTitle = false;
    std::deque<KeyStroke> strokes;
};
Shared shared;

std::mutex queueLock;
std::deque<Message> queue;

uint8_t RampLookup(const uint16_t ramp[256], int value, int bits) {
    int v8 = (value << (8 - bits)) | (value >> (2 * bits - 8));
    int out = ramp[v8] / 255;       // a ramp entry of 255 * i gives back i
    if (out > 255) out = 255;
    return static_cast<uint8_t>(out >> (8 - bits));
}

}  // namespace

namespace common {
void KeyEvent(Key key, bool down) {
    int k = static_cast<int>(key);
    if (k < 0 || k >= static_cast<int>(Key::Count)) return;
    shared.held[k] = down;
    if (down) shared.pressed[k] = true;
}
void SetHeld(int bits) {
    for (int k = 0; k < static_cast<int>(Key::Count); k++) shared.held[k] = (bits >> k) & 1;
}
void ClearKeys() {
    for (int k = 0; k < static_cast<int>(Key::Count); k++) shared.held[k] = shared.pressed[k] = false;
}
void Post(const Message& msg) {
    std::lock_guard<std::mutex> g(queueLock);
    queue.push_back(msg);
}
bool QueueEmpty() {
    std::lock_guard<std::mutex> g(queueLock);
    return queue.empty();
}
void ClearQueue() {
    std::lock_guard<std::mutex> g(queueLock);
    queue.clear();
}
void RequestClose() {
    if (shared.closing) return;     // the shut-down itself may pump events
    if (shared.closeHandler) {
        shared.closing = true;
        shared.closeHandler();
        shared.closing = false;     // a handler that returns leaves the program running
    } else {
        Post({MsgType::Quit, 0});
    }
}
void StepVolume(int which, int delta) {
    int v[2];
    GetVolumes(v[0], v[1]);
    which = which ? 1 : 0;
    v[which] = std::clamp(v[which] + delta, 0, 100);
    SetVolumes(v[0], v[1]);
    shared.volumeChanged = true;
    shared.volumeWhich = which;
    shared.volumeTick = GetTicks();
    if (shared.volumeHandler) shared.volumeHandler();
}
void FullscreenChanged(bool fullscreen) {
    shared.opts.windowed = !fullscreen;  // the options in force follow Alt+Enter
    if (shared.fullscreenHandler) shared.fullscreenHandler(fullscreen);
}
void ScreenshotKey() {
    if (shared.screenshotHandler) shared.screenshotHandler();
}
void LogKeyStroke(const char* name, bool down) {
    if (!name || !*name) return;
    shared.strokes.push_back({name, down});
    if (shared.strokes.size() > 32) shared.strokes.pop_front();
}
}  // namespace common

std::vector<KeyStroke> TakeKeyStrokes() {
    std::vector<KeyStroke> out(shared.strokes.begin(), shared.strokes.end());
    shared.strokes.clear();
    return out;
}

void SetBindings(const std::string keys[8], const std::string padButtons[3], int padDeadZone) {
    // A key held while its action moves to another key would never be let go
    // (its release no longer names the action): every action starts released.
    bool moved = false;
    for (int i = 0; i < 8; i++) moved |= shared.opts.keys[i] != keys[i];
    if (moved) common::ClearKeys();
    for (int i = 0; i < 8; i++) shared.opts.keys[i] = keys[i];
    for (int i = 0; i < 3; i++) shared.opts.padButtons[i] = padButtons[i];
    shared.opts.padDeadZone = padDeadZone;
    sdl::ResolveBindings(shared.opts);
}

void SetDisplayMode(bool fullscreen, int scale) {
    shared.opts.windowed = !fullscreen;
    shared.opts.scale = scale;
    if (!shared.headless) sdl::SetDisplayMode(fullscreen, scale);
}

void SetVolumeChangeHandler(void (*handler)()) { shared.volumeHandler = handler; }
void SetFullscreenChangeHandler(void (*handler)(bool)) { shared.fullscreenHandler = handler; }
void SetScreenshotHandler(void (*handler)()) { shared.screenshotHandler = handler; }
bool EncodeFramePng(std::vector<uint8_t>& png, std::string& error) {
    return sdl::EncodePng(shared.frame.data(), shared.frameRgb565, png, error);
}
bool LastVolumeChange(int& which, uint32_t& agoMs) {
    if (!shared.volumeChanged) return false;
    which = shared.volumeWhich;
    agoMs = GetTicks() - shared.volumeTick;
    return true;
}

int DropMessages(MsgType type) {
    std::lock_guard<std::mutex> g(queueLock);
    auto from = std::remove_if(queue.begin(), queue.end(), [&](const Message& m) { return m.type == type; });
    int n = static_cast<int>(queue.end() - from);
    queue.erase(from, queue.end());
    return n;
}

bool TakeMessage(MsgType type, Message& out) {
    std::lock_guard<std::mutex> g(queueLock);
    auto it = std::find_if(queue.begin(), queue.end(), [&](const Message& m) { return m.type == type; });
    if (it == queue.end()) return false;
    out = *it;
    queue.erase(it);
    return true;
}

bool Startup(const Options& opt) {
    if (!shared.headless) sdl::Shutdown();
    shared.opts = opt;
    shared.headless = opt.headless;
    shared.closing = false;
    common::ClearKeys();
    common::ClearQueue();
    shared.strokes.clear();
    shared.gammaIdentity = true;
    shared.volumeChanged = false;
    SetVolumes(opt.musicVolume, opt.sfxVolume);
    sdl::ResolveBindings(opt);
#ifdef __EMSCRIPTEN__
    shared.quitToTitle = !opt.headless;
    // A page starts in its window: full screen needs the player's key or click.
    if (!opt.headless) shared.opts.windowed = true;
#else
    shared.quitToTitle = false;
#endif
    if (shared.headless) return headless::Startup(opt);
    if (!sdl::Startup(opt)) {
        shared.headless = true;
        return false;
    }
    return true;
}

void Shutdown() {
    if (shared.headless)
        headless::Shutdown();
    else
        sdl::Shutdown();
}

const Options& GetOptions() { return shared.opts; }
bool IsHeadless() { return shared.headless; }
bool QuitReturnsToTitle() { return shared.quitToTitle; }
void TestSetQuitReturnsToTitle(bool on) { shared.quitToTitle = on; }
void SetCloseHandler(void (*handler)()) { shared.closeHandler = handler; }

bool OpenDisplay(bool rgb565) { return shared.headless ? headless::OpenDisplay(rgb565) : sdl::OpenDisplay(rgb565); }
void CloseDisplay() { shared.headless ? headless::CloseDisplay() : sdl::CloseDisplay(); }

bool Present(const uint16_t* pixels, int pitchPixels, bool rgb565) {
    uint16_t* out = shared.frame.data();
    shared.frameRgb565 = rgb565;
    if (!pixels) {
        std::fill(shared.frame.begin(), shared.frame.end(), 0);
    } else {
        for (int y = 0; y < 240; y++)
            std::copy(pixels + y * pitchPixels, pixels + y * pitchPixels + 320, out + y * 320);
    }
    if (!shared.gammaIdentity) {
        const uint8_t* g = rgb565 ? shared.gamma6 : shared.gamma5;
        int gshift = 5, gmask = rgb565 ? 63 : 31, rshift = rgb565 ? 11 : 10;
        for (uint16_t& p : shared.frame) {
            int r = (p >> rshift) & 31, gr = (p >> gshift) & gmask, b = p & 31;
            p = static_cast<uint16_t>((shared.gamma5[r] << rshift) | (g[gr] << gshift) | shared.gamma5[b]);
        }
    }
    return shared.headless ? headless::Present(out, rgb565) : sdl::Present(out, rgb565);
}

void SetGammaRamp(const uint16_t ramp[256]) {
    shared.gammaIdentity = true;
    for (int i = 0; i < 256; i++)
        if (ramp[i] != 255 * i) shared.gammaIdentity = false;
    for (int v = 0; v < 32; v++) shared.gamma5[v] = RampLookup(ramp, v, 5);
    for (int v = 0; v < 64; v++) shared.gamma6[v] = RampLookup(ramp, v, 6);
}

void ShowCursor(bool show) {
    if (!shared.headless) sdl::ShowCursor(show);
}

void MessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
    if (!shared.headless) sdl::MessageBox(text, caption);
}

bool PeekMessage(Message& out, bool remove) {
    if (!shared.headless) sdl::Pump();
    {
        std::lock_guard<std::mutex> g(queueLock);
        if (!queue.empty()) {
            out = queue.front();
            if (remove) queue.pop_front();
            return true;
        }
    }
    if (shared.headless) headless::EmptyPoll();
    return false;
}

void PostMessage(const Message& msg) { common::Post(msg); }

uint32_t GetTicks() { return shared.headless ? headless::Ticks() : sdl::Ticks(); }
uint32_t SystemTicks() { return shared.headless ? headless::Ticks() : sdl::SystemTicks(); }
void Sleep(uint32_t ms) { shared.headless ? headless::Sleep(ms) : sdl::Sleep(ms); }
bool FinishStartup(uint32_t waitMs) {
    // In a window the second counts from the platform's start, so opening the
    // window and the sound and loading the sounds happen inside it too; the
    // virtual clock keeps its old count, which the kept runs rely on.
    const uint32_t start = shared.headless ? GetTicks() : sdl::StartedAt();
    if (!shared.headless && !sdl::FinishDisplay()) return false;
    audio_detail::MusicWaitSynth();
    const uint32_t spent = GetTicks() - start;
    Sleep(spent < waitMs ? waitMs - spent : 0);
    return true;
}
void Nap() {
    if (!shared.headless) sdl::Nap();
}

void BeginInputQuery() {
    if (shared.headless)
        headless::BeginInputQuery();
    else
        sdl::Pump();
}

int QueryKey(Key key) {
    int k = static_cast<int>(key);
    if (k < 0 || k >= static_cast<int>(Key::Count)) return 0;
    int r = (shared.held[k] ? 1 : 0) | (shared.pressed[k] ? 2 : 0);
    shared.pressed[k] = false;
    return r;
}

void ForgetKeyPresses() {
    for (bool& p : shared.pressed) p = false;
}

int JoyCount() { return shared.headless ? headless::JoyCount() : sdl::JoyCount(); }
bool JoyCapsOf(JoyCaps& caps) { return shared.headless ? headless::JoyCapsOf(caps) : sdl::JoyCapsOf(caps); }
bool JoyPosition(int& x, int& y, unsigned& buttons) {
    return shared.headless ? headless::JoyPosition(x, y, buttons) : sdl::JoyPosition(x, y, buttons);
}

const std::vector<uint16_t>& LastFrame() { return shared.frame; }
void TestKeyEvent(Key key, bool down) { common::KeyEvent(key, down); }

}  // namespace plat
