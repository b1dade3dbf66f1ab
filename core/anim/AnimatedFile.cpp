#include "anim/AnimatedFile.h"

#include "anim/FrameFileWriting.h"
#include "anim/FrameStore.h"
#include "common/Numbers.h"
#include "common/PathText.h"
#include "common/UiText.h"
#include "io/AtomicFile.h"
#include "io/EncodedFile.h"
#include "io/PaletteQuantizer.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include <gif_lib.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace wavory {

namespace {

AnimatedWriteResult failed(std::string_view cause) {
    return {frameSaveFailure(cause), false};
}
AnimatedWriteResult stopped() {
    return {{}, true};
}

constexpr std::string_view kMissingFrameCause = UiText::trNoop("フレームがありません。");
constexpr std::string_view kFrameSizeCause = UiText::trNoop("フレームの大きさが揃っていません。");

// Takes the frames in order and checks that they are there and all of one size.
class FrameSource {
  public:
    FrameSource(const std::function<bool(int, Canvas&)>& frame,
                const std::function<bool(int)>& progress)
        : frame_(frame), progress_(progress) {}

    // false with `cause` set on a failure, false with `cause` empty on a stop.
    bool take(int k, Canvas& out, std::string& cause) {
        cause.clear();
        if (progress_ && !progress_(k))
            return false;
        if (!frame_(k, out) || out.empty()) {
            cause = UiText::tr(kMissingFrameCause);
            return false;
        }
        if (width_ == 0) {
            width_ = out.width();
            height_ = out.height();
        } else if (out.width() != width_ || out.height() != height_) {
            cause = UiText::tr(kFrameSizeCause);
            return false;
        }
        return true;
    }

  private:
    const std::function<bool(int, Canvas&)>& frame_;
    const std::function<bool(int)>& progress_;
    int width_ = 0, height_ = 0;
};

AnimatedWriteResult writeBytes(const std::string& path, std::string_view bytes) {
    if (const std::error_code ec = writeFileAtomically(path, bytes))
        return failed(systemErrorText(ec));
    return {};
}

// ---- WebP ---------------------------------------------------------------------------

struct EncoderDeleter {
    void operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }
};
struct PictureGuard {
    WebPPicture picture;
    PictureGuard() { WebPPictureInit(&picture); }
    ~PictureGuard() { WebPPictureFree(&picture); }
};
struct DataGuard {
    WebPData data;
    DataGuard() { WebPDataInit(&data); }
    ~DataGuard() { WebPDataClear(&data); }
};

// Lossless effort 0..9: 2 keeps saving a long animation quick while still compressing
// the smooth patterns well.
constexpr int kWebPLosslessLevel = 2;

std::string webpError(WebPAnimEncoder* encoder) {
    const char* text = encoder ? WebPAnimEncoderGetError(encoder) : nullptr;
    return text && *text ? std::string("WebP: ") + text : std::string("WebP: encoding failed");
}

// Lossless, and the colors under transparent pixels kept as they are.
bool webpConfig(WebPConfig& config) {
    if (!WebPConfigInit(&config) || !WebPConfigLosslessPreset(&config, kWebPLosslessLevel))
        return false;
    config.exact = 1;
    return true;
}

bool importPicture(const Canvas& frame, WebPPicture& picture) {
    picture.use_argb = 1;
    picture.width = frame.width();
    picture.height = frame.height();
    return WebPPictureImportRGB(&picture, frame.data(), static_cast<int>(frame.rowBytes())) != 0;
}

// The bytes of the frame encoded alone as a still lossless WebP; 0 when it cannot be.
std::uint64_t encodedAloneBytes(const Canvas& frame) {
    WebPConfig config;
    PictureGuard picture;
    if (!webpConfig(config) || !importPicture(frame, picture.picture))
        return 0;
    WebPMemoryWriter memory;
    WebPMemoryWriterInit(&memory);
    picture.picture.writer = WebPMemoryWrite;
    picture.picture.custom_ptr = &memory;
    const bool encoded = WebPEncode(&config, &picture.picture) != 0;
    const std::uint64_t bytes = encoded ? memory.size : 0;
    WebPMemoryWriterClear(&memory);
    return bytes;
}

