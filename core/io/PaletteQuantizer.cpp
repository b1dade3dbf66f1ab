#include "io/PaletteQuantizer.h"

#include "common/UiText.h"

#include "io/EncodedFile.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_set>

#include <libimagequant.h>

namespace wavory::codec {

namespace {

// libimagequant's speed setting: 1 is the slowest and best, 10 the fastest. 3 stays
// close to the best on smooth gradients at a fraction of its time.
constexpr int kQuantizeSpeed = 3;
constexpr float kFullDithering = 1.0f;

// libimagequant (2.17) keeps two working rows of a picture above 4 Mi pixels after every
// object was destroyed. All its memory comes from these two functions, so whatever is
// still held when a quantization has ended is released here. One quantization runs at a
// time, so what is held then is that one's.
class QuantizerHeap {
  public:
    static void* allocate(std::size_t size) {
        void* p = std::malloc(size);
        if (!p)
            return nullptr;
        try {
            const std::lock_guard lock(mutex_);
            held_.insert(p);
        } catch (...) {
            std::free(p);
            return nullptr;
        }
        return p;
    }
    static void release(void* p) {
        if (!p)
            return;
        {
            const std::lock_guard lock(mutex_);
            held_.erase(p);
        }
        std::free(p);
    }

    // Held for a whole quantization; releases what is left when it ends.
    class Session {
      public:
        Session() : lock_(sessionMutex_) {}
        ~Session() {
            const std::lock_guard lock(mutex_);
            for (void* p : held_)
                std::free(p);
            held_.clear();
        }
        Session(const Session&) = delete;
        Session& operator=(const Session&) = delete;

      private:
        std::lock_guard<std::mutex> lock_;
    };

