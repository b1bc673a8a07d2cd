// Times building the main window's outline from its mask: the pixel-run
// builder the program uses beside the per-pixel rule (one GetPixel per pixel,
// one CombineRgn per white pixel). Checks that both give the same region.
//
//   RegionBench.exe <output file> [mask.bmp]
//
// Without a readable mask file a comparable 1100 x 420 rounded-body mask is
// drawn in memory. Writes bench table rows to the output file (a GUI program
// has no console under Wine).
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "mainwnd/MainSkin.w32.h"
#include "tests/support/SkinTestImages.w32.h"

namespace {

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

struct Timing {
    double median = 0, iqr = 0; // interquartile range: robust on a busy machine
};

template <class F> Timing Time(int repetitions, F&& run) {
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i) {
        const double start = NowMs();
        HRGN r = run();
        ms.push_back(NowMs() - start);
        DeleteObject(r);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 3 / 4] - ms[ms.size() / 4]};
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 2;
    FILE* out = _wfopen(argv[1], L"w");
    if (out == nullptr)
        return 2;

    HBITMAP mask = nullptr;
    std::string source = "drawn 1100x420 body";
    if (argc >= 3)
        mask = static_cast<HBITMAP>(LoadImageW(nullptr, argv[2], IMAGE_BITMAP, 0, 0,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (mask != nullptr)
        source = "skin main_mask.bmp";
    else
        mask = orvane::testing::MakeBodyMask(1100, 420, 36);
    BITMAP bm{};
    GetObjectW(mask, sizeof bm, &bm);
    const int w = bm.bmWidth, h = bm.bmHeight;

    HDC dc = GetDC(nullptr);
    const Timing runs = Time(31, [&] { return orvane::CreateMaskRegion(dc, mask, w, h); });
    const Timing pixels =
        Time(5, [&] { return orvane::testing::PerPixelMaskRegion(dc, mask, w, h); });

    HRGN a = orvane::CreateMaskRegion(dc, mask, w, h);
    HRGN b = orvane::testing::PerPixelMaskRegion(dc, mask, w, h);
    const bool equal = a != nullptr && EqualRgn(a, b);
    DeleteObject(a);
    DeleteObject(b);
    ReleaseDC(nullptr, dc);

    fprintf(
        out,
        "| window region from mask, %dx%d %s (pixel runs, Wine)%s | %.2f ms | IQR %.2f ms "
        "| per-pixel GetPixel + CombineRgn | %.1f ms | %.0fx faster | >= 50x faster, <= 5 ms |\n",
        w, h, source.c_str(), equal ? "" : " REGIONS DIFFER", runs.median, runs.iqr, pixels.median,
        runs.median > 0 ? pixels.median / runs.median : 0.0);
    fclose(out);
    DeleteObject(mask);
    LocalFree(argv);
    return equal ? 0 : 1;
}
