// The skin tool draws with the faces a fresh machine has: the font folder
// holds only the files the package the tools install (fonts-dejavu-core)
// ships, and a missing face stops the tool with an error instead of a skin
// drawn without legends.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifdef ORVANE_SKINGEN

namespace {

namespace fs = std::filesystem;

const fs::path kSystemFonts = "/usr/share/fonts/truetype/dejavu";

// A fresh folder holding links to the named system font files only.
fs::path FontFolder(const std::string& name, const std::vector<std::string>& files) {
    fs::path dir = fs::path(::testing::TempDir()) /
                   ("orvane_fonts_" + name + "_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "fonts");
    for (const std::string& f : files)
        fs::create_symlink(kSystemFonts / f, dir / "fonts" / f);
    return dir;
}

int RunSkingen(const fs::path& dir) {
    std::string cmd = std::string("\"") + ORVANE_SKINGEN +
                      "\" --res \"" ORVANE_SOURCE_DIR "/res\" --out \"" + (dir / "out").string() +
                      "\" --fonts \"" + (dir / "fonts").string() + "\" 2>/dev/null";
    return std::system(cmd.c_str());
}

TEST(SkinFonts, DrawsWithOnlyTheCorePackagesFacesAndStopsWithoutThem) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        bool drawn;
    };
    const Case cases[] = {
        {"core", {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}, true},
        {"no_bold", {"DejaVuSans.ttf"}, false},
        {"none", {}, false},
    };
    for (const Case& c : cases) {
        for (const std::string& f : c.files)
            ASSERT_TRUE(fs::exists(kSystemFonts / f)) << f << " is not installed";
        fs::path dir = FontFolder(c.name, c.files);
        const int status = RunSkingen(dir);
        EXPECT_EQ(status == 0, c.drawn) << c.name << ": exit status " << status;
        EXPECT_EQ(fs::exists(dir / "out" / "skin" / "main_normal.bmp"), c.drawn) << c.name;
        fs::remove_all(dir);
    }
}

} // namespace

#endif
