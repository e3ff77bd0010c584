// SDL2 backend: one window showing the 320 x 240 frame integer-scaled with
// nearest-neighbour sampling and black borders, desktop full screen or a
// window; window events feed the message queue and the key latch; the first
// joystick or game controller is read as a 0..65535 stick with two buttons.
#include <SDL.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "platform/backends.h"

namespace plat::sdl {
namespace {

struct SdlState {
    bool started = false;
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

bool MakeRenderer() {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // No vsync: the game paces itself by the tick count, and a present must not block.
    st.renderer = SDL_CreateRenderer(st.window, -1, SDL_RENDERER_ACCELERATED);
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

// The largest whole scale whose window fits the usable desktop area.
int FittingScale() {
    SDL_Rect r;
    int display = st.window ? SDL_GetWindowDisplayIndex(st.window) : 0;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &r) != 0) return 2;
    int s = std::min(r.w / 320, (r.h - 32) / 240);
    return s < 1 ? 1 : s;
}

void ToggleFullscreen() {
    if (!st.window) return;
    st.fullscreen = !st.fullscreen;
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

void OnKey(const SDL_KeyboardEvent& k) {
    bool down = k.type == SDL_KEYDOWN;
    switch (k.keysym.sym) {
        case SDLK_UP: common::KeyEvent(Key::Up, down); break;
        case SDLK_DOWN: common::KeyEvent(Key::Down, down); break;
        case SDLK_RIGHT: common::KeyEvent(Key::Right, down); break;
        case SDLK_LEFT: common::KeyEvent(Key::Left, down); break;
        case SDLK_z: common::KeyEvent(Key::Z, down); break;
        case SDLK_x: common::KeyEvent(Key::X, down); break;
        case SDLK_ESCAPE:
            if (down && !k.repeat) common::Post({MsgType::KeyEscape, 0});
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            if (down && !k.repeat && (k.keysym.mod & KMOD_ALT)) ToggleFullscreen();
            break;
        default: break;
    }
}

void OpenJoystick() {
    st.joyOpened = true;
    if (SDL_NumJoysticks() < 1) return;
    if (SDL_IsGameController(0)) st.pad = SDL_GameControllerOpen(0);
    if (!st.pad) st.joy = SDL_JoystickOpen(0);
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
    return true;
}

void Shutdown() {
    if (!st.started) return;
    CloseDisplay();
    if (st.pad) SDL_GameControllerClose(st.pad);
    if (st.joy) SDL_JoystickClose(st.joy);
    st.pad = nullptr;
    st.joy = nullptr;
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
    Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
    int w = 320, h = 240;
    if (st.fullscreen) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    } else {
        int s = st.scale > 0 ? st.scale : FittingScale();
        w *= s;
        h *= s;
        flags |= SDL_WINDOW_RESIZABLE;
    }
    st.window = SDL_CreateWindow("Pelloquinade", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
    if (!st.window || !MakeRenderer()) {
        std::fprintf(stderr, "pelloquinade: cannot open the game's window.\n  (SDL says: %s)\n", SDL_GetError());
        CloseDisplay();
        return false;
    }
    SetWindowIcon();
    SDL_ShowCursor(st.cursorShown ? SDL_ENABLE : SDL_DISABLE);
    SDL_SetRenderDrawColor(st.renderer, 0, 0, 0, 255);
    SDL_RenderClear(st.renderer);
    SDL_RenderPresent(st.renderer);
    return true;
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
        if (!MakeRenderer()) return true;
    }
    if (!st.texture) return false;
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
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
            case SDL_QUIT:
                common::RequestClose();
                break;
            case SDL_WINDOWEVENT:
                if (e.window.event == SDL_WINDOWEVENT_CLOSE) common::RequestClose();
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
void Sleep(uint32_t ms) { SDL_Delay(ms); }
void Nap() { std::this_thread::sleep_for(std::chrono::microseconds(200)); }

int JoyCount() { return st.started ? SDL_NumJoysticks() : 0; }

bool JoyCapsOf(JoyCaps& caps) {
    caps = {0, 65535, 0, 65535};
    return true;
}

bool JoyPosition(int& x, int& y, unsigned& buttons) {
    if (!st.joyOpened) OpenJoystick();
    x = y = 32767;
    buttons = 0;
    if (st.pad) {
        if (!SDL_GameControllerGetAttached(st.pad)) return false;
        x = AxisToUnsigned(SDL_GameControllerGetAxis(st.pad, SDL_CONTROLLER_AXIS_LEFTX));
        y = AxisToUnsigned(SDL_GameControllerGetAxis(st.pad, SDL_CONTROLLER_AXIS_LEFTY));
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT)) x = 0;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT)) x = 65535;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_UP)) y = 0;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN)) y = 65535;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_A)) buttons |= 1;
        if (SDL_GameControllerGetButton(st.pad, SDL_CONTROLLER_BUTTON_B)) buttons |= 2;
        return true;
    }
    if (st.joy) {
        if (!SDL_JoystickGetAttached(st.joy)) return false;
        if (SDL_JoystickNumAxes(st.joy) >= 2) {
            x = AxisToUnsigned(SDL_JoystickGetAxis(st.joy, 0));
            y = AxisToUnsigned(SDL_JoystickGetAxis(st.joy, 1));
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
    return false;
}

}  // namespace plat::sdl
