// The assignment dialog's layout (res/Composite.ini) and the eleven pictures
// the skin tool draws from it, checked for what the dialog relies on: every
// control on the window and off the plates of the template's own controls,
// no two controls of a mode on top of each other, a binary mask, button faces
// that change only inside their rectangles, and calm areas under the plain
// controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "SkinBitmaps.h"
#include "tools/skingen/DialogGeometry.h"
#include "tools/skingen/SkinGeometry.h"

namespace {

namespace dlg = skingen::dialog;
using dlg::IntRect;

struct Entry {
    int number = 0;
    IntRect rect;
    std::string label;
    size_t fieldCount = 0;
};

// A deliberately small reader of "n=x,y,width,height,label" lines, separate
// from the skin tool's and the program's readers.
std::map<int, Entry> ReadCompositeIni(const std::string& text) {
    std::map<int, Entry> entries;
    std::istringstream in(text);
    bool inSection = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            inSection = line == "[BUTTONINFO]";
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos)
            continue;
        Entry e;
        e.number = std::stoi(line.substr(0, eq));
        std::vector<std::string> f;
        std::stringstream value(line.substr(eq + 1));
        for (std::string field; std::getline(value, field, ',');)
            f.push_back(field);
        e.fieldCount = f.size();
        f.resize(5);
        auto num = [](const std::string& s) { return s.empty() ? 0 : std::stoi(s); };
        e.rect = {num(f[0]), num(f[1]), num(f[2]), num(f[3])};
        e.label = f[4];
        entries[e.number] = e;
    }
    return entries;
}

