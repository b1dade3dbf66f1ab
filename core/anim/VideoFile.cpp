#include "anim/VideoFile.h"

#include "anim/FrameFileWriting.h"
#include "common/PathText.h"
#include "common/UiText.h"
#include "io/AtomicFile.h"
#include "io/EncodedFile.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <stdlib.h>
#include <utility>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace wavory {

namespace {

constexpr std::string_view kFrameSizeCause = UiText::trNoop("フレームの大きさが揃っていません。");
constexpr std::string_view kMissingFrameCause = UiText::trNoop("フレームがありません。");

std::string libraryError(std::string_view what, int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return std::string(what) + ": " + text;
}

// How each format is encoded, with the encoder's options for speed and its quality scale
// (CRF, lower is finer). WebM is AV1: on the animation benchmark SVT-AV1 made files about
// 30 % smaller than VP9 at the same PSNR in a third of the time. SVT-AV1 takes no side
// below 64 pixels; libaom encodes those small videos.
struct CodecChoice {
    const char* muxer;
    const char* encoder;
    std::vector<std::pair<const char*, const char*>> options;
    int bestCrf;    // at quality 100
    int defaultCrf; // at kDefaultVideoQuality: the codec adds no visible loss
    int worstCrf;   // at quality 1
};
CodecChoice codecFor(VideoFormat format, int width, int height) {
    if (format == VideoFormat::Mp4)
        // ultrafast: on the animation benchmark about as quick as writing the BMP series;
        // superfast made the file a quarter smaller in two to three times the time.
        return {"mp4", "libx264", {{"preset", "ultrafast"}}, 1, 14, 51};
    if (width >= 64 && height >= 64)
        return {"webm", "libsvtav1", {{"preset", "12"}}, 1, 4, 63};
    return {"webm", "libaom-av1", {{"cpu-used", "8"}, {"row-mt", "1"}}, 1, 4, 63};
}

// Linear in two parts, meeting at the default: above it finer, below it smaller files.
int crfFor(const CodecChoice& codec, int quality) {
    const int q = std::clamp(quality, kMinVideoQuality, kMaxVideoQuality);
    const auto between = [](int from, int to, int step, int steps) {
        return from + ((to - from) * step + (to > from ? steps / 2 : -(steps / 2))) / steps;
    };
    if (q >= kDefaultVideoQuality)
        return between(codec.defaultCrf, codec.bestCrf, q - kDefaultVideoQuality,
                       kMaxVideoQuality - kDefaultVideoQuality);
    return between(codec.worstCrf, codec.defaultCrf, q - kMinVideoQuality,
                   kDefaultVideoQuality - kMinVideoQuality);
}

// Bytes of the MP4 index (moov) kept free before the frames, so that players can start
// before the whole file has arrived; generous, the rest stays a free box.
int moovRoom(int frames) {
    return 8192 + 64 * std::max(frames, 1);
}

} // namespace

std::optional<VideoFormat> videoFormatFor(std::string_view path) {
    if (endsWithNoCase(path, ".mp4"))
        return VideoFormat::Mp4;
    if (endsWithNoCase(path, ".webm"))
        return VideoFormat::WebM;
    return std::nullopt;
}

// The libraries' objects of one video, and the file they write into.
class VideoWriter::Encoder {
  public:
    explicit Encoder(const VideoJob& job) : job_(job), file_(job.path) {}

