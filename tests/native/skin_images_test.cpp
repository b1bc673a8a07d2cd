// Runs the skin tool on the shipped layout and checks what the program relies
// on: four 24-bit pictures of one size, a strictly binary mask that follows
// the body outline, and over/down pictures that differ from the normal one
// exactly inside the cells.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "MainIniFile.h"
#include "SkinBitmaps.h"
#include "tools/skingen/SkinGeometry.h"

#ifdef ORVANE_SKINGEN

namespace {

using skin_test::FreshDir;
using skin_test::Image;
using skin_test::ReadAll;
using skin_test::ReadBmp;
using skin_test::RunSkingen;
using skin_test::U32;
namespace fs = std::filesystem;

class GeneratedSkin : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        out_ = new fs::path(FreshDir("shipped"));
        ran_ = RunSkingen(fs::path(ORVANE_SOURCE_DIR) / "res", *out_);
    }
    static void TearDownTestSuite() {
        fs::remove_all(*out_);
        delete out_;
    }
    void SetUp() override {
        ASSERT_TRUE(ran_) << "skingen failed";
        for (const char* name : {"mask", "normal", "over", "down"})
            images_.push_back(ReadBmp(*out_ / "skin" / (std::string("main_") + name + ".bmp")));
        cells_ = layout_test::ReadMainIni(layout_test::ShippedMainIni());
    }
    const Image& mask() { return images_[0]; }
    const Image& normal() { return images_[1]; }
    bool InAnyCell(int x, int y) {
        for (const auto& [n, c] : cells_) {
            if (x >= c.x && x < c.right() && y >= c.y && y < c.bottom())
                return true;
        }
        return false;
    }

    static fs::path* out_;
    static bool ran_;
    std::vector<Image> images_;
    std::map<int, layout_test::Cell> cells_;
};
fs::path* GeneratedSkin::out_ = nullptr;
bool GeneratedSkin::ran_ = false;

TEST_F(GeneratedSkin, AllPicturesHaveTheLayoutsCanvasSize) {
    std::vector<layout_test::Cell> all;
    for (const auto& [n, c] : cells_)
        all.push_back(c);
    skingen::CanvasSize size = skingen::CanvasForCells(all);
    for (const Image& img : images_) {
        EXPECT_EQ(img.width, size.width);
        EXPECT_EQ(img.height, size.height);
    }
}

TEST_F(GeneratedSkin, MaskIsStrictlyBinaryAndFollowsTheOutline) {
    const Image& m = mask();
    ASSERT_GT(m.width, 0);
    int white = 0, black = 0;
    for (int y = 0; y < m.height; ++y) {
        for (int x = 0; x < m.width; ++x) {
            const uint8_t* p = m.At(x, y);
            bool isWhite = p[0] == 255 && p[1] == 255 && p[2] == 255;
            bool isBlack = p[0] == 0 && p[1] == 0 && p[2] == 0;
            ASSERT_TRUE(isWhite || isBlack) << "grey mask pixel at " << x << "," << y;
            ASSERT_EQ(isBlack, skingen::InsideBody(x, y, m.width, m.height)) << x << "," << y;
            (isWhite ? white : black)++;
        }
    }
    EXPECT_GT(white, 0) << "rounded corners cut nothing away";
    EXPECT_GT(black, m.width * m.height * 9 / 10);
}

TEST_F(GeneratedSkin, BodyEdgeIsDarkWhereTheMaskCutsIt) {
    // Pixels just inside the hard outline must be body-coloured, not blended
    // with a white background.
    const Image& m = mask();
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < m.width && y < m.height && m.At(x, y)[0] == 0;
    };
    for (size_t i = 1; i < images_.size(); ++i) {
        const Image& img = images_[i];
        for (int y = 0; y < m.height; ++y) {
            for (int x = 0; x < m.width; ++x) {
                bool edge = inside(x, y) && (!inside(x - 1, y) || !inside(x + 1, y) ||
                                             !inside(x, y - 1) || !inside(x, y + 1));
                if (edge) {
                    const uint8_t* p = img.At(x, y);
                    ASSERT_LT(p[0] + p[1] + p[2], 3 * 140)
                        << "light edge pixel at " << x << "," << y;
                }
            }
        }
    }
}

