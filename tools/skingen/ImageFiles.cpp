#include "ImageFiles.h"

#include <cstdint>
#include <cstdio>
#include <memory>

namespace skingen {
namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

bool WriteFile(const std::string& path, const Bytes& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f)
        return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
}

// Pixel (x, y) of an ARGB32 surface, un-premultiplied.
struct Rgba {
    unsigned char r, g, b, a;
};
Rgba PixelAt(cairo_surface_t* s, int x, int y) {
    const unsigned char* row =
        cairo_image_surface_get_data(s) + y * cairo_image_surface_get_stride(s);
    uint32_t p = reinterpret_cast<const uint32_t*>(row)[x];
    unsigned a = p >> 24;
    auto un = [a](unsigned c) { return (unsigned char)(a ? (c * 255 + a / 2) / a : 0); };
    return {un((p >> 16) & 0xFF), un((p >> 8) & 0xFF), un(p & 0xFF), (unsigned char)a};
}

// BITMAPINFOHEADER for a DIB of the given height (icons store twice the height).
void PutInfoHeader(Bytes& b, int width, int height, int bits, uint32_t imageSize) {
    Put32(b, 40);
    Put32(b, uint32_t(width));
    Put32(b, uint32_t(height));
    Put16(b, 1);
    Put16(b, bits);
    Put32(b, 0); // BI_RGB
    Put32(b, imageSize);
    Put32(b, 2835); // 72 dpi
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
}

Bytes IconDib(cairo_surface_t* s) {
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int maskStride = ((w + 31) / 32) * 4;
    Bytes b;
    PutInfoHeader(b, w, h * 2, 32, uint32_t(w * h * 4 + maskStride * h));
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            Rgba p = PixelAt(s, x, y);
            b.insert(b.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (PixelAt(s, x, y).a == 0)
                row[x / 8] |= 0x80 >> (x % 8);
        }
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

Bytes IconPng(cairo_surface_t* s) {
    Bytes b;
    cairo_surface_write_to_png_stream(
        s,
        [](void* closure, const unsigned char* data, unsigned len) {
            auto* out = static_cast<Bytes*>(closure);
            out->insert(out->end(), data, data + len);
            return CAIRO_STATUS_SUCCESS;
        },
        &b);
    return b;
}

} // namespace

bool WriteBmp24(cairo_surface_t* s, const std::string& path) {
    cairo_surface_flush(s);
    int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
    int stride = (w * 3 + 3) & ~3;
    Bytes b;
    b.reserve(54 + size_t(stride) * h);
    b.push_back('B');
    b.push_back('M');
    Put32(b, uint32_t(54 + stride * h));
    Put32(b, 0);
    Put32(b, 54);
    PutInfoHeader(b, w, h, 24, uint32_t(stride * h));
    for (int y = h - 1; y >= 0; --y) {
        size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            Rgba p = PixelAt(s, x, y);
            b.insert(b.end(), {p.b, p.g, p.r});
        }
        b.resize(start + stride, 0);
    }
    return WriteFile(path, b);
}

bool WriteIco(const std::vector<cairo_surface_t*>& sizes, const std::string& path) {
    std::vector<Bytes> images;
    for (cairo_surface_t* s : sizes) {
        cairo_surface_flush(s);
        images.push_back(cairo_image_surface_get_width(s) >= 256 ? IconPng(s) : IconDib(s));
    }
    Bytes b;
    Put16(b, 0);
    Put16(b, 1); // icon
    Put16(b, unsigned(sizes.size()));
    uint32_t offset = uint32_t(6 + 16 * sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        int w = cairo_image_surface_get_width(sizes[i]);
        int h = cairo_image_surface_get_height(sizes[i]);
        b.push_back(w >= 256 ? 0 : w);
        b.push_back(h >= 256 ? 0 : h);
        b.push_back(0); // no palette
        b.push_back(0);
        Put16(b, 1);  // planes
        Put16(b, 32); // bits per pixel
        Put32(b, uint32_t(images[i].size()));
        Put32(b, offset);
        offset += uint32_t(images[i].size());
    }
    for (const Bytes& img : images)
        b.insert(b.end(), img.begin(), img.end());
    return WriteFile(path, b);
}

} // namespace skingen
