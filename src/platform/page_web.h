// The browser build's links to its page (page_web.cpp). Private to the
// platform layer.
#pragma once

#include <string>

namespace plat::web {
// Offers the file as a download to the player, then removes it from the
// program's file system (the browser keeps the downloaded copy).
void OfferDownload(const std::string& path, const char* mimeType);
// Gives the browser a turn without the few-millisecond floor that chained
// timers get, so a wait can end on an exact tick.
void YieldToBrowser();
// Whether the page is in full screen now (the page's own button, Alt+Enter or
// the browser's keys may change it), and a request to enter or leave it.
bool PageFullscreen();
void RequestFullscreen(bool on);
}  // namespace plat::web
