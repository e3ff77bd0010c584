// pngexport IN.bmp OUT.png [--size N | --scale K] [--key]
// Writes a bitmap of the game's data as a PNG file, scaled by nearest
// neighbour: for the desktop icons (the window's icon at N x N, pure green
// made transparent with --key) and for the screenshots of the store listing
// (frames K times their size).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <zlib.h>

#include "platform/platform.h"

namespace {

constexpr uint32_t kKeyColour = 0x00FF00;

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body) {
    Put32(out, static_cast<uint32_t>(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    Put32(out, static_cast<uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

// An 8-bit RGB or RGBA PNG of the picture scaled to w x h.
bool EncodePng(const plat::Image& img, int w, int h, bool key, std::vector<uint8_t>& png) {
    const int channels = key ? 4 : 3;
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (1 + w * channels));
    for (int y = 0; y < h; y++) {
        raw.push_back(0);  // filter: none
        const int sy = y * img.height / h;
        for (int x = 0; x < w; x++) {
            const uint32_t c = img.rgb[static_cast<size_t>(sy) * img.width + x * img.width / w];
            raw.push_back(static_cast<uint8_t>(c >> 16));
            raw.push_back(static_cast<uint8_t>(c >> 8));
            raw.push_back(static_cast<uint8_t>(c));
            if (key) raw.push_back(c == kKeyColour ? 0 : 255);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK) return false;
    packed.resize(packedSize);

    const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    png.assign(signature, signature + 8);
    std::vector<uint8_t> header;
    Put32(header, static_cast<uint32_t>(w));
    Put32(header, static_cast<uint32_t>(h));
    header.insert(header.end(), {8, static_cast<uint8_t>(key ? 6 : 2), 0, 0, 0});
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string in, out;
    int size = 0, scale = 1;
    bool key = false;
    for (int i = 1; i < argc; i++) {
        const std::string a = argv[i];
        if (a == "--size" && i + 1 < argc) {
            size = std::atoi(argv[++i]);
        } else if (a == "--scale" && i + 1 < argc) {
            scale = std::atoi(argv[++i]);
        } else if (a == "--key") {
            key = true;
        } else if (in.empty()) {
            in = a;
        } else if (out.empty()) {
            out = a;
        } else {
            in.clear();
            break;
        }
    }
    if (in.empty() || out.empty() || size < 0 || size > 4096 || scale < 1 || scale > 16) {
        std::fprintf(stderr, "usage: pngexport IN.bmp OUT.png [--size N | --scale K] [--key]\n");
        return 2;
    }
    plat::Image img;
    std::string why;
    if (!plat::DecodeBmp(in, img, &why) || img.width <= 0 || img.height <= 0) {
        std::fprintf(stderr, "pngexport: %s: %s\n", in.c_str(), why.empty() ? "not a bitmap" : why.c_str());
        return 1;
    }
    const int w = size ? size : img.width * scale, h = size ? size : img.height * scale;
    std::vector<uint8_t> png;
    std::FILE* f = EncodePng(img, w, h, key, png) ? std::fopen(out.c_str(), "wb") : nullptr;
    const bool written = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f && std::fclose(f) != 0) f = nullptr;
    if (!written || !f) {
        std::fprintf(stderr, "pngexport: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
