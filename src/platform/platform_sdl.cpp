// SDL2 backend: one window showing the 320 x 240 frame integer-scaled with
// nearest-neighbour sampling and black borders, desktop full screen or a
// window; window events feed the message queue and the key latch; the first
// joystick or game controller is read as a 0..65535 stick with two buttons,
// with a radial dead zone; pads plugged in later are picked up at once. The
// screenshot key encodes the frame as PNG for the shell; F5..F8 step the
// music and effect volumes.
// In the browser the window is the page's 320 x 240 canvas, which the page
// scales and takes full screen; a saved screenshot is offered as a download.
#include <SDL.h>
#include <SDL_image.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/backends.h"
#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "platform/page_web.h"
#endif

namespace plat::sdl {
namespace {

struct SdlState {
    bool started = false;
    uint32_t startedAt = 0;         // SDL's ticks when the platform started
    bool videoUp = false;
    bool fullscreen = true;
    int scale = 0;
    bool rgb565 = true;
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    bool lost = false;              // render targets or device were reset
    bool deviceReset = false;       // the renderer itself must be made anew
    bool cursorShown = true;
    SDL_Joystick* joy = nullptr;
    SDL_GameController* pad = nullptr;
    bool joyOpened = false;
};
SdlState st;

// Bindings, resolved from the options by both back ends.
struct Bindings {
    SDL_Keycode keys[8] = {SDLK_UP, SDLK_DOWN, SDLK_RIGHT, SDLK_LEFT, SDLK_z, SDLK_x, SDLK_p, SDLK_F12};
    SDL_GameControllerButton pad[3] = {SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B,
                                       SDL_CONTROLLER_BUTTON_START};
    int deadZone = 25;  // percent of the stick's travel
};
Bindings bind;

bool MakeRenderer() {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // No vsync: the game paces itself by the tick count, and a present must not block.
#ifndef __EMSCRIPTEN__  // the browser's canvas takes the small frame as it is, no GL needed
    st.renderer = SDL_CreateRenderer(st.window, -1, SDL_RENDERER_ACCELERATED);
#endif
    if (!st.renderer) st.renderer = SDL_CreateRenderer(st.window, -1, SDL_RENDERER_SOFTWARE);
    if (!st.renderer) return false;
    SDL_RenderSetLogicalSize(st.renderer, 320, 240);
    SDL_RenderSetIntegerScale(st.renderer, SDL_TRUE);
    st.texture = SDL_CreateTexture(st.renderer, st.rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555,
                                   SDL_TEXTUREACCESS_STREAMING, 320, 240);
    return st.texture != nullptr;
}

void DropRenderer() {
    if (st.texture) SDL_DestroyTexture(st.texture);
    if (st.renderer) SDL_DestroyRenderer(st.renderer);
    st.texture = nullptr;
    st.renderer = nullptr;
}

// The window's renderer and texture, showing black at first. Making them
// takes a good part of a second, so OpenDisplay leaves them to the start-up's
// wait (or to the first frame).
bool ReadyRenderer() {
    if (st.renderer) return true;
    if (!st.window) return false;
    if (!MakeRenderer()) {
        DropRenderer();
        return false;
    }
    SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
    SDL_RenderClear(st.renderer);
    SDL_RenderPresent(st.renderer);
    return true;
}

#ifndef __EMSCRIPTEN__  // the page sizes and switches the browser's canvas
// The largest whole scale whose window fits the usable desktop area.
int FittingScale() {
    SDL_Rect r;
    int display = st.window ? SDL_GetWindowDisplayIndex(st.window) : 0;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) return 2;
    int s = std::min(r.w / 320, (r.h - 32) / 240);
    return s < 1 ? 1 : s;
}

void ApplyFullscreen() {
    if (!st.window) return;
    if (st.fullscreen) {
        SDL_SetWindowFullscreen(st.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else {
        SDL_SetWindowFullscreen(st.window, 0);
        int s = st.scale > 0 ? st.scale : FittingScale();
        SDL_SetWindowSize(st.window, 320 * s, 240 * s);
        SDL_SetWindowPosition(st.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    SDL_ShowCursor(st.cursorShown ? SDL_ENABLE : SDL_DISABLE);
}

void ToggleFullscreen() {
    st.fullscreen = !st.fullscreen;
    ApplyFullscreen();
}
#endif

void RouteKey(SDL_Keycode sym, bool down, bool repeat, Uint16 mod) {
    const bool altEnter = (sym == SDLK_RETURN || sym == SDLK_KP_ENTER) && (mod & KMOD_ALT);
    if (!repeat) common::LogKeyStroke(altEnter ? "Alt+Return" : SDL_GetKeyName(sym), down);
    // The program's own keys come first: no binding can take them away.
    const bool press = down && !repeat;
    switch (sym) {
        case SDLK_ESCAPE:
            if (press) common::Post({MsgType::KeyEscape, 0});
            return;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
#ifndef __EMSCRIPTEN__  // the page switches in the key's own event, as browsers require
            if (mod & KMOD_ALT) {
                if (press) {
                    ToggleFullscreen();
                    common::FullscreenChanged(st.fullscreen);
                }
                return;
            }
#endif
            break;
        case SDLK_F5: if (press) common::StepVolume(0, -10); return;
        case SDLK_F6: if (press) common::StepVolume(0, 10); return;
        case SDLK_F7: if (press) common::StepVolume(1, -10); return;
        case SDLK_F8: if (press) common::StepVolume(1, 10); return;
        default: break;
    }
    for (int i = 0; i < 6; i++)
        if (sym == bind.keys[i]) {
            common::KeyEvent(static_cast<Key>(i), down);
            return;
        }
    if (sym == bind.keys[6]) {
        if (press) common::Post({MsgType::Pause, 0});
    } else if (sym == bind.keys[7]) {
        if (press) common::ScreenshotKey();
    }
}

void OnKey(const SDL_KeyboardEvent& k) {
    RouteKey(k.keysym.sym, k.type == SDL_KEYDOWN, k.repeat != 0, k.keysym.mod);
}

void CloseJoystick() {
    if (st.pad) SDL_GameControllerClose(st.pad);
    if (st.joy) SDL_JoystickClose(st.joy);
    st.pad = nullptr;
    st.joy = nullptr;
}

// Reads the first connected device; called at the first read and whenever
// a device comes or goes, so a pad plugged in later is used at once.
void OpenJoystick() {
    st.joyOpened = true;
    bool attached = (st.pad && SDL_GameControllerGetAttached(st.pad)) || (st.joy && SDL_JoystickGetAttached(st.joy));
    if (attached) return;
    CloseJoystick();
    for (int i = 0; i < SDL_NumJoysticks() && !st.pad && !st.joy; i++) {
        if (SDL_IsGameController(i)) st.pad = SDL_GameControllerOpen(i);
        if (!st.pad) st.joy = SDL_JoystickOpen(i);
    }
}

// Radial dead zone: a stick inside it reads as centred, so noise never
// moves the craft; outside it the position is passed on as it is.
void ApplyDeadZone(int& x, int& y) {
    double r = std::hypot(static_cast<double>(x), static_cast<double>(y));
    if (r < bind.deadZone * 32767.0 / 100.0) x = y = 0;
}

int AxisToUnsigned(int v) { return v + 32768; }  // -32768..32767 onto 0..65535

// The window's icon: "icon.bmp" from the data folder, pure green transparent.
// Without the file the window simply has none.
void SetWindowIcon() {
    Image img;
    if (!DecodeBmp("icon.bmp", img) || img.width > 256 || img.height > 256) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, img.width, img.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return;
    for (int y = 0; y < img.height; y++) {
        uint32_t* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < img.width; x++) {
            uint32_t c = img.rgb[static_cast<size_t>(y) * img.width + x] & 0xFFFFFF;
            row[x] = c == 0x00FF00 ? 0 : 0xFF000000u | c;
        }
    }
    SDL_SetWindowIcon(st.window, s);
    SDL_FreeSurface(s);
}

}  // namespace

void ResolveBindings(const Options& opt) {
    bind = Bindings{};
    for (int i = 0; i < 8; i++) {
        SDL_Keycode k = SDL_GetKeyFromName(opt.keys[i].c_str());
        if (k != SDLK_UNKNOWN) bind.keys[i] = k;
    }
    for (int i = 0; i < 3; i++) {
        SDL_GameControllerButton b = SDL_GameControllerGetButtonFromString(opt.padButtons[i].c_str());
        if (b != SDL_CONTROLLER_BUTTON_INVALID) bind.pad[i] = b;
    }
    bind.deadZone = std::clamp(opt.padDeadZone, 0, 90);
}

void SetDisplayMode(bool fullscreen, int scale) {
    st.scale = scale;
#ifdef __EMSCRIPTEN__  // the page owns the canvas's size and full screen; Pump sees it change
    web::RequestFullscreen(fullscreen);
#else
    st.fullscreen = fullscreen;
    ApplyFullscreen();
#endif
}

bool Startup(const Options& opt) {
    st = SdlState{};
    st.fullscreen = !opt.windowed;
    st.scale = opt.scale;
    // Joystick input arrives without window focus too.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Ctrl+C in the terminal arrives as a quit event, i.e. the close button.
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "pelloquinade: SDL cannot start: %s\n", SDL_GetError());
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0)
        SDL_InitSubSystem(SDL_INIT_JOYSTICK);  // a keyboard alone is enough
    st.started = true;
    st.startedAt = SDL_GetTicks();
    return true;
}

uint32_t StartedAt() { return st.startedAt; }

void Shutdown() {
    if (!st.started) return;
    CloseDisplay();
    CloseJoystick();
    SDL_Quit();
    st.started = false;
}

bool OpenDisplay(bool rgb565) {
    st.rgb565 = rgb565;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr,
                     "pelloquinade: cannot open the game's window: no display was found. Start the game from a "
                     "desktop session.\n  (SDL says: %s)\n",
                     SDL_GetError());
        return false;
    }
    st.videoUp = true;
    // With no display SDL quietly falls back to drivers that show nothing;
    // that is no display for a player, unless someone asked for it by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (driver && (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy")) &&
        !(asked && !std::strcmp(asked, driver))) {
        std::fprintf(stderr,
                     "pelloquinade: cannot open the game's window: no display was found. Start the game from a "
                     "desktop session.\n  (SDL says: only its \"%s\" video driver, which shows nothing, "
                     "is available)\n",
                     driver);
        CloseDisplay();
        return false;
    }
    int w = 320, h = 240;
