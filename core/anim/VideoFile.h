#pragma once
// A video of the animation's frames: MP4 (H.264) or WebM, yuv420p, every frame shown for
// the same time. Frames are encoded as they come: nothing is kept beyond the encoder's
// own look-ahead, so a long series of large frames needs little memory. The file is
// written through AtomicFileWriter: a video that is stopped or fails leaves nothing
// under its name.

#include "common/Result.h"
#include "image/Canvas.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

enum class VideoFormat { Mp4, WebM };

// ".mp4" or ".webm" at the end of the path, in any case; nothing otherwise.
std::optional<VideoFormat> videoFormatFor(std::string_view path);

// One scale for the animation window and `wavory-render --quality`: 1 smallest file ..
// 100 best picture. The default keeps these smooth pictures visually lossless (above
// 40 dB PSNR on every frame).
inline constexpr int kMinVideoQuality = 1;
inline constexpr int kMaxVideoQuality = 100;
inline constexpr int kDefaultVideoQuality = 80;

// yuv420p keeps color at half resolution, so a video's sides are even: an odd side
// grows by one pixel, a copy of the last column or row. Nothing of the picture is lost.
inline constexpr int videoSide(int side) {
    return side + (side & 1);
}

// Each frame's display time in seconds as a fraction: {100, 1000} is 100 ms, {1000, 29970}
// 29.97 frames a second.
struct FrameTime {
    int num = 100;
    int den = 1000;
};

// The display time in whole milliseconds, at least 1 (animated WebP and GIF count in them).
inline int frameMs(FrameTime time) {
    const long long ms = (1000LL * time.num + time.den / 2) / time.den;
    return ms < 1 ? 1 : static_cast<int>(ms);
}

struct VideoJob {
    VideoFormat format = VideoFormat::Mp4;
    std::string path; // written through AtomicFileWriter
    int frames = 0;   // how many will come: room for the MP4 index before the frames
    FrameTime frameTime;
    int quality = kDefaultVideoQuality;
};

class VideoWriter {
  public:
    explicit VideoWriter(VideoJob job);
    ~VideoWriter(); // without a finish() that succeeded, nothing is left under the name
    VideoWriter(const VideoWriter&) = delete;
    VideoWriter& operator=(const VideoWriter&) = delete;

    // Encodes the next frame; the first fixes the size of all. A failure's message is
    // frameSaveFailure(cause); after one the writer takes nothing more.
    Result add(const Canvas& frame);
    // Encodes what the encoder still holds, closes the file and renames it into place.
    Result finish();

  private:
    class Encoder;
    VideoJob job_;
    std::unique_ptr<Encoder> encoder_;
    bool closed_ = false; // failed or finished: nothing more is taken
};

} // namespace wavory
