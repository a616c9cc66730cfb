// ImageList: a numbered list of equal-sized sprites cut from the tile sheet (terrain, objects,
// icons), drawn by number onto bitmaps. A masked list leaves out the mask colour (white for the
// game's sprites) when drawing; an unmasked one draws opaque. Filled by the tile-set loader,
// drawn by the renderer. Images may be made on first use: most sprites are never drawn in a
// session, and the main menu needs only a few.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "platform/bitmap.h"

namespace dravok {

class ImageList {
  public:
    ImageList() = default;
    ImageList(int width, int height, bool masked, Colour mask = colours::white);

    // New image size and mask; the list becomes empty.
    void setup(int width, int height, bool masked, Colour mask = colours::white);
    void clear();
    void reserve(int count);

    int width() const { return width_; }
    int height() const { return height_; }
    bool masked() const { return masked_; }
    Colour mask_colour() const { return mask_; }
    int count() const { return count_; }

    // Adds the top-left width x height pixels of the bitmap (black where it is smaller) and
    // returns the new image's number, counted from 0.
    int add(const Bitmap& image);
    // Adds an image whose pixels (height rows of width, 0x00RRGGBB) the caller writes in place;
    // they hold no set value until then. Saves cutting each sprite into a bitmap first.
    std::span<uint32_t> add_in_place();
    // Writes image `index`'s pixels (height rows of width) on its first use; false when it cannot
    // (the image then stays the mask colour, black in an unmasked list).
    using Maker = std::function<bool(int index, std::span<uint32_t> pixels)>;
    // Adds an image that the maker writes when it is first drawn or asked for; returns its number.
    int add_deferred();
    void set_maker(Maker maker) { maker_ = std::move(maker); }
    // Draws image `index` with its top-left corner at (x, y); nothing for a number not in the list.
    void draw(Bitmap& target, int x, int y, int index) const;
    // Draws image `index` stretched (nearest pixel) over `box`, masked as the list is.
    void draw_stretched(Bitmap& target, const Rect& box, int index) const;
    // The image as a bitmap of its own (transparent in the mask colour when the list is masked).
    Bitmap image(int index) const;

  private:
    int width_ = 0;
    int height_ = 0;
    bool masked_ = false;
    Colour mask_ = colours::white;
    int count_ = 0;
    // Grows without zeroing: every image's pixels are written as it is added.
    template <class T> struct uninitialised_allocator : std::allocator<T> {
        template <class U> struct rebind { using other = uninitialised_allocator<U>; };
        using std::allocator<T>::allocator;
        template <class U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
        template <class U, class... A> void construct(U* p, A&&... args) {
            ::new (static_cast<void*>(p)) U(std::forward<A>(args)...);
        }
    };
    // Made on first use, so `pixels_` and `deferred_` change under the const drawing calls.
    mutable std::vector<uint32_t, uninitialised_allocator<uint32_t>> pixels_; // count x height rows of width
    mutable std::vector<bool> deferred_; // by number: not yet written by the maker
    Maker maker_;
    // Image `index`'s pixels, made now when they were deferred.
    const uint32_t* pixels_of(int index) const;
};

} // namespace dravok