#ifdef __EMSCRIPTEN__
    // The page's canvas at the frame's own size: the page scales it.
    Uint32 flags = 0;
    st.fullscreen = false;
#else
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
    if (st.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    } else {
        int s = st.scale > 0 ? st.scale : FittingScale();
        w *= s;
        h *= s;
        flags |= SDL_WINDOW_RESIZABLE;
    }
#endif
    st.window = SDL_CreateWindow("Pelloquinade", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (!st.window) {
        std::fprintf(stderr, "pelloquinade: cannot open the game's window.\n  (SDL says: %s)\n", SDL_GetError());
        CloseDisplay();
        return false;
    }
    SetWindowIcon();
    SDL_ShowCursor(st.cursorShown ? SDL_ENABLE : SDL_DISABLE);
    return true;
}

bool FinishDisplay() {
    if (ReadyRenderer()) return true;
    std::fprintf(stderr, "pelloquinade: cannot draw in the game's window.\n  (SDL says: %s)\n", SDL_GetError());
    return false;
}

void CloseDisplay() {
    DropRenderer();
    if (st.window) SDL_DestroyWindow(st.window);
    st.window = nullptr;
    if (st.videoUp) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    st.videoUp = false;
}

bool Present(const uint16_t* px, bool) {
    Pump();
    if (!st.window) return false;
    if (st.deviceReset) {
        DropRenderer();
        st.deviceReset = false;
    }
    if (!ReadyRenderer()) return true;
    void* dst = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(st.texture, nullptr, &dst, &pitch) == 0) {
        for (int y = 0; y < 240; y++)
            std::memcpy(static_cast<uint8_t*>(dst) + y * pitch, px + y * 320, 320 * sizeof(uint16_t));
        SDL_UnlockTexture(st.texture);
    }
    SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
    SDL_RenderClear(st.renderer);
    SDL_RenderCopy(st.renderer, st.texture, nullptr, nullptr);
    SDL_RenderPresent(st.renderer);
    bool lost = st.lost;
    st.lost = false;
    return lost;
}

