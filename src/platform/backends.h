// The two backends behind platform.h, and the pieces they share. Private to
// the platform layer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace plat::common {
// Key latch fed by key events: held now, and pressed since the last query.
void KeyEvent(Key key, bool down);
void SetHeld(int bits);             // headless scripts: the held keys as input-word bits
void ClearKeys();
// Queue access for the backends.
void Post(const Message& msg);
bool QueueEmpty();
void ClearQueue();
// Runs the close handler (or queues Quit when there is none).
void RequestClose();
// A volume key: which 0 music, 1 effects; delta in level units.
void StepVolume(int which, int delta);
void FullscreenChanged(bool fullscreen);
void ScreenshotKey();
// A key press or release for TakeKeyStrokes.
void LogKeyStroke(const char* name, bool down);
}  // namespace plat::common

namespace plat::headless {
bool Startup(const Options& opt);
void Shutdown();
bool OpenDisplay(bool rgb565);
void CloseDisplay();
bool Present(const uint16_t* pixels, bool rgb565);  // tightly packed 320 x 240
void EmptyPoll();
uint32_t Ticks();
void Sleep(uint32_t ms);
void BeginInputQuery();
int JoyCount();
bool JoyCapsOf(JoyCaps& caps);
bool JoyPosition(int& x, int& y, unsigned& buttons);
}  // namespace plat::headless

namespace plat::sdl {
bool Startup(const Options& opt);
void Shutdown();
bool OpenDisplay(bool rgb565);
bool FinishDisplay();               // the renderer OpenDisplay left for later
uint32_t StartedAt();               // Ticks() when Startup finished
void CloseDisplay();
bool Present(const uint16_t* pixels, bool rgb565);
void ShowCursor(bool show);
void MessageBox(const char* text, const char* caption);
void Pump();
// Reads the key bindings of the options (both back ends: tests send named keys).
void ResolveBindings(const Options& opt);
void SetDisplayMode(bool fullscreen, int scale);
uint32_t Ticks();
uint32_t SystemTicks();
void Sleep(uint32_t ms);
void Nap();
int JoyCount();
bool JoyCapsOf(JoyCaps& caps);
bool JoyPosition(int& x, int& y, unsigned& buttons);
// 320 x 240 pixels, tightly packed, as PNG file bytes.
bool EncodePng(const uint16_t* pixels, bool rgb565, std::vector<uint8_t>& png, std::string& error);
}  // namespace plat::sdl
