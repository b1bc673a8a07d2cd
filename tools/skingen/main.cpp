// skingen: draws the skins of the main window and the assignment dialog, and
// the program icon, from the layout files, at build time.
//
//   skingen --res <res-dir> --out <out-dir> [--fonts <dir>] [--preview]
//
// Reads <res-dir>/Main.ini; writes <out-dir>/skin/main_mask.bmp,
// main_normal.bmp, main_over.bmp, main_down.bmp and <out-dir>/orvane.ico.
// When <res-dir>/Composite.ini is there, also the assignment dialog's eleven
// pictures (key_mask.bmp ... macro2_normal.bmp, DialogArt.h) into
// <out-dir>/skin, and with --preview a dialog_<name>.png of each.
// With --preview also <out-dir>/preview.png, preview_over.png and
// preview_down.png (the pictures cut to the window's outline) and
// preview_in_use.png (a few cells in the over and down looks), for review.
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "DialogArt.h"
#include "ImageFiles.h"
#include "LayoutFile.h"
#include "Paint.h"
#include "SkinArt.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: skingen --res <res-dir> --out <out-dir> [--fonts <dir>] [--preview]\n");
    return 2;
}

// The assignment dialog's pictures, when the dialog's layout is there.
bool DrawDialog(const std::string& resDir, const std::string& outDir, const skingen::Fonts& fonts,
                bool preview) {
    std::vector<skingen::DialogEntry> entries;
    if (!skingen::LoadDialogLayout(resDir + "/Composite.ini", entries))
        return true;
    skingen::DialogImages images = skingen::DrawDialogSkin(entries, fonts);
    bool ok = true;
    for (const skingen::NamedImage& named : skingen::DialogFiles(images)) {
        ok &= skingen::WriteBmp24(named.image, outDir + "/skin/" + named.file);
        if (preview && named.image != images.mask.get()) {
            skingen::Surface cut = skingen::MaskedCopy(named.image, images.mask.get());
            std::string name = named.file;
            std::string path = outDir + "/dialog_" + name.substr(0, name.size() - 4) + ".png";
            ok &= cairo_surface_write_to_png(cut.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
        }
    }
    return ok;
}

int Run(const std::string& resDir, const std::string& outDir, const std::string& fontDir,
        bool preview) {
    namespace fs = std::filesystem;
    std::vector<skingen::LayoutCell> cells;
    std::string layoutPath = resDir + "/Main.ini";
    if (!skingen::LoadLayout(layoutPath, cells)) {
        std::fprintf(stderr, "skingen: cannot read %s\n", layoutPath.c_str());
        return 1;
    }
    std::error_code ec;
    fs::create_directories(fs::path(outDir) / "skin", ec);
    if (ec) {
        std::fprintf(stderr, "skingen: cannot create %s/skin: %s\n", outDir.c_str(),
                     ec.message().c_str());
        return 1;
    }

    skingen::Fonts fonts(fontDir);
    bool ok = true;
    {
        skingen::SkinImages skin = skingen::DrawSkin(cells, fonts);
        const std::string skinDir = outDir + "/skin/";
        ok &= skingen::WriteBmp24(skin.mask.get(), skinDir + "main_mask.bmp");
        ok &= skingen::WriteBmp24(skin.normal.get(), skinDir + "main_normal.bmp");
        ok &= skingen::WriteBmp24(skin.over.get(), skinDir + "main_over.bmp");
        ok &= skingen::WriteBmp24(skin.down.get(), skinDir + "main_down.bmp");
        if (preview) {
            std::pair<cairo_surface_t*, const char*> shots[] = {
                {skin.normal.get(), "preview.png"},
                {skin.over.get(), "preview_over.png"},
                {skin.down.get(), "preview_down.png"}};
            for (auto& [image, name] : shots) {
                skingen::Surface cut = skingen::MaskedCopy(image, skin.mask.get());
                std::string path = outDir + "/" + name;
                ok &= cairo_surface_write_to_png(cut.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
            }
        }

        if (preview) {
            // The window as a user sees it: profile 1 in force, a few keys
            // changed (down look) and the mouse over one key.
            skingen::Surface inUse = skingen::MaskedCopy(skin.normal.get(), skin.mask.get());
            cairo_t* cr = cairo_create(inUse.get());
            for (const skingen::LayoutCell& c : cells) {
                cairo_surface_t* source = nullptr;
                if (c.name == "Profile1" || c.name == "W" || c.name == "A" || c.name == "S" ||
                    c.name == "D" || c.name == "Caps Lock" || c.name == "Play/Pause")
                    source = skin.down.get();
                else if (c.name == "G")
                    source = skin.over.get();
                if (source && c.present) {
                    cairo_set_source_surface(cr, source, 0, 0);
                    cairo_rectangle(cr, c.x, c.y, c.width, c.height);
                    cairo_fill(cr);
                }
            }
            cairo_destroy(cr);
            std::string path = outDir + "/preview_in_use.png";
            ok &= cairo_surface_write_to_png(inUse.get(), path.c_str()) == CAIRO_STATUS_SUCCESS;
        }

        ok &= DrawDialog(resDir, outDir, fonts, preview);

        std::vector<skingen::Surface> icons;
        std::vector<cairo_surface_t*> raw;
        for (int size : {16, 32, 48, 256}) {
            icons.push_back(skingen::DrawIcon(size, fonts));
            raw.push_back(icons.back().get());
        }
        ok &= skingen::WriteIco(raw, outDir + "/orvane.ico");
    }
    if (!ok) {
        std::fprintf(stderr, "skingen: could not write every file into %s\n", outDir.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string res, out, fonts = "/usr/share/fonts/truetype/dejavu";
    bool preview = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--preview") {
            preview = true;
        } else if (i + 1 < argc && a == "--res") {
            res = argv[++i];
        } else if (i + 1 < argc && a == "--out") {
            out = argv[++i];
        } else if (i + 1 < argc && a == "--fonts") {
            fonts = argv[++i];
        } else {
            return Usage();
        }
    }
    if (res.empty() || out.empty())
        return Usage();
    try {
        return Run(res, out, fonts, preview);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skingen: %s\n", e.what());
        return 1;
    }
}