void ShowCursor(bool show) {
    st.cursorShown = show;
    if (st.videoUp) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void MessageBox(const char* text, const char* caption) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption ? caption : "", text ? text : "", st.window);
}

// Moves window events into the game's queue and key latch; events the game
// never reads (mouse motion and the like) are dropped here.
void Pump() {
    if (!st.started) return;
#ifdef __EMSCRIPTEN__
    // The page switches full screen in its own key and button events; the
    // options in force and the settings follow it as they follow Alt+Enter.
    if (web::PageFullscreen() != st.fullscreen) {
        st.fullscreen = !st.fullscreen;
        common::FullscreenChanged(st.fullscreen);
    }
#endif
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                common::RequestClose();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) common::RequestClose();
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) common::Post({MsgType::Pause, 1});
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
            case SDL_JOYDEVICEADDED:
            case SDL_JOYDEVICEREMOVED:
                if (st.joyOpened) OpenJoystick();
                break;
            case SDL_CONTROLLERBUTTONDOWN:
                if (st.pad && e.cbutton.which == SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(st.pad)) &&
                    e.cbutton.button == bind.pad[2])
                    common::Post({MsgType::Pause, 0});
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP:
                OnKey(e.key);
                break;
            case SDL_RENDER_TARGETS_RESET:
                st.lost = true;
                break;
            case SDL_RENDER_DEVICE_RESET:
                st.lost = true;
                st.deviceReset = true;
                break;
            default:
                break;
        }
    }
}

