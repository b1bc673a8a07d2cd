// Helpers of the skin tests: run the skin tool into a fresh folder and read
// the 24-bit bitmaps it writes, independently of the tool's own writer.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef ORVANE_SKINGEN

namespace skin_test {

namespace fs = std::filesystem;

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb; // top-down, 3 bytes a pixel
    const uint8_t* At(int x, int y) const { return &rgb[(size_t(y) * width + x) * 3]; }
    bool Same(const Image& o, int x, int y) const {
        return std::equal(At(x, y), At(x, y) + 3, o.At(x, y));
    }
};

inline std::vector<uint8_t> ReadAll(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// Reads a 24-bit uncompressed bottom-up BMP; fails the test on anything else.
inline Image ReadBmp(const fs::path& p) {
    Image img;
    std::vector<uint8_t> b = ReadAll(p);
    EXPECT_GE(b.size(), 54u) << p;
    if (b.size() < 54)
        return img;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    int32_t w = int32_t(U32(b, 18)), h = int32_t(U32(b, 22));
    EXPECT_GT(h, 0) << p << ": expected a bottom-up bitmap";
    EXPECT_EQ(b[28] | b[29] << 8, 24) << p;
    EXPECT_EQ(U32(b, 30), 0u) << p << ": expected BI_RGB";
    size_t offset = U32(b, 10), stride = (size_t(w) * 3 + 3) & ~size_t(3);
    EXPECT_EQ(b.size(), offset + stride * size_t(h)) << p;
    if (w <= 0 || h <= 0 || b.size() < offset + stride * size_t(h))
        return img;
    img.width = w;
    img.height = h;
    img.rgb.resize(size_t(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &b[offset + stride * size_t(h - 1 - y)];
        for (int x = 0; x < w; ++x) {
            uint8_t* px = &img.rgb[(size_t(y) * w + x) * 3];
            px[0] = row[x * 3 + 2];
            px[1] = row[x * 3 + 1];
            px[2] = row[x * 3];
        }
    }
    return img;
}

inline bool RunSkingen(const fs::path& res, const fs::path& out) {
    std::string cmd = std::string("\"") + ORVANE_SKINGEN + "\" --res \"" + res.string() +
                      "\" --out \"" + out.string() + "\"";
    return std::system(cmd.c_str()) == 0;
}

inline fs::path FreshDir(const std::string& name) {
    // The process id keeps test processes that run side by side apart.
    fs::path dir =
        fs::path(::testing::TempDir()) / ("orvane_skin_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

} // namespace skin_test

#endif // ORVANE_SKINGEN
