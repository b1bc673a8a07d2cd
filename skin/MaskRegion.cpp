#include "skin/MaskRegion.h"

#include <algorithm>

namespace orvane {

namespace {

bool IsWhite(const std::uint8_t* pixel) {
    return pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF;
}

} // namespace

MaskRegionBuilder::MaskRegionBuilder(int windowWidth, int windowHeight, int maskWidth)
    : windowWidth_(std::max(windowWidth, 0)), windowHeight_(std::max(windowHeight, 0)),
      maskRight_(std::clamp(maskWidth, 0, windowWidth_)) {}

void MaskRegionBuilder::AddRow(const std::uint8_t* row, int bytesPerPixel) {
    if (y_ >= windowHeight_)
        return;
    // Inside runs: mask pixels [0, maskRight_) by colour, the rest of the
    // window row inside.
    current_.clear();
    int x = 0;
    while (x < maskRight_) {
        while (x < maskRight_ && IsWhite(row + std::ptrdiff_t(x) * bytesPerPixel))
            ++x;
        if (x == maskRight_)
            break;
        const int left = x;
        while (x < maskRight_ && !IsWhite(row + std::ptrdiff_t(x) * bytesPerPixel))
            ++x;
        current_.emplace_back(left, x);
    }
    if (maskRight_ < windowWidth_) {
        if (!current_.empty() && current_.back().second == maskRight_)
            current_.back().second = windowWidth_;
        else
            current_.emplace_back(maskRight_, windowWidth_);
    }
    AddRuns();
}

void MaskRegionBuilder::AddRuns() {
    const int y = y_++;
    if (y > 0 && current_ == previous_) {
        for (std::size_t i = bandStart_; i < rects_.size(); ++i)
            rects_[i].bottom = y + 1;
        return;
    }
    bandStart_ = rects_.size();
    for (const auto& [left, right] : current_)
        rects_.push_back({left, y, right, y + 1});
    std::swap(previous_, current_);
}

std::vector<RegionRect> MaskRegionBuilder::Finish() {
    while (y_ < windowHeight_) {
        current_.assign(windowWidth_ > 0 ? 1 : 0, {0, windowWidth_});
        AddRuns();
    }
    return std::move(rects_);
}

std::vector<RegionRect> MaskRegionRects(const MaskPixels& mask, int windowWidth, int windowHeight) {
    const bool readable = mask.bits != nullptr && mask.width > 0 && mask.height > 0 &&
                          (mask.bytesPerPixel == 3 || mask.bytesPerPixel == 4);
    MaskRegionBuilder builder(windowWidth, windowHeight, readable ? mask.width : 0);
    if (readable)
        for (int y = 0; y < mask.height && y < windowHeight; ++y)
            builder.AddRow(mask.bits + mask.stride * y, mask.bytesPerPixel);
    return builder.Finish();
}

} // namespace orvane