std::string ShippedText() {
    std::ifstream in(std::string(ORVANE_SOURCE_DIR) + "/res/Composite.ini", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Overlap(const IntRect& a, const IntRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool Contains(const IntRect& outer, const IntRect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

enum class Mode { SingleKey, Macro, Multimedia, FunctionKey, MacroLibrary };

// What a mode shows: its buttons and its plain controls, combo boxes closed.
std::vector<int> ShownIn(Mode mode) {
    std::vector<int> shown = {dlg::kOk, dlg::kCancel, dlg::kClear, dlg::kOsk, dlg::kMacroTab};
    if (mode != Mode::MacroLibrary) {
        for (int n : {dlg::kSingleKeyTab, dlg::kMultimediaTab, dlg::kFunctionKeyTab})
            shown.push_back(n);
    }
    switch (mode) {
    case Mode::SingleKey:
        shown.push_back(dlg::kKeyNameBox);
        break;
    case Mode::Multimedia:
        shown.push_back(dlg::kMultimediaCombo);
        break;
    case Mode::FunctionKey:
        shown.push_back(dlg::kFunctionCombo);
        break;
    default:
        for (int n = dlg::kAddMacro; n <= dlg::kBottom; ++n)
            shown.push_back(n);
        shown.push_back(dlg::kMacroCombo);
        shown.push_back(dlg::kEventList);
        break;
    }
    return shown;
}

bool IsCombo(int n) {
    return n == dlg::kMultimediaCombo || n == dlg::kFunctionCombo || n == dlg::kMacroCombo;
}

IntRect Closed(const Entry& e) {
    IntRect r = e.rect;
    if (IsCombo(e.number))
        r.height = std::min(r.height, dlg::kComboBoxHeight);
    return r;
}

// The check box, the loop-count caption and its box in pixels: measured under
// Wine (MapDialogRect, DejaVu Sans standing in for the template font), and
// computed for Windows' 6 x 13 base units.
constexpr IntRect kPlaced[] = {{394, 457, 147, 22}, {142, 497, 82, 23}, {231, 496, 70, 22},
                               {338, 457, 126, 22}, {122, 497, 70, 23}, {198, 496, 60, 22}};

class ShippedDialogLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        entries_ = ReadCompositeIni(ShippedText());
        ASSERT_EQ(entries_.size(), 23u);
        ASSERT_EQ(entries_.begin()->first, 1);
        ASSERT_EQ(entries_.rbegin()->first, 23);
    }
    std::map<int, Entry> entries_;
};

TEST_F(ShippedDialogLayout, EveryControlHasARectangleAndALabel) {
    for (const auto& [n, e] : entries_) {
        SCOPED_TRACE("entry " + std::to_string(n));
        // A comma inside a label would split it and shift nothing, but the
        // picture would then show a cut label.
        EXPECT_EQ(e.fieldCount, 5u);
        EXPECT_FALSE(e.label.empty());
        if (n == dlg::kReserved)
            continue;
        EXPECT_GT(e.rect.width, 0);
        EXPECT_GT(e.rect.height, 0);
    }
    // A combo box's entry must leave room for its list to open.
    for (int n : {dlg::kMultimediaCombo, dlg::kFunctionCombo, dlg::kMacroCombo})
        EXPECT_GE(entries_.at(n).rect.height, 4 * dlg::kComboBoxHeight) << n;
}

TEST_F(ShippedDialogLayout, NoTwoControlsOfAModeOverlapAndNoneCoversAPlate) {
    const std::pair<Mode, const char*> modes[] = {{Mode::SingleKey, "single key"},
                                                  {Mode::Macro, "macro"},
                                                  {Mode::Multimedia, "multimedia"},
                                                  {Mode::FunctionKey, "function key"},
                                                  {Mode::MacroLibrary, "macro library"}};
    for (const auto& [mode, name] : modes) {
        SCOPED_TRACE(name);
        std::vector<int> shown = ShownIn(mode);
        for (size_t i = 0; i < shown.size(); ++i) {
            for (size_t j = i + 1; j < shown.size(); ++j) {
                EXPECT_FALSE(Overlap(Closed(entries_.at(shown[i])), Closed(entries_.at(shown[j]))))
                    << "entries " << shown[i] << " and " << shown[j];
            }
        }
    }
    // Buttons never overlap, whatever the mode; no entry reaches a plate, even
    // with a combo's list open.
    for (int a = 1; a <= 18; ++a) {
        for (int b = a + 1; b <= 18; ++b) {
            if (dlg::IsButton(a) && dlg::IsButton(b))
                EXPECT_FALSE(Overlap(entries_.at(a).rect, entries_.at(b).rect)) << a << " " << b;
        }
    }
    for (const auto& [n, e] : entries_) {
        for (const IntRect& plate : dlg::TemplatePlates())
            EXPECT_FALSE(Overlap(e.rect, plate)) << "entry " << n << " covers a plate";
    }
}

TEST(DialogTemplatePlates, HoldTheControlsWhereWineAndWindowsPutThem) {
    std::vector<IntRect> plates = dlg::TemplatePlates();
    for (const IntRect& r : kPlaced) {
        bool held = std::any_of(plates.begin(), plates.end(),
                                [&](const IntRect& p) { return Contains(p, r); });
        EXPECT_TRUE(held) << r.x << "," << r.y;
    }
    EXPECT_FALSE(Overlap(plates[0], plates[1]));
}

#ifdef ORVANE_SKINGEN

using skin_test::Image;
namespace fs = std::filesystem;

// Pixels of a rectangle, for comparing and measuring.
double Luma(const uint8_t* p) {
    return 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
}

// The largest distance of a pixel's brightness from the rectangle's mean: a
// label, an edge or a picture in the area shows up as tens of levels.
double Unevenness(const Image& img, const IntRect& r) {
    double sum = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            sum += Luma(img.At(x, y));
    double mean = sum / (double(r.width) * r.height), worst = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            worst = std::max(worst, std::abs(Luma(img.At(x, y)) - mean));
    return worst;
}

int Differing(const Image& a, const Image& b, const IntRect& r) {
    int n = 0;
    for (int y = r.y; y < r.bottom(); ++y)
        for (int x = r.x; x < r.right(); ++x)
            n += !a.Same(b, x, y);
    return n;
}

const char* const kFiles[] = {"key_mask",     "key_normal",      "key_over",     "key_down",
                              "media_normal", "function_normal", "macro_normal", "macro_over",
                              "macro_down",   "macro_disable",   "macro2_normal"};

class GeneratedDialogSkin : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        out_ = new fs::path(skin_test::FreshDir("dialog"));
        ran_ = skin_test::RunSkingen(fs::path(ORVANE_SOURCE_DIR) / "res", *out_);
    }
    static void TearDownTestSuite() {
        fs::remove_all(*out_);
        delete out_;
    }
    void SetUp() override {
        ASSERT_TRUE(ran_) << "skingen failed";
        for (const char* name : kFiles)
            images_[name] = skin_test::ReadBmp(*out_ / "skin" / (std::string(name) + ".bmp"));
        entries_ = ReadCompositeIni(ShippedText());
    }
    const Image& Get(const std::string& name) { return images_.at(name); }
    const Entry& At(int n) { return entries_.at(n); }

    static fs::path* out_;
    static bool ran_;
    std::map<std::string, Image> images_;
    std::map<int, Entry> entries_;
};
fs::path* GeneratedDialogSkin::out_ = nullptr;
bool GeneratedDialogSkin::ran_ = false;

