// Bitmap loading: indexed and true-colour files, the key colour, damaged and oversized headers.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/platform.h"
#include "video_test_util.h"

namespace {

namespace fs = std::filesystem;

void Put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = v & 255;
    b[at + 1] = (v >> 8) & 255;
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A standard Windows bitmap: file header, 40-byte info header, optional
// colour table, rows bottom-up padded to 4 bytes.
std::vector<uint8_t> MakeBmp(int w, int h, int bits, const std::vector<uint32_t>& palette,
                             const std::vector<std::vector<uint8_t>>& rowsTopDown) {
    const size_t rowBytes = (static_cast<size_t>(w) * bits / 8 + 3) & ~size_t{3};
    const size_t offset = 54 + palette.size() * 4;
    std::vector<uint8_t> b(offset + rowBytes * h, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, static_cast<uint32_t>(offset));
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(w));
    Put32(b, 22, static_cast<uint32_t>(h));
    Put16(b, 26, 1);
    Put16(b, 28, static_cast<uint32_t>(bits));
    Put32(b, 34, static_cast<uint32_t>(rowBytes * h));
    Put32(b, 46, static_cast<uint32_t>(palette.size()));
    for (size_t i = 0; i < palette.size(); i++) Put32(b, 54 + 4 * i, palette[i]);  // 0x00RRGGBB = B, G, R, 0
    for (int r = 0; r < h; r++) {
        const auto& row = rowsTopDown[r];
        std::copy(row.begin(), row.end(), b.begin() + offset + rowBytes * (h - 1 - r));
    }
    return b;
}

class VideoBitmap : public VideoTest {
protected:
    void SetUp() override {
        VideoTest::SetUp();
        dir_ = fs::temp_directory_path() / ("pello_video_bitmap_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
        VideoTest::TearDown();
    }
    std::string Write(const char* name, const std::vector<uint8_t>& bytes) {
        const std::string path = (dir_ / name).string();
        std::FILE* f = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        return path;
    }
    // The indexed reader's layout: 256-entry table, data at 1078, `w` bytes a row.
    std::vector<uint8_t> Indexed(uint32_t wField, uint32_t hField, const std::vector<uint32_t>& palette,
                                 const std::vector<uint8_t>& dataBottomUp) {
        std::vector<uint8_t> b(1078, 0);
        b[0] = 'B';
        b[1] = 'M';
        Put32(b, 18, wField);
        Put32(b, 22, hField);
        for (size_t i = 0; i < palette.size() && i < 256; i++) Put32(b, 54 + 4 * i, palette[i]);
        b.insert(b.end(), dataBottomUp.begin(), dataBottomUp.end());
        return b;
    }
    fs::path dir_;
};

}  // namespace

TEST_F(VideoBitmap, IndexedRowsBottomUpAndGreenKey) {
    // Index 0 is (0, 255, 0), 1 red, 2 white, 3 a grey that keeps only top bits.
    const std::vector<uint32_t> pal{0x00FF00, 0xFF0000, 0xFFFFFF, 0x8C4C1C};
    // File rows: bottom row first.
    const std::vector<uint8_t> data{0, 1, 2, 3,   // bottom row (y = 2)
                                    1, 1, 1, 1,   // y = 1
                                    3, 2, 1, 0};  // top row (y = 0)
    Surface* s = LoadIndexedBitmap(Write("a.bmp", Indexed(4, 3, pal, data)).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 4);
    EXPECT_EQ(s->height, 3);
    const uint16_t grey = ((0x8C >> 3) << 11) | ((0x4C >> 2) << 5) | (0x1C >> 3);
    EXPECT_EQ(At(s, 0, 0), grey);
    EXPECT_EQ(At(s, 3, 0), 0x07E0);
    EXPECT_EQ(At(s, 0, 2), 0x07E0);
    EXPECT_EQ(At(s, 1, 2), 0xF800);
    EXPECT_EQ(At(s, 2, 2), 0xFFFF);
    EXPECT_EQ(At(s, 2, 1), 0xF800);
    // Keyed, the green pixel is transparent.
    SetKeyColor(s, 0x07E0);
    PutSprite(0, 0, s, RECT{0, 0, 4, 3}, 17);
    EXPECT_EQ(At(WorkSurface, 3, 0), 0x1234);
    EXPECT_EQ(At(WorkSurface, 2, 0), 0xF800);
    FreeSurface(s);

    PixelFormat565 = 0;
    s = LoadIndexedBitmap(Write("a.bmp", Indexed(4, 3, pal, data)).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(At(s, 3, 0), 0x03E0);
    EXPECT_EQ(At(s, 0, 0), ((0x8C >> 3) << 10) | ((0x4C >> 3) << 5) | (0x1C >> 3));
    FreeSurface(s);
}

TEST_F(VideoBitmap, IndexedFullWidthSheet) {
    std::vector<uint32_t> pal(256);
    for (int i = 0; i < 256; i++) pal[i] = static_cast<uint32_t>(i * 0x010101);
    std::vector<uint8_t> data(1024 * 2);
    for (int x = 0; x < 1024; x++) {
        data[x] = static_cast<uint8_t>(x);             // bottom row
        data[1024 + x] = static_cast<uint8_t>(x / 4);  // top row: last in the file
    }
    Surface* s = LoadIndexedBitmap(Write("wide.bmp", Indexed(1024, 2, pal, data)).c_str());
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->width, 1024);
    const auto grey = [](int v) { return static_cast<uint16_t>(((v >> 3) << 11) | ((v >> 2) << 5) | (v >> 3)); };
    EXPECT_EQ(At(s, 1023, 0), grey(255));
    EXPECT_EQ(At(s, 1023, 1), grey(255));
    EXPECT_EQ(At(s, 400, 0), grey(100));
    EXPECT_EQ(At(s, 400, 1), grey(400 & 255));
    FreeSurface(s);
}

