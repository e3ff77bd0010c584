// Any file through the 8-bit sheet reader.
#include "fuzz_util.h"
#include "video/video.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("in.bmp", data, size);
    if (Surface* s = LoadIndexedBitmap(path.c_str())) FreeSurface(s);
    return 0;
}