TEST_F(GeneratedSkin, OverAndDownDifferFromNormalOnlyInsideCells) {
    for (size_t i : {2u, 3u}) {
        const Image& look = images_[i];
        ASSERT_EQ(look.width, normal().width);
        ASSERT_EQ(look.height, normal().height);
        for (int y = 0; y < look.height; ++y) {
            for (int x = 0; x < look.width; ++x) {
                if (!InAnyCell(x, y))
                    ASSERT_TRUE(look.Same(normal(), x, y)) << "outside cells at " << x << "," << y;
            }
        }
        // Every cell shows its own look: its rectangle differs from normal.
        for (const auto& [n, c] : cells_) {
            int differing = 0;
            for (int y = c.y; y < c.bottom(); ++y)
                for (int x = c.x; x < c.right(); ++x)
                    differing += !look.Same(normal(), x, y);
            EXPECT_GT(differing, c.width * c.height / 20) << "cell " << n << " image " << i;
        }
    }
}

TEST_F(GeneratedSkin, IconHoldsTheFourSizes) {
    std::vector<uint8_t> ico = ReadAll(*out_ / "orvane.ico");
    ASSERT_GE(ico.size(), 6u + 4 * 16);
    EXPECT_EQ(ico[2] | ico[3] << 8, 1) << "not an icon";
    ASSERT_EQ(ico[4] | ico[5] << 8, 4);
    std::vector<int> sizes;
    for (int i = 0; i < 4; ++i) {
        const uint8_t* e = &ico[6 + i * 16];
        sizes.push_back(e[0] == 0 ? 256 : e[0]);
        EXPECT_LE(size_t(U32(ico, 6 + i * 16 + 12)) + U32(ico, 6 + i * 16 + 8), ico.size());
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48, 256}));
}

TEST(SkinTool, ReadsAUtf16LayoutLikeItsUtf8Original) {
    fs::path res = FreshDir("utf16_res"), a = FreshDir("utf16_a"), b = FreshDir("utf16_b");
    std::vector<uint8_t> utf8 = ReadAll(layout_test::ShippedMainIni());
    std::vector<uint8_t> utf16 = {0xFF, 0xFE};
    for (uint8_t ch : utf8) { // the shipped file is ASCII
        utf16.push_back(ch);
        utf16.push_back(0);
    }
    std::ofstream(res / "Main.ini", std::ios::binary)
        .write(reinterpret_cast<const char*>(utf16.data()), std::streamsize(utf16.size()));
    ASSERT_TRUE(RunSkingen(res, a));
    ASSERT_TRUE(RunSkingen(fs::path(ORVANE_SOURCE_DIR) / "res", b));
    for (const char* name : {"main_mask.bmp", "main_normal.bmp", "main_over.bmp", "main_down.bmp"})
        EXPECT_TRUE(ReadAll(a / "skin" / name) == ReadAll(b / "skin" / name)) << name;
    for (const fs::path& d : {res, a, b})
        fs::remove_all(d);
}

TEST(SkinTool, DrawsAHandEditedLayoutWithoutGrowingOrFailing) {
    // Missing cells, a garbage line, a zero-sized cell, a negative and an
    // absurdly distant cell: the tool still draws every picture, sized by the
    // sound cells only.
    fs::path res = FreshDir("edited_res"), out = FreshDir("edited_out");
    std::ofstream(res / "Main.ini") << "[buttoninfo]\n"
                                       "1=20,20,40,40,27,Esc\n"
                                       "2=70,20,0,40,112,F1\n"
                                       "3=-5,20,40,40,113,F2\n"
                                       "4=90000000,20,40,40,114,F3\n"
                                       "garbage without equals\n"
                                       "122=100,20,24,24,Close\n"
                                       "105=140,20,30,30,179,Play/Pause\n";
    ASSERT_TRUE(RunSkingen(res, out));
    std::vector<Image> images;
    for (const char* name : {"main_mask.bmp", "main_normal.bmp", "main_over.bmp", "main_down.bmp"})
        images.push_back(ReadBmp(out / "skin" / name));
    skingen::CanvasSize expected = skingen::CanvasFor(170, 60);
    for (const Image& img : images) {
        EXPECT_EQ(img.width, expected.width);
        EXPECT_EQ(img.height, expected.height);
    }
    fs::remove_all(res);
    fs::remove_all(out);
}

TEST(SkinTool, FailsWithoutALayoutFileAndWritesNothing) {
    fs::path res = FreshDir("missing_res"), out = FreshDir("missing_out");
    EXPECT_FALSE(RunSkingen(res, out));
    EXPECT_FALSE(fs::exists(out / "skin" / "main_mask.bmp"));
    fs::remove_all(res);
    fs::remove_all(out);
}

} // namespace

#endif // ORVANE_SKINGEN