TEST_F(GeneratedDialogSkin, ElevenPicturesOfTheDialogsSizeAndABinaryMaskAroundEveryControl) {
    std::vector<IntRect> rects;
    for (const auto& [n, e] : entries_)
        rects.push_back(e.rect);
    dlg::Size size = dlg::CanvasFor(rects);
    EXPECT_LE(size.width, 800) << "the dialog must fit an 800 x 600 screen";
    EXPECT_LE(size.height, 600);
    for (const char* name : kFiles) {
        EXPECT_EQ(Get(name).width, size.width) << name;
        EXPECT_EQ(Get(name).height, size.height) << name;
    }
    const Image& mask = Get("key_mask");
    ASSERT_EQ(mask.width, size.width);
    ASSERT_GT(mask.width, 2 * 22);
    ASSERT_GT(mask.height, 2 * 22);
    // Written out by hand, not computed with the skin tool's outline rule:
    // the white pixels at the start of rows 0..21 of a rectangle with
    // 22-pixel rounded corners, a pixel being inside when its centre is (row
    // 0: the centre is 21.5 above the arc's centre, the arc spans
    // sqrt(22^2 - 21.5^2) = 4.66 pixels around x 22, so x 17 is the first
    // inside). Every other row is black from edge to edge; the four corners
    // mirror each other.
    const int kCornerRun[22] = {17, 14, 12, 10, 9, 7, 6, 5, 5, 4, 3,
                                3,  2,  2,  1,  1, 1, 0, 0, 0, 0, 0};
    for (int y = 0; y < mask.height; ++y) {
        const int fromEdge = std::min(y, mask.height - 1 - y);
        const int run = fromEdge < 22 ? kCornerRun[fromEdge] : 0;
        for (int x = 0; x < mask.width; ++x) {
            const uint8_t* p = mask.At(x, y);
            bool isWhite = p[0] == 255 && p[1] == 255 && p[2] == 255;
            bool isBlack = p[0] == 0 && p[1] == 0 && p[2] == 0;
            ASSERT_TRUE(isWhite || isBlack) << "grey mask pixel at " << x << "," << y;
            const bool outside = std::min(x, mask.width - 1 - x) < run;
            ASSERT_EQ(isWhite, outside) << x << "," << y;
        }
    }
    for (const auto& [n, e] : entries_) {
        if (n == dlg::kReserved)
            continue;
        const IntRect& r = e.rect;
        for (auto [x, y] : {std::pair{r.x, r.y},
                            {r.right() - 1, r.y},
                            {r.x, r.bottom() - 1},
                            {r.right() - 1, r.bottom() - 1}}) {
            ASSERT_TRUE(x >= 0 && y >= 0 && x < mask.width && y < mask.height) << e.number;
            EXPECT_EQ(mask.At(x, y)[0], 0) << "entry " << e.number << " corner " << x << "," << y;
        }
    }
}

TEST_F(GeneratedDialogSkin, LookPicturesChangeOnlyAndEveryButtonInsideTheirButtons) {
    struct Looks {
        const char* normal;
        std::vector<const char*> looks;
        bool (*serves)(int);
    };
    const Looks sets[] = {
        {"key_normal", {"key_over", "key_down"}, dlg::IsKeyButton},
        {"macro_normal", {"macro_over", "macro_down", "macro_disable"}, dlg::IsMacroButton}};
    for (const Looks& set : sets) {
        const Image& normal = Get(set.normal);
        std::vector<IntRect> buttons;
        for (const auto& [n, e] : entries_) {
            if (set.serves(n))
                buttons.push_back(e.rect);
        }
        auto inButton = [&](int x, int y) {
            return std::any_of(buttons.begin(), buttons.end(), [&](const IntRect& r) {
                return x >= r.x && x < r.right() && y >= r.y && y < r.bottom();
            });
        };
        for (const char* name : set.looks) {
            const Image& look = Get(name);
            for (int y = 0; y < look.height; ++y)
                for (int x = 0; x < look.width; ++x)
                    if (!inButton(x, y))
                        ASSERT_TRUE(look.Same(normal, x, y)) << name << " at " << x << "," << y;
            for (const auto& [n, e] : entries_) {
                if (set.serves(n))
                    EXPECT_GT(Differing(look, normal, e.rect), e.rect.width * e.rect.height / 20)
                        << name << ": entry " << n << " has no face of its own";
            }
        }
    }
}

