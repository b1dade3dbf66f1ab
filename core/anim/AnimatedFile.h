#pragma once
// One animated file of all frames: lossless WebP or GIF (one palette for every frame,
// made with libimagequant), looping forever, each frame shown for the same time.

#include "common/Result.h"
#include "image/Canvas.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace wavory {

enum class AnimatedFormat { WebP, Gif };

// ".webp" or ".gif" at the end of the path, in any case; nothing otherwise.
std::optional<AnimatedFormat> animatedFormatFor(std::string_view path);

struct AnimatedFileJob {
    AnimatedFormat format = AnimatedFormat::WebP;
    std::string path;  // written through AtomicFileWriter: nothing appears before the end
    int frames = 0;    // frames 0 .. frames - 1
    int frameMs = 100; // each frame's display time
};

struct AnimatedWriteResult {
    Result result;        // failure: the message to show (critical)
    bool stopped = false; // progress returned false: nothing was written
};

// The largest animated WebP file: its RIFF container counts its size in 32 bits.
inline constexpr std::uint64_t kWebPMaxFileBytes = 0xFFFFFFFFu;

// The largest side of a WebP picture: its header holds each side in 14 bits.
inline constexpr int kWebPMaxSide = 16383;

// Before anything is drawn: refuses a frame size the format cannot hold, a WebP side
// beyond kWebPMaxSide, with a message naming the limit. GIF holds 65535 a side.
Result checkAnimatedFileSize(AnimatedFormat format, int width, int height);

// Before the frames of a normal-mode animation go into an animated file: refuses, with a
// message naming the BMP series, a WebP file that cannot stay within kWebPMaxFileBytes.
// Every frame is then a drawing of its own, of one kind; the estimate is the first
// frame encoded alone as the file encodes it (the animation encoder codes such frames
// about as a key frame) times the frames, and only an estimate more than 5 % beyond the
// limit is refused (the frames measured differ by well under 1 %). Frames that fit even
// at 4 bytes a pixel are not encoded. GIF has no size limit: always ok. In AND, OR and
// XOR the frames grow or shrink as they combine, so the first says nothing; not called.
Result checkAnimatedFileFits(AnimatedFormat format, const Canvas& first, int frames);

// frame(k, canvas) fills frame k (false: the frame is missing -> failure);
// progress(k) is called before frame k is taken and may yield to the user interface;
// false stops. All frames must have the size of the first. A failure's message is
// frameSaveFailure(cause).
AnimatedWriteResult writeAnimatedFile(const AnimatedFileJob& job,
                                      const std::function<bool(int, Canvas&)>& frame,
                                      const std::function<bool(int)>& progress);

} // namespace wavory
