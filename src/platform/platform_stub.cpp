// Temporary: a do-nothing platform so the skeleton links.
#include "platform/platform.h"

namespace plat {
namespace {
Options opts;
uint32_t ticks = 1000;
std::vector<uint16_t> frame;
}  // namespace
bool Startup(const Options& o) { opts = o; return true; }
void Shutdown() {}
const Options& GetOptions() { return opts; }
bool IsHeadless() { return true; }
void SetCloseHandler(void (*)()) {}
bool OpenDisplay(bool) { return true; }
void CloseDisplay() {}
bool Present(const uint16_t*, int, bool) { return false; }
void SetGammaRamp(const uint16_t*) {}
void ShowCursor(bool) {}
void MessageBox(const char*, const char*) {}
bool PeekMessage(Message&, bool) { ticks++; return false; }
void PostMessage(const Message&) {}
uint32_t GetTicks() { return ticks; }
void Sleep(uint32_t ms) { ticks += ms; }
void BeginInputQuery() {}
int QueryKey(Key) { return 0; }
int JoyCount() { return 0; }
bool JoyCapsOf(JoyCaps&) { return false; }
bool JoyPosition(int&, int&, unsigned&) { return false; }
bool DecodeBmp(const std::string&, Image&) { return false; }
uint64_t PresentedFrames() { return 0; }
uint64_t LastFrameHash() { return 0; }
const std::vector<uint16_t>& LastFrame() { return frame; }
void AdvanceClock(uint32_t ms) { ticks += ms; }
void SetScriptedInput(const std::vector<int>&) {}
}  // namespace plat