  private:
    static inline std::mutex sessionMutex_;
    static inline std::mutex mutex_; // guards held_ against the library's worker threads
    static inline std::unordered_set<void*> held_;
};

extern "C" void* quantizerAllocate(std::size_t size) { return QuantizerHeap::allocate(size); }
extern "C" void quantizerRelease(void* p) { QuantizerHeap::release(p); }

struct AttrDeleter {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
};
struct ImageDeleter {
    void operator()(liq_image* p) const { liq_image_destroy(p); }
};
struct HistogramDeleter {
    void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
};
struct ResultDeleter {
    void operator()(liq_result* p) const { liq_result_destroy(p); }
};

// Feeds the canvas row by row as opaque RGBA, so no second full-size copy is made.
// It may be called more than once per row and from worker threads: it only reads.
extern "C" void canvasRowAsRgba(liq_color rowOut[], int row, int width, void* userInfo) {
    const auto* canvas = static_cast<const Canvas*>(userInfo);
    const std::uint8_t* p = canvas->data() + static_cast<std::size_t>(row) * canvas->rowBytes();
    for (int x = 0; x < width; ++x, p += 3)
        rowOut[x] = liq_color{p[0], p[1], p[2], 255};
}

std::string liqErrorText(liq_error error) {
    switch (error) {
    case LIQ_OUT_OF_MEMORY:
        return UiText::tr(kOutOfMemoryText);
    case LIQ_QUALITY_TOO_LOW:
        return "libimagequant: quality too low";
    case LIQ_VALUE_OUT_OF_RANGE:
        return "libimagequant: value out of range";
    case LIQ_ABORTED:
        return "libimagequant: aborted";
    case LIQ_BITMAP_NOT_AVAILABLE:
        return "libimagequant: bitmap not available";
    case LIQ_BUFFER_TOO_SMALL:
        return "libimagequant: buffer too small";
    case LIQ_INVALID_POINTER:
        return "libimagequant: invalid pointer";
    case LIQ_UNSUPPORTED:
        return "libimagequant: unsupported";
    case LIQ_OK:
        break;
    }
    return "libimagequant: error " + std::to_string(static_cast<int>(error));
}

QuantizeResult failure(std::string text) {
    QuantizeResult result;
    result.error = std::move(text);
    return result;
}

} // namespace

void trimUnusedColors(IndexedImage& image) {
    std::array<bool, 256> used{};
    for (std::uint8_t index : image.indices)
        used[index] = true;
    std::array<std::uint8_t, 256> renumbered{};
    std::vector<Rgb> kept;
    for (std::size_t i = 0; i < image.palette.size(); ++i) {
        if (!used[i])
            continue;
        renumbered[i] = static_cast<std::uint8_t>(kept.size());
        kept.push_back(image.palette[i]);
    }
    if (kept.size() == image.palette.size())
        return;
    for (std::uint8_t& index : image.indices)
        index = renumbered[index];
    image.palette = std::move(kept);
}

QuantizeResult quantizeCanvas(const Canvas& canvas, int maxColors) {
    // Declared first, so that it ends after every libimagequant object below.
    const QuantizerHeap::Session session;
    std::unique_ptr<liq_attr, AttrDeleter> attr(
        liq_attr_create_with_allocator(quantizerAllocate, quantizerRelease));
    if (!attr)
        return failure(UiText::tr(kOutOfMemoryText));
    liq_set_max_colors(attr.get(), std::clamp(maxColors, 2, 256));
    liq_set_quality(attr.get(), 0, 100);
    liq_set_speed(attr.get(), kQuantizeSpeed);

    // libimagequant keeps the pointer; the canvas outlives the image object.
    std::unique_ptr<liq_image, ImageDeleter> image(
        liq_image_create_custom(attr.get(), canvasRowAsRgba, const_cast<Canvas*>(&canvas),
                                canvas.width(), canvas.height(), 0.0));
    if (!image)
        return failure("libimagequant: cannot take the picture");

    liq_result* rawResult = nullptr;
    const liq_error quantized = liq_image_quantize(image.get(), attr.get(), &rawResult);
    std::unique_ptr<liq_result, ResultDeleter> result(rawResult);
    if (quantized != LIQ_OK || !result)
        return failure(liqErrorText(quantized));
    liq_set_dithering_level(result.get(), kFullDithering);

    QuantizeResult out;
    IndexedImage& indexed = out.image;
    indexed.width = canvas.width();
    indexed.height = canvas.height();
    indexed.indices.resize(static_cast<std::size_t>(canvas.width()) * canvas.height());
    const liq_error remapped = liq_write_remapped_image(
        result.get(), image.get(), indexed.indices.data(), indexed.indices.size());
    if (remapped != LIQ_OK)
        return failure(liqErrorText(remapped));

    // Read the palette after remapping: remapping may refine it.
    const liq_palette* palette = liq_get_palette(result.get());
    if (!palette || palette->count == 0 || palette->count > 256)
        return failure("libimagequant: no palette");
    for (unsigned i = 0; i < palette->count; ++i) {
        const liq_color& c = palette->entries[i];
        indexed.palette.push_back({c.r, c.g, c.b});
    }
    for (std::uint8_t index : indexed.indices) {
        if (index >= indexed.palette.size())
            return failure("libimagequant: index out of palette");
    }
    trimUnusedColors(indexed);
    out.ok = true;
    return out;
}

// Mapping a picture must not move the palette: remapping refines it only when it
// builds a dither map first, which speeds above 7 switch off. The check in map() makes
// sure the palette every picture was mapped to is the one written.
constexpr int kSharedQuantizeSpeed = 8;

struct SharedPaletteQuantizer::Impl {
    // Declared first, so that it ends after every libimagequant object below.
    QuantizerHeap::Session session;
    std::unique_ptr<liq_attr, AttrDeleter> attr{
        liq_attr_create_with_allocator(quantizerAllocate, quantizerRelease)};
    std::unique_ptr<liq_histogram, HistogramDeleter> histogram;
    std::unique_ptr<liq_result, ResultDeleter> result;
    std::vector<Rgb> palette;
};

SharedPaletteQuantizer::SharedPaletteQuantizer() : impl_(std::make_unique<Impl>()) {
    if (impl_->attr) {
        liq_set_max_colors(impl_->attr.get(), 256);
        liq_set_quality(impl_->attr.get(), 0, 100);
        liq_set_speed(impl_->attr.get(), kSharedQuantizeSpeed);
        impl_->histogram.reset(liq_histogram_create(impl_->attr.get()));
    }
}

SharedPaletteQuantizer::~SharedPaletteQuantizer() = default;

namespace {

std::unique_ptr<liq_image, ImageDeleter> imageOf(liq_attr* attr, const Canvas& picture) {
    return std::unique_ptr<liq_image, ImageDeleter>(
        liq_image_create_custom(attr, canvasRowAsRgba, const_cast<Canvas*>(&picture),
                                picture.width(), picture.height(), 0.0));
}

std::vector<Rgb> paletteOf(liq_result* result) {
    std::vector<Rgb> out;
    const liq_palette* palette = liq_get_palette(result);
    if (!palette || palette->count > 256)
        return out;
    for (unsigned i = 0; i < palette->count; ++i)
        out.push_back({palette->entries[i].r, palette->entries[i].g, palette->entries[i].b});
    return out;
}

} // namespace

std::string SharedPaletteQuantizer::add(const Canvas& picture) {
    if (!impl_->attr || !impl_->histogram)
        return UiText::tr(kOutOfMemoryText);
    auto image = imageOf(impl_->attr.get(), picture);
    if (!image)
        return "libimagequant: cannot take the picture";
    const liq_error added =
        liq_histogram_add_image(impl_->histogram.get(), impl_->attr.get(), image.get());
    return added == LIQ_OK ? std::string() : liqErrorText(added);
}

std::string SharedPaletteQuantizer::makePalette(std::vector<Rgb>& palette) {
    if (!impl_->attr || !impl_->histogram)
        return UiText::tr(kOutOfMemoryText);
    liq_result* raw = nullptr;
    const liq_error quantized =
        liq_histogram_quantize(impl_->histogram.get(), impl_->attr.get(), &raw);
    impl_->result.reset(raw);
    if (quantized != LIQ_OK || !impl_->result)
        return liqErrorText(quantized);
    impl_->histogram.reset();
    liq_set_dithering_level(impl_->result.get(), kFullDithering);
    impl_->palette = paletteOf(impl_->result.get());
    if (impl_->palette.empty())
        return "libimagequant: no palette";
    palette = impl_->palette;
    return {};
}

std::string SharedPaletteQuantizer::map(const Canvas& picture, std::vector<std::uint8_t>& indices) {
    if (!impl_->result)
        return "libimagequant: no palette";
    auto image = imageOf(impl_->attr.get(), picture);
    if (!image)
        return "libimagequant: cannot take the picture";
    indices.resize(static_cast<std::size_t>(picture.width()) * picture.height());
    const liq_error remapped =
        liq_write_remapped_image(impl_->result.get(), image.get(), indices.data(), indices.size());
    if (remapped != LIQ_OK)
        return liqErrorText(remapped);
    if (paletteOf(impl_->result.get()) != impl_->palette)
        return "libimagequant: the palette changed while mapping";
    for (std::uint8_t index : indices) {
        if (index >= impl_->palette.size())
            return "libimagequant: index out of palette";
    }
    return {};
}

} // namespace wavory::codec