TEST_F(VideoBitmap, IndexedRejectsImpossibleSizes) {
    const std::vector<uint32_t> pal{0xFFFFFF};
    std::vector<uint8_t> data(1028 * 2, 0);
    EXPECT_EQ(LoadIndexedBitmap(Write("w.bmp", Indexed(1028, 2, pal, data)).c_str()), nullptr);
    EXPECT_EQ(LoadIndexedBitmap(Write("z.bmp", Indexed(0, 2, pal, data)).c_str()), nullptr);
    EXPECT_EQ(LoadIndexedBitmap(Write("z2.bmp", Indexed(8, 0, pal, data)).c_str()), nullptr);
    EXPECT_EQ(LoadIndexedBitmap(Write("h.bmp", Indexed(8, 5000, pal, data)).c_str()), nullptr);
    // A top-down file's negative height reads as 65296 rows.
    EXPECT_EQ(LoadIndexedBitmap(Write("n.bmp", Indexed(8, static_cast<uint32_t>(-240), pal, data)).c_str()), nullptr);
    // Only the low 16 bits of the width field count: 0x10008 is 8 wide.
    Surface* s = LoadIndexedBitmap(Write("lo.bmp", Indexed(0x10008, 2, pal, std::vector<uint8_t>(16, 0))).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 8);
    FreeSurface(s);
    EXPECT_EQ(LoadIndexedBitmap((dir_ / "missing.bmp").string().c_str()), nullptr);
    EXPECT_EQ(LoadIndexedBitmap(Write("tiny.bmp", {'B', 'M', 0}).c_str()), nullptr);
}

TEST_F(VideoBitmap, IndexedShortFileLeavesMissingPixelsBlack) {
    // Index 0 is white, so a missing pixel (black) differs from a zero byte.
    const std::vector<uint32_t> pal{0xFFFFFF};
    std::vector<uint8_t> data(8 * 3 + 5, 0);  // three full rows and 5 bytes of the fourth
    Surface* s = LoadIndexedBitmap(Write("short.bmp", Indexed(8, 6, pal, data)).c_str());
    ASSERT_NE(s, nullptr);
    for (int y = 3; y < 6; y++)
        for (int x = 0; x < 8; x++) EXPECT_EQ(At(s, x, y), 0xFFFF);
    for (int x = 0; x < 5; x++) EXPECT_EQ(At(s, x, 2), 0xFFFF);
    for (int x = 5; x < 8; x++) EXPECT_EQ(At(s, x, 2), 0);
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 8; x++) EXPECT_EQ(At(s, x, y), 0);
    FreeSurface(s);

    // A file that ends inside the colour table: the rest of the table is black.
    std::vector<uint8_t> head = Indexed(4, 2, pal, {});
    head.resize(60);
    s = LoadIndexedBitmap(Write("head.bmp", head).c_str());
    ASSERT_NE(s, nullptr);
    for (uint16_t p : s->pixels) EXPECT_EQ(p, 0);
    FreeSurface(s);
}

