// Shared set-up of the video tests: a fresh 320 x 240 work surface in RGB565.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "video/video.h"

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedWork_ = WorkSurface;
        savedFormat_ = PixelFormat565;
        WorkSurface = MakeSurface(320, 240);
        PixelFormat565 = 1;
        Fill(WorkSurface, 0x1234);
    }
    void TearDown() override {
        FreeSurface(WorkSurface);
        WorkSurface = savedWork_;
        PixelFormat565 = savedFormat_;
    }
    static void Fill(Surface* s, uint16_t v) { s->pixels.assign(s->pixels.size(), v); }
    static uint16_t& At(Surface* s, int x, int y) { return s->pixels[static_cast<size_t>(y) * s->width + x]; }
    static uint16_t Rgb565(int r, int g, int b) { return static_cast<uint16_t>((r << 11) | (g << 5) | b); }
    // Pixels of the work surface that differ from `v`.
    static int CountNot(uint16_t v) {
        int n = 0;
        for (uint16_t p : WorkSurface->pixels) n += p != v;
        return n;
    }

private:
    Surface* savedWork_ = nullptr;
    int savedFormat_ = 1;
};