TEST_F(GeneratedDialogSkin, EachBackgroundShowsItsModesButtonsAndCalmAreasForItsControls) {
    // A button's area in a background is busy where the mode shows it, calm
    // where it does not; a plain control's area (a combo box closed) is calm
    // where it is shown.
    constexpr double kCalm = 12, kBusy = 60;
    struct Case {
        const char* image;
        Mode mode;
    };
    const Case cases[] = {{"key_normal", Mode::SingleKey},
                          {"media_normal", Mode::Multimedia},
                          {"function_normal", Mode::FunctionKey},
                          {"macro_normal", Mode::Macro},
                          {"macro2_normal", Mode::MacroLibrary}};
    for (const Case& c : cases) {
        const Image& img = Get(c.image);
        std::vector<int> shown = ShownIn(c.mode);
        for (const auto& [n, e] : entries_) {
            if (n == dlg::kReserved)
                continue;
            bool isShown = std::count(shown.begin(), shown.end(), n) > 0;
            double uneven = Unevenness(img, Closed(e));
            if (dlg::IsButton(n) && isShown)
                EXPECT_GT(uneven, kBusy) << c.image << ": button " << n << " is not drawn";
            else if (dlg::IsButton(n) || isShown)
                EXPECT_LT(uneven, kCalm) << c.image << ": entry " << n << " is not calm";
        }
    }
}

TEST_F(GeneratedDialogSkin, TemplateControlsSitOnOneFlatColourInEveryMode) {
    const uint8_t* colour = Get("key_normal").At(kPlaced[0].x, kPlaced[0].y);
    for (const char* name :
         {"key_normal", "media_normal", "function_normal", "macro_normal", "macro2_normal"}) {
        const Image& img = Get(name);
        for (const IntRect& r : kPlaced)
            for (int y = r.y; y < r.bottom(); ++y)
                for (int x = r.x; x < r.right(); ++x)
                    ASSERT_TRUE(std::equal(colour, colour + 3, img.At(x, y)))
                        << name << " at " << x << "," << y;
    }
}

TEST(DialogSkinTool, DrawsAHandEditedLayoutAndSkipsAMissingOne) {
    // Missing entries, a zero-sized and an absurdly distant entry: all eleven
    // pictures are still drawn, sized by the sound entries and the plates.
    fs::path res = skin_test::FreshDir("dialog_edited_res");
    fs::path out = skin_test::FreshDir("dialog_edited_out");
    fs::copy_file(fs::path(ORVANE_SOURCE_DIR) / "res" / "Main.ini", res / "Main.ini");
    std::ofstream(res / "Composite.ini") << "[buttoninfo]\n"
                                            "1=700,600,70,40,OK\n"
                                            "2=0,0,0,0,Cancel\n"
                                            "3=90000000,20,40,40,Clear\n"
                                            "12=20,20,100,30\n"
                                            "not an entry\n";
    ASSERT_TRUE(skin_test::RunSkingen(res, out));
    for (const char* name : kFiles) {
        Image img = skin_test::ReadBmp(out / "skin" / (std::string(name) + ".bmp"));
        EXPECT_EQ(img.width, 770 + dlg::kMarginRight) << name;
        EXPECT_EQ(img.height, 640 + dlg::kMarginBottom) << name;
    }
    // Without the dialog's layout the main window's skin is still drawn.
    fs::remove(res / "Composite.ini");
    fs::path bare = skin_test::FreshDir("dialog_missing_out");
    ASSERT_TRUE(skin_test::RunSkingen(res, bare));
    EXPECT_TRUE(fs::exists(bare / "skin" / "main_normal.bmp"));
    EXPECT_FALSE(fs::exists(bare / "skin" / "key_mask.bmp"));
    for (const fs::path& d : {res, out, bare})
        fs::remove_all(d);
}

#endif // ORVANE_SKINGEN

} // namespace