uint32_t Ticks() { return SDL_GetTicks(); }
uint32_t SystemTicks() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);  // counts from boot; SDL's ticks count from SDL_Init
    return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u +
                                 static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}
#ifdef __EMSCRIPTEN__
void Sleep(uint32_t ms) { emscripten_sleep(ms); }
void Nap() { web::YieldToBrowser(); }
#else
void Sleep(uint32_t ms) { SDL_Delay(ms); }
void Nap() { std::this_thread::sleep_for(std::chrono::microseconds(200)); }
#endif

// One device slot is always reported: the device in it may come later.
int JoyCount() { return st.started ? 1 : 0; }

bool JoyCapsOf(JoyCaps& caps) {
    caps = {0, 65535, 0, 65535};
    return true;
}

bool JoyPosition(int& x, int& y, unsigned& buttons) {
    if (!st.joyOpened) OpenJoystick();
    x = y = 32767;
    buttons = 0;
    if (st.pad) {
        if (!SDL_GameControllerGetAttached(st.pad)) return true;  // centred until one comes back
        int sx = SDL_GameControllerGetAxis(st.pad, SDL_CONTROLLER_AXIS_LEFTX);
        int sy = SDL_GameControllerGetAxis(st.pad, SDL_CONTROLLER_AXIS_LEFTY);
        ApplyDeadZone(sx, sy);
        x = AxisToUnsigned(sx);
        y = AxisToUnsigned(sy);
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) x = 0;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) x = 65535;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_UP)) y = 0;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) y = 65535;
        if (SDL_GameControllerGetButton(st.pad, bind.pad[0])) buttons |= 1;
        if (SDL_GameControllerGetButton(st.pad, bind.pad[1])) buttons |= 2;
        return true;
    }
    if (st.joy) {
        if (!SDL_JoystickGetAttached(st.joy)) return true;
        if (SDL_JoystickNumAxes(st.joy) >= 2) {
            int sx = SDL_JoystickGetAxis(st.joy, 0), sy = SDL_JoystickGetAxis(st.joy, 1);
            ApplyDeadZone(sx, sy);
            x = AxisToUnsigned(sx);
            y = AxisToUnsigned(sy);
        }
        if (SDL_JoystickNumHats(st.joy) >= 1) {
            Uint8 hat = SDL_JoystickGetHat(st.joy, 0);
            if (hat & SDL_HAT_LEFT) x = 0;
            if (hat & SDL_HAT_RIGHT) x = 65535;
            if (hat & SDL_HAT_UP) y = 0;
            if (hat & SDL_HAT_DOWN) y = 65535;
        }
        if (SDL_JoystickGetButton(st.joy, 0)) buttons |= 1;
        if (SDL_JoystickGetButton(st.joy, 1)) buttons |= 2;
        return true;
    }
    return true;  // no device yet: centred
}