AnimatedWriteResult writeWebP(const AnimatedFileJob& job, FrameSource& source) {
    WebPConfig config;
    if (!webpConfig(config))
        return failed("WebP: configuration");
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> encoder;
    Canvas frame;
    std::string cause;
    int timestamp = 0;
    for (int k = 0; k < job.frames; ++k) {
        if (!source.take(k, frame, cause))
            return cause.empty() ? stopped() : failed(cause);
        if (!encoder) {
            WebPAnimEncoderOptions options;
            if (!WebPAnimEncoderOptionsInit(&options))
                return failed("WebP: configuration");
            options.anim_params.loop_count = 0; // forever
            options.allow_mixed = 0;
            encoder.reset(WebPAnimEncoderNew(frame.width(), frame.height(), &options));
            if (!encoder)
                return failed(webpError(nullptr));
        }
        PictureGuard picture;
        if (!importPicture(frame, picture.picture))
            return failed(webpError(nullptr));
        if (!WebPAnimEncoderAdd(encoder.get(), &picture.picture, timestamp, &config))
            return failed(webpError(encoder.get()));
        timestamp += job.frameMs;
    }
    if (!encoder)
        return failed(UiText::tr(kMissingFrameCause));
    DataGuard data;
    if (!WebPAnimEncoderAdd(encoder.get(), nullptr, timestamp, nullptr) ||
        !WebPAnimEncoderAssemble(encoder.get(), &data.data))
        return failed(webpError(encoder.get()));
    return writeBytes(job.path, {reinterpret_cast<const char*>(data.data.bytes), data.data.size});
}

// ---- GIF ----------------------------------------------------------------------------

// The GIF goes to its file as giflib writes it, never whole in memory.
struct GifOutput {
    AtomicFileWriter* file;
    std::error_code error; // the first write that failed
};

extern "C" int appendGifBytes(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* out = static_cast<GifOutput*>(gif->UserData);
    if (!out->error)
        out->error = out->file->write(
            {reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(count)});
    return out->error ? 0 : count;
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        EGifCloseFile(gif, &error);
    }
};
struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

std::string gifError(int code) {
    const char* text = GifErrorString(code);
    return std::string("GIF: ") + (text ? text : "error " + std::to_string(code));
}

// The palette padded to the power of two the format needs.
std::unique_ptr<ColorMapObject, MapDeleter> gifColorMap(const std::vector<Rgb>& palette) {
    int size = 2;
    while (size < static_cast<int>(palette.size()))
        size *= 2;
    std::vector<GifColorType> colors(static_cast<std::size_t>(size), GifColorType{0, 0, 0});
    for (std::size_t i = 0; i < palette.size(); ++i)
        colors[i] = {palette[i].r, palette[i].g, palette[i].b};
    return std::unique_ptr<ColorMapObject, MapDeleter>(GifMakeMapObject(size, colors.data()));
}

// The application extension that makes viewers repeat the animation forever.
bool putLoopForever(GifFileType* gif) {
    static const char kNetscape[] = "NETSCAPE2.0";
    const std::array<GifByteType, 3> loop{1, 0, 0}; // sub-block 1, count 0 = forever
    return EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
           EGifPutExtensionBlock(gif, 11, kNetscape) == GIF_OK &&
           EGifPutExtensionBlock(gif, 3, loop.data()) == GIF_OK &&
           EGifPutExtensionTrailer(gif) == GIF_OK;
}

bool putFrame(GifFileType* gif, int delayCs, const std::vector<std::uint8_t>& indices, int width,
              int height) {
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = delayCs;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const auto length = EGifGCBToExtension(&control, extension);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) !=
            GIF_OK ||
        EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) != GIF_OK)
        return false;
    for (int y = 0; y < height; ++y) {
        auto* row = const_cast<GifPixelType*>(indices.data()) + static_cast<std::size_t>(y) * width;
        if (EGifPutLine(gif, row, width) != GIF_OK)
            return false;
    }
    return true;
}