    ~Encoder() {
        sws_freeContext(scaler_);
        av_frame_free(&picture_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        if (format_) {
            if (io_) {
                av_freep(&io_->buffer);
                avio_context_free(&io_);
            }
            avformat_free_context(format_);
        }
        // file_ drops its temporary file unless committed.
    }

    // Opens everything for frames of width x height; an empty text on success.
    std::string open(int width, int height) {
        width_ = width;
        height_ = height;
        if (const std::error_code ec = file_.open())
            return systemErrorText(ec);
        static const bool quiet = [] {
            // Failures come back as codes, told in the message; SVT-AV1 prints on its own
            // unless told not to (a level the user set stays).
            av_log_set_level(AV_LOG_QUIET);
            return ::setenv("SVT_LOG", "0", 0) == 0;
        }();
        (void)quiet;
        const CodecChoice choice = codecFor(job_.format, videoSide(width), videoSide(height));
        if (avformat_alloc_output_context2(&format_, nullptr, choice.muxer, nullptr) < 0 ||
            !format_)
            return std::string("FFmpeg: ") + choice.muxer;
        const AVCodec* codec = avcodec_find_encoder_by_name(choice.encoder);
        if (!codec)
            return std::string("FFmpeg: ") + choice.encoder;
        codec_ = avcodec_alloc_context3(codec);
        picture_ = av_frame_alloc();
        packet_ = av_packet_alloc();
        if (!codec_ || !picture_ || !packet_)
            throw std::bad_alloc();

        AVRational frameTime{};
        av_reduce(&frameTime.num, &frameTime.den, job_.frameTime.num, job_.frameTime.den, 1 << 30);
        codec_->width = videoSide(width);
        codec_->height = videoSide(height);
        codec_->pix_fmt = AV_PIX_FMT_YUV420P;
        codec_->time_base = frameTime;
        codec_->framerate = av_inv_q(frameTime);
        codec_->sample_aspect_ratio = {1, 1};
        codec_->color_range = AVCOL_RANGE_MPEG;
        codec_->colorspace = AVCOL_SPC_BT709;
        codec_->color_primaries = AVCOL_PRI_BT709;
        codec_->color_trc = AVCOL_TRC_BT709;
        codec_->thread_count = 0; // one per core
        if (format_->oformat->flags & AVFMT_GLOBALHEADER)
            codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        codec_->bit_rate = 0; // quality alone decides
        const std::string crf = std::to_string(crfFor(choice, job_.quality));
        av_opt_set(codec_->priv_data, "crf", crf.c_str(), 0);
        for (const auto& [name, value] : choice.options)
            av_opt_set(codec_->priv_data, name, value, 0);
        if (int r = avcodec_open2(codec_, codec, nullptr); r < 0)
            // Mostly a size beyond the encoder's (H.264 16384 x 16384, AV1 a height
            // above 8704).
            return fillText(UiText::tr("%1 × %2 の動画は作れません（%3）。"),
                            {std::to_string(codec_->width), std::to_string(codec_->height),
                             libraryError(choice.encoder, r)});

        stream_ = avformat_new_stream(format_, nullptr);
        if (!stream_)
            throw std::bad_alloc();
        stream_->time_base = frameTime;
        stream_->avg_frame_rate = codec_->framerate;
        if (int r = avcodec_parameters_from_context(stream_->codecpar, codec_); r < 0)
            return libraryError("FFmpeg", r);

        constexpr int kBufferBytes = 1 << 20;
        auto* buffer = static_cast<unsigned char*>(av_malloc(kBufferBytes));
        if (!buffer)
            throw std::bad_alloc();
        io_ = avio_alloc_context(buffer, kBufferBytes, 1, this, nullptr, &Encoder::writePacket,
                                 &Encoder::seek);
        if (!io_) {
            av_free(buffer);
            throw std::bad_alloc();
        }
        format_->pb = io_;
        format_->flags |= AVFMT_FLAG_CUSTOM_IO;
        AVDictionary* options = nullptr;
        if (job_.format == VideoFormat::Mp4)
            av_dict_set_int(&options, "moov_size", moovRoom(job_.frames), 0);
        const int r = avformat_write_header(format_, &options);
        av_dict_free(&options);
        if (r < 0)
            return outputError(r);

        picture_->format = codec_->pix_fmt;
        picture_->width = codec_->width;
        picture_->height = codec_->height;
        picture_->color_range = codec_->color_range;
        picture_->colorspace = codec_->colorspace;
        if (av_frame_get_buffer(picture_, 0) < 0)
            throw std::bad_alloc();
        scaler_ = sws_getContext(codec_->width, codec_->height, AV_PIX_FMT_RGB24, codec_->width,
                                 codec_->height, AV_PIX_FMT_YUV420P,
                                 SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
        if (!scaler_)
            throw std::bad_alloc();
        const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(scaler_, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);
        return {};
    }

    bool sameSize(const Canvas& frame) const {
        return frame.width() == width_ && frame.height() == height_;
    }

    std::string encode(const Canvas& frame) {
        if (av_frame_make_writable(picture_) < 0)
            throw std::bad_alloc();
        const std::uint8_t* rgb = frame.data();
        int stride = static_cast<int>(frame.rowBytes());
        if (codec_->width != width_ || codec_->height != height_) {
            padded_.resizeForOverwrite(codec_->width, codec_->height);
            padWithEdge(frame, padded_);
            rgb = padded_.data();
            stride = static_cast<int>(padded_.rowBytes());
        }
        convert(rgb, stride);
        picture_->pts = next_++;
        return send(picture_);
    }

    // The frames the encoder still holds, the index, and the file renamed into place.
    std::string finish() {
        if (std::string e = send(nullptr); !e.empty())
            return e;
        if (int r = av_write_trailer(format_); r < 0)
            return outputError(r);
        avio_flush(io_);
        if (error_)
            return systemErrorText(error_);
        if (const std::error_code ec = file_.commit())
            return systemErrorText(ec);
        return {};
    }

  private:
    // swscale reads a little beyond the end of a row, which past the last row of a
    // picture can be beyond its memory (a picture of whole pages ends where its mapping
    // does): the last rows are converted from a copy with room after it.
    static constexpr std::size_t kOverRead = 256;

    void convert(const std::uint8_t* rgb, int stride) {
        const int height = codec_->height;
        const auto rowBytes = static_cast<std::size_t>(stride);
        int tailRows = static_cast<int>((kOverRead + rowBytes - 1) / rowBytes);
        tailRows = std::min(height, std::max(2, tailRows + (tailRows & 1))); // whole row pairs
        const int bodyRows = height - tailRows;
        tail_.resize(static_cast<std::size_t>(tailRows) * rowBytes + kOverRead);
        std::memcpy(tail_.data(), rgb + static_cast<std::size_t>(bodyRows) * rowBytes,
                    static_cast<std::size_t>(tailRows) * rowBytes);
        const std::uint8_t* body[1] = {rgb};
        const std::uint8_t* tail[1] = {tail_.data()};
        if (bodyRows > 0)
            sws_scale(scaler_, body, &stride, 0, bodyRows, picture_->data, picture_->linesize);
        sws_scale(scaler_, tail, &stride, bodyRows, tailRows, picture_->data, picture_->linesize);
    }

    // The picture with its last column and row repeated into the larger canvas.
    static void padWithEdge(const Canvas& from, Canvas& to) {
        const std::size_t fromRow = from.rowBytes();
        for (int y = 0; y < to.height(); ++y) {
            const std::uint8_t* src = from.data() + std::min(y, from.height() - 1) * fromRow;
            std::uint8_t* dst = to.data() + static_cast<std::size_t>(y) * to.rowBytes();
            std::memcpy(dst, src, fromRow);
            for (std::size_t x = fromRow; x < to.rowBytes(); x += 3)
                std::memcpy(dst + x, src + fromRow - 3, 3);
        }
    }

    // Sends a picture (nothing: the end) and writes every packet the encoder gives back.
    std::string send(const AVFrame* picture) {
        if (int r = avcodec_send_frame(codec_, picture); r < 0)
            return libraryError(codec_->codec->name, r);
        for (;;) {
            const int r = avcodec_receive_packet(codec_, packet_);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
                return {};
            if (r < 0)
                return libraryError(codec_->codec->name, r);
            packet_->duration = 1; // every frame as long, the last one too
            av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
            packet_->stream_index = stream_->index;
            if (int w = av_interleaved_write_frame(format_, packet_); w < 0)
                return outputError(w);
        }
    }

    // A failed write is the system's to explain; anything else the muxer's.
    std::string outputError(int code) const {
        return error_ ? systemErrorText(error_) : libraryError(format_->oformat->name, code);
    }

    static int writePacket(void* opaque, std::uint8_t* bytes, int count) {
        auto* self = static_cast<Encoder*>(opaque);
        if (!self->error_)
            self->error_ =
                self->file_.writeAt(self->position_, {reinterpret_cast<const char*>(bytes),
                                                      static_cast<std::size_t>(count)});
        if (self->error_)
            return AVERROR(EIO);
        self->position_ += static_cast<std::uint64_t>(count);
        self->size_ = std::max(self->size_, self->position_);
        return count;
    }

    static std::int64_t seek(void* opaque, std::int64_t offset, int whence) {
        auto* self = static_cast<Encoder*>(opaque);
        const auto size = static_cast<std::int64_t>(self->size_);
        switch (whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE:
            return size;
        case SEEK_SET:
            break;
        case SEEK_CUR:
            offset += static_cast<std::int64_t>(self->position_);
            break;
        case SEEK_END:
            offset += size;
            break;
        default:
            return AVERROR(EINVAL);
        }
        if (offset < 0)
            return AVERROR(EINVAL);
        self->position_ = static_cast<std::uint64_t>(offset);
        return offset;
    }

    VideoJob job_;
    AtomicFileWriter file_;
    std::error_code error_; // the first write that failed
    std::uint64_t position_ = 0, size_ = 0;
    int width_ = 0, height_ = 0;
    std::int64_t next_ = 0; // the next frame's number
    AVFormatContext* format_ = nullptr;
    AVIOContext* io_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVStream* stream_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    Canvas padded_;
    std::vector<std::uint8_t> tail_;
};

VideoWriter::VideoWriter(VideoJob job) : job_(std::move(job)) {}

VideoWriter::~VideoWriter() = default;

Result VideoWriter::add(const Canvas& frame) {
    if (closed_)
        return frameSaveFailure(UiText::tr(kMissingFrameCause));
    std::string cause;
    try {
        if (frame.empty()) {
            cause = UiText::tr(kMissingFrameCause);
        } else {
            if (!encoder_) {
                encoder_ = std::make_unique<Encoder>(job_);
                cause = encoder_->open(frame.width(), frame.height());
            } else if (!encoder_->sameSize(frame)) {
                cause = UiText::tr(kFrameSizeCause);
            }
            if (cause.empty())
                cause = encoder_->encode(frame);
        }
    } catch (const std::bad_alloc&) {
        cause = UiText::tr(codec::kOutOfMemoryText);
    }
    if (cause.empty())
        return {};
    closed_ = true;
    encoder_.reset();
    return frameSaveFailure(cause);
}

Result VideoWriter::finish() {
    if (closed_ || !encoder_)
        return frameSaveFailure(UiText::tr(kMissingFrameCause));
    std::string cause;
    try {
        cause = encoder_->finish();
    } catch (const std::bad_alloc&) {
        cause = UiText::tr(codec::kOutOfMemoryText);
    }
    closed_ = true;
    encoder_.reset();
    return cause.empty() ? Result{} : frameSaveFailure(cause);
}

} // namespace wavory