namespace {
// An SDL stream that appends whatever is written to a byte vector.
size_t AppendToVector(SDL_RWops* rw, const void* data, size_t size, size_t count) {
    auto* out = static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1);
    const auto* p = static_cast<const uint8_t*>(data);
    out->insert(out->end(), p, p + size * count);
    return count;
}
Sint64 VectorStreamEnd(SDL_RWops* rw) {
    return static_cast<Sint64>(static_cast<std::vector<uint8_t>*>(rw->hidden.unknown.data1)->size());
}
// Only "where am I" is answered: the stream only grows at its end.
Sint64 SeekVectorStream(SDL_RWops* rw, Sint64 offset, int whence) {
    if (offset == 0 && (whence == RW_SEEK_CUR || whence == RW_SEEK_END)) return VectorStreamEnd(rw);
    return SDL_SetError("a PNG being encoded cannot be sought");
}
size_t ReadNothing(SDL_RWops*, void*, size_t, size_t) { return 0; }
int CloseVectorStream(SDL_RWops* rw) {
    SDL_FreeRW(rw);
    return 0;
}
}  // namespace

bool EncodePng(const uint16_t* pixels, bool rgb565, std::vector<uint8_t>& png, std::string& error) {
    png.clear();
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(pixels), 320, 240, 16, 320 * 2,
                                                        rgb565 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_RGB555);
    SDL_RWops* rw = s ? SDL_AllocRW() : nullptr;
    if (!rw) {
        error = SDL_GetError();
        if (s) SDL_FreeSurface(s);
        return false;
    }
    rw->type = SDL_RWOPS_UNKNOWN;
    rw->size = VectorStreamEnd;
    rw->seek = SeekVectorStream;
    rw->read = ReadNothing;
    rw->write = AppendToVector;
    rw->close = CloseVectorStream;
    rw->hidden.unknown.data1 = &png;
    const bool ok = IMG_SavePNG_RW(s, rw, 1) == 0 && !png.empty();
    if (!ok) {
        error = IMG_GetError();
        png.clear();
    }
    SDL_FreeSurface(s);
    return ok;
}

}  // namespace plat::sdl

namespace plat {
const char* const kKeyActions[8] = {"up", "down", "right", "left", "shoot", "second", "pause", "screenshot"};
std::string ExecutableDir() {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : "";
    SDL_free(base);
    return dir;
}

void OfferSavedFile(const std::string& path, const char* mimeType) {
#ifdef __EMSCRIPTEN__
    web::OfferDownload(path, mimeType);
#else
    (void)path;
    (void)mimeType;
#endif
}
bool KeyNameKnown(const std::string& name) { return SDL_GetKeyFromName(name.c_str()) != SDLK_UNKNOWN; }
bool SameKey(const std::string& a, const std::string& b) {
    return SDL_GetKeyFromName(a.c_str()) == SDL_GetKeyFromName(b.c_str());
}
bool KeyReserved(const std::string& name) {
    if (SDL_strcasecmp(name.c_str(), "Alt+Return") == 0) return true;  // as typed keys name Alt+Enter
    switch (SDL_GetKeyFromName(name.c_str())) {
        case SDLK_ESCAPE: case SDLK_F5: case SDLK_F6: case SDLK_F7: case SDLK_F8: return true;
        default: return false;
    }
}
bool PadButtonNameKnown(const std::string& name) {
    return SDL_GameControllerGetButtonFromString(name.c_str()) != SDL_CONTROLLER_BUTTON_INVALID;
}
bool TestNamedKeyEvent(const std::string& name, bool down) {
    const bool altEnter = SDL_strcasecmp(name.c_str(), "Alt+Return") == 0;
    SDL_Keycode k = altEnter ? SDLK_RETURN : SDL_GetKeyFromName(name.c_str());
    if (k == SDLK_UNKNOWN) return false;
    sdl::RouteKey(k, down, false, altEnter ? KMOD_LALT : 0);
    return true;
}
}  // namespace plat
