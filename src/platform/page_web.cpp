// The browser build's calls into its page: downloads, short yields and full
// screen.
#include "platform/page_web.h"

#include <emscripten.h>

#include <cstdio>

namespace {

// The bytes are copied out of the program's memory before the file goes.
EM_JS(void, pello_offer_download, (const char* path, const char* mime), {
    const name = UTF8ToString(path);
    let bytes;
    try {
        bytes = FS.readFile(name);
    } catch (e) {
        return;
    }
    const url = URL.createObjectURL(new Blob([bytes], {type: UTF8ToString(mime)}));
    const a = document.createElement('a');
    a.href = url;
    a.download = name.substring(name.lastIndexOf('/') + 1);
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 10000);
});

// A message to itself comes back at once; chained timers wait 4 ms or more.
// (Listed among the link's ASYNCIFY_IMPORTS: the program sleeps in it.)
EM_JS(void, pello_yield, (), {
    Asyncify.handleSleep((wakeUp) => {
        const channel = new MessageChannel();
        channel.port1.onmessage = () => wakeUp();
        channel.port2.postMessage(0);
    });
});

EM_JS(int, pello_page_fullscreen, (), { return document.fullscreenElement ? 1 : 0; });

// Browsers grant full screen only for a while after a key press or a click,
// which a choice made in the game's own menu still is.
EM_JS(void, pello_request_fullscreen, (int on), {
    if (on && !document.fullscreenElement) document.documentElement.requestFullscreen().catch(() => {});
    if (!on && document.fullscreenElement) document.exitFullscreen().catch(() => {});
});

}  // namespace

namespace plat::web {

void OfferDownload(const std::string& path, const char* mimeType) {
    pello_offer_download(path.c_str(), mimeType);
    std::remove(path.c_str());
}

void YieldToBrowser() { pello_yield(); }

bool PageFullscreen() { return pello_page_fullscreen() != 0; }

void RequestFullscreen(bool on) { pello_request_fullscreen(on ? 1 : 0); }

}  // namespace plat::web
