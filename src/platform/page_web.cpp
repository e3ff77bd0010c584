// The browser build's calls into its page: downloads and short yields.
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

}  // namespace

namespace plat::web {

void OfferDownload(const std::string& path, const char* mimeType) {
    pello_offer_download(path.c_str(), mimeType);
    std::remove(path.c_str());
}

void YieldToBrowser() { pello_yield(); }

}  // namespace plat::web