AnimatedWriteResult writeGif(const AnimatedFileJob& job, FrameSource& source) {
    // Pass 1: one palette from the colors of every frame.
    codec::SharedPaletteQuantizer quantizer;
    Canvas frame;
    std::string cause;
    for (int k = 0; k < job.frames; ++k) {
        if (!source.take(k, frame, cause))
            return cause.empty() ? stopped() : failed(cause);
        if (std::string error = quantizer.add(frame); !error.empty())
            return failed(error);
    }
    if (job.frames <= 0)
        return failed(UiText::tr(kMissingFrameCause));
    const int width = frame.width();
    const int height = frame.height();
    if (width > 0xFFFF || height > 0xFFFF)
        return failed("GIF: " + std::to_string(width) + " x " + std::to_string(height));
    std::vector<Rgb> palette;
    if (std::string error = quantizer.makePalette(palette); !error.empty())
        return failed(error);
    const auto map = gifColorMap(palette);
    if (!map)
        return failed(UiText::tr(codec::kOutOfMemoryText));

    // Pass 2: every frame mapped onto it, written in full.
    AtomicFileWriter file(job.path);
    if (const std::error_code ec = file.open())
        return failed(systemErrorText(ec));
    GifOutput output{&file, {}};
    // A failed write is the system's to explain; anything else giflib's.
    const auto gifFailure = [&output](int code) {
        return failed(output.error ? systemErrorText(output.error) : gifError(code));
    };
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> gif(EGifOpen(&output, appendGifBytes, &error));
    if (!gif)
        return failed(gifError(error));
    EGifSetGifVersion(gif.get(), true);
    if (EGifPutScreenDesc(gif.get(), width, height, 8, 0, map.get()) != GIF_OK ||
        !putLoopForever(gif.get()))
        return gifFailure(gif->Error);
    // The format counts in hundredths of a second.
    const int delayCs =
        static_cast<int>(std::clamp<std::int64_t>(roundToInt64(job.frameMs / 10.0), 1, 0xFFFF));
    std::vector<std::uint8_t> indices;
    for (int k = 0; k < job.frames; ++k) {
        if (!source.take(k, frame, cause))
            return cause.empty() ? stopped() : failed(cause);
        if (std::string e = quantizer.map(frame, indices); !e.empty())
            return failed(e);
        if (!putFrame(gif.get(), delayCs, indices, width, height))
            return gifFailure(gif->Error);
    }
    GifFileType* raw = gif.release();
    if (EGifCloseFile(raw, &error) != GIF_OK)
        return gifFailure(error);
    if (const std::error_code ec = file.commit())
        return failed(systemErrorText(ec));
    return {};
}

} // namespace

Result checkAnimatedFileSize(AnimatedFormat format, int width, int height) {
    if (format != AnimatedFormat::WebP || (width <= kWebPMaxSide && height <= kWebPMaxSide))
        return {};
    return Result::failure(
        MessageIcon::Critical,
        fillText(UiText::tr("WebP ファイルの幅と高さは %1 ピクセルまでのため、%2 × %3 の"
                            "アニメーションは保存できません。\r\n"
                            "GIF か BMP の連番で保存して下さい。"),
                 {std::to_string(kWebPMaxSide), std::to_string(width), std::to_string(height)}));
}

Result checkAnimatedFileFits(AnimatedFormat format, const Canvas& first, int frames) {
    if (format != AnimatedFormat::WebP || first.empty() || frames <= 0)
        return {};
    const auto count = static_cast<std::uint64_t>(frames);
    const std::uint64_t pixels = static_cast<std::uint64_t>(first.width()) * first.height();
    if (pixels * 4 * count <= kWebPMaxFileBytes)
        return {};
    const std::uint64_t estimate = encodedAloneBytes(first) * count;
    if (estimate <= kWebPMaxFileBytes + kWebPMaxFileBytes / 20)
        return {};
    return Result::failure(
        MessageIcon::Critical,
        fillText(UiText::tr("WebP ファイルは 4 GB までですが、%1 × %2 のフレーム %3 枚は約 %4 "
                            "になるため保存できません。\r\nBMP の連番で保存して下さい。"),
                 {std::to_string(first.width()), std::to_string(first.height()),
                  std::to_string(frames), sizeText(estimate)}));
}

std::optional<AnimatedFormat> animatedFormatFor(std::string_view path) {
    if (endsWithNoCase(path, ".webp"))
        return AnimatedFormat::WebP;
    if (endsWithNoCase(path, ".gif"))
        return AnimatedFormat::Gif;
    return std::nullopt;
}

AnimatedWriteResult writeAnimatedFile(const AnimatedFileJob& job,
                                      const std::function<bool(int, Canvas&)>& frame,
                                      const std::function<bool(int)>& progress) {
    FrameSource source(frame, progress);
    try {
        return job.format == AnimatedFormat::WebP ? writeWebP(job, source) : writeGif(job, source);
    } catch (const std::bad_alloc&) {
        return failed(UiText::tr(codec::kOutOfMemoryText));
    }
}

} // namespace wavory
