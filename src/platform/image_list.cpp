#include "platform/image_list.h"

#include <algorithm>

namespace dravok {

ImageList::ImageList(int width, int height, bool masked, Colour mask) {
    setup(width, height, masked, mask);
}

void ImageList::setup(int width, int height, bool masked, Colour mask) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    masked_ = masked;
    mask_ = mask & 0x00FFFFFF;
    clear();
}

void ImageList::clear() {
    count_ = 0;
    pixels_.clear();
    deferred_.clear();
    maker_ = nullptr;
}

void ImageList::reserve(int count) {
    if (count > 0) pixels_.reserve(static_cast<std::size_t>(count) * width_ * height_);
}

int ImageList::add(const Bitmap& image) {
    const std::span<uint32_t> pixels = add_in_place();
    std::fill(pixels.begin(), pixels.end(), 0);
    const int w = std::min(width_, image.width());
    const int h = std::min(height_, image.height());
    for (int y = 0; y < h; ++y) {
        const uint32_t* src = image.row(y);
        uint32_t* dst = pixels.data() + static_cast<std::size_t>(y) * width_;
        for (int x = 0; x < w; ++x)
            dst[x] = src[x] & 0x00FFFFFF;
    }
    return count_ - 1;
}

std::span<uint32_t> ImageList::add_in_place() {
    const std::size_t base = pixels_.size();
    const std::size_t size = static_cast<std::size_t>(width_) * height_;
    pixels_.resize(base + size);
    ++count_;
    deferred_.resize(std::size_t(count_), false);
    return {pixels_.data() + base, size};
}

int ImageList::add_deferred() {
    // Not written until first use: the untouched pages of a large list cost no memory.
    add_in_place();
    deferred_[std::size_t(count_ - 1)] = true;
    return count_ - 1;
}

const uint32_t* ImageList::pixels_of(int index) const {
    const std::size_t size = static_cast<std::size_t>(width_) * height_;
    uint32_t* img = pixels_.data() + static_cast<std::size_t>(index) * size;
    if (deferred_[std::size_t(index)]) {
        deferred_[std::size_t(index)] = false;
        const std::span<uint32_t> pixels{img, size};
        if (!maker_ || !maker_(index, pixels)) std::fill(pixels.begin(), pixels.end(), masked_ ? mask_ : 0);
    }
    return img;
}

void ImageList::draw(Bitmap& target, int x, int y, int index) const {
    if (index < 0 || index >= count_ || target.empty()) return;
    Rect clip = target.clip();
    const int x0 = std::max(x, clip.left), x1 = std::min(x + width_, clip.right);
    const int y0 = std::max(y, clip.top), y1 = std::min(y + height_, clip.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    const uint32_t* img = pixels_of(index);
    for (int ty = y0; ty < y1; ++ty) {
        const uint32_t* src = img + static_cast<std::size_t>(ty - y) * width_ + (x0 - x);
        uint32_t* dst = target.row(ty) + x0;
        if (!masked_) {
            std::copy(src, src + (x1 - x0), dst);
            continue;
        }
        for (int i = 0; i < x1 - x0; ++i)
            if (src[i] != mask_) dst[i] = src[i];
    }
}

void ImageList::draw_stretched(Bitmap& target, const Rect& box, int index) const {
    if (index < 0 || index >= count_) return;
    if (box.width() == width_ && box.height() == height_) {
        draw(target, box.left, box.top, index);
        return;
    }
    target.stretch_draw(box, image(index));
}

Bitmap ImageList::image(int index) const {
    Bitmap out(width_, height_);
    if (index < 0 || index >= count_) return out;
    const uint32_t* img = pixels_of(index);
    for (int y = 0; y < height_; ++y)
        std::copy(img + static_cast<std::size_t>(y) * width_, img + static_cast<std::size_t>(y + 1) * width_,
                  out.row(y));
    if (masked_) out.set_transparent(true, mask_);
    return out;
}

} // namespace dravok
