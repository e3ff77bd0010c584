// Any bitmap file through the decoding loader, converted to the display's format.
#include "fuzz_util.h"
#include "video/video.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("in.bmp", data, size);
    if (Surface* s = LoadBitmapSurface(path.c_str())) FreeSurface(s);
    return 0;
}