TEST_F(VideoBitmap, DecodedTrueColourAndPalettedFiles) {
    // 24-bit, width 3 (rows padded to 12 bytes); pixels stored B, G, R.
    const std::vector<std::vector<uint8_t>> rows24{
        {0, 255, 0, 255, 255, 255, 0, 0, 0},
        {0x1C, 0x4C, 0x8C, 0, 0, 255, 255, 0, 0},
    };
    const std::string p24 = Write("t24.bmp", MakeBmp(3, 2, 24, {}, rows24));
    Surface* s = LoadBitmapSurface(p24.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 3);
    EXPECT_EQ(s->height, 2);
    EXPECT_EQ(At(s, 0, 0), 0x07E0);
    EXPECT_EQ(At(s, 1, 0), 0xFFFF);
    EXPECT_EQ(At(s, 2, 0), 0);
    EXPECT_EQ(At(s, 0, 1), ((0x8C >> 3) << 11) | ((0x4C >> 2) << 5) | (0x1C >> 3));
    EXPECT_EQ(At(s, 1, 1), 0xF800);
    EXPECT_EQ(At(s, 2, 1), 0x001F);
    FreeSurface(s);

    PixelFormat565 = 0;
    s = LoadBitmapSurface(p24.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(At(s, 0, 0), 0x03E0);
    EXPECT_EQ(At(s, 1, 0), 0x7FFF);
    FreeSurface(s);
    PixelFormat565 = 1;

    // 8-bit, width 5 (rows padded to 8 bytes), a 3-entry table.
    const std::vector<std::vector<uint8_t>> rows8{{0, 1, 2, 1, 0}, {2, 2, 2, 2, 1}};
    s = LoadBitmapSurface(Write("t8.bmp", MakeBmp(5, 2, 8, {0x00FF00, 0xFF0000, 0x0000FF}, rows8)).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->width, 5);
    EXPECT_EQ(At(s, 0, 0), 0x07E0);
    EXPECT_EQ(At(s, 1, 0), 0xF800);
    EXPECT_EQ(At(s, 2, 0), 0x001F);
    EXPECT_EQ(At(s, 4, 1), 0xF800);
    FreeSurface(s);
}

TEST_F(VideoBitmap, UndecodableFilesGiveNone) {
    const std::string text = "this is not a bitmap, only some words in a file\n";
    EXPECT_EQ(LoadBitmapSurface(Write("x.bmp", std::vector<uint8_t>(text.begin(), text.end())).c_str()), nullptr);
    EXPECT_EQ(LoadBitmapSurface((dir_ / "missing.bmp").string().c_str()), nullptr);
    std::vector<uint8_t> cut = MakeBmp(64, 64, 24, {}, std::vector<std::vector<uint8_t>>(64, std::vector<uint8_t>(192, 7)));
    cut.resize(30);  // header cut short
    EXPECT_EQ(LoadBitmapSurface(Write("cut.bmp", cut).c_str()), nullptr);
}

TEST_F(VideoBitmap, HeadersClaimingMoreThanTheFileOrTheLimitAreRefusedBeforeDecoding) {
    // 54 bytes claiming 60000 x 60000 x 24: decoding it would take gigabytes.
    std::vector<uint8_t> huge = MakeBmp(1, 1, 24, {}, {{1, 2, 3}});
    huge.resize(54);
    Put32(huge, 18, 60000);
    Put32(huge, 22, 60000);
    EXPECT_EQ(LoadBitmapSurface(Write("huge.bmp", huge).c_str()), nullptr);
    Put32(huge, 22, static_cast<uint32_t>(-60000));  // top-down rows
    EXPECT_EQ(LoadBitmapSurface(Write("huge_td.bmp", huge).c_str()), nullptr);

    // Within the limit, but the rows are cut short.
    std::vector<uint8_t> cut = MakeBmp(64, 64, 24, {}, std::vector<std::vector<uint8_t>>(64, std::vector<uint8_t>(192, 7)));
    cut.resize(cut.size() - 1);
    EXPECT_EQ(LoadBitmapSurface(Write("short.bmp", cut).c_str()), nullptr);

    // Whole, but wider than any surface.
    const auto wide = MakeBmp(8200, 1, 8, {0x123456}, {std::vector<uint8_t>(8200, 0)});
    std::string why;
    plat::Image img;
    EXPECT_FALSE(plat::DecodeBmpMemory(wide.data(), wide.size(), img, &why));
    EXPECT_NE(why.find("8192"), std::string::npos) << why;
}
