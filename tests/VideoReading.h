#pragma once
// Reads a video back with FFmpeg's libraries, as players do: every frame as RGB (converted
// with the color matrix and range the file states), the time it starts and the stream's
// facts; and the PSNR of a frame against the picture it was made from.

#include "image/Canvas.h"

#include <cmath>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace wavory::testing {

struct DecodedVideo {
    bool ok = false;
    std::string codec;  // "h264", "av1", ...
    std::string pixels; // "yuv420p"
    int width = 0, height = 0;
    double duration = 0; // seconds, as the container states it
    std::vector<Canvas> frames;
    std::vector<double> starts; // each frame's presentation time, seconds
};

inline DecodedVideo decodeVideo(const std::string& path) {
    DecodedVideo v;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0)
        return v;
    const AVCodec* codec = nullptr;
    const int index = avformat_find_stream_info(format, nullptr) < 0
                          ? -1
                          : av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    AVCodecContext* context = index >= 0 ? avcodec_alloc_context3(codec) : nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    SwsContext* scaler = nullptr;
    bool failed = !context ||
                  avcodec_parameters_to_context(context, format->streams[index]->codecpar) < 0 ||
                  avcodec_open2(context, codec, nullptr) < 0;
    const AVRational base = index >= 0 ? format->streams[index]->time_base : AVRational{1, 1};
    auto drain = [&] {
        while (!failed && avcodec_receive_frame(context, frame) == 0) {
            if (!scaler) {
                scaler = sws_getContext(frame->width, frame->height,
                                        static_cast<AVPixelFormat>(frame->format), frame->width,
                                        frame->height, AV_PIX_FMT_RGB24,
                                        SWS_BILINEAR | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT,
                                        nullptr, nullptr, nullptr);
                const int matrix =
                    frame->colorspace == AVCOL_SPC_BT709 ? SWS_CS_ITU709 : SWS_CS_DEFAULT;
                const int* table = sws_getCoefficients(matrix);
                sws_setColorspaceDetails(scaler, table, frame->color_range == AVCOL_RANGE_JPEG,
                                         table, 1, 0, 1 << 16, 1 << 16);
                v.width = frame->width;
                v.height = frame->height;
                v.pixels = av_get_pix_fmt_name(static_cast<AVPixelFormat>(frame->format));
            }
            Canvas rgb(frame->width, frame->height);
            std::uint8_t* planes[1] = {rgb.data()};
            const int stride[1] = {static_cast<int>(rgb.rowBytes())};
            sws_scale(scaler, frame->data, frame->linesize, 0, frame->height, planes, stride);
            v.frames.push_back(std::move(rgb));
            v.starts.push_back(static_cast<double>(frame->best_effort_timestamp) * av_q2d(base));
        }
    };
    while (!failed && av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == index)
            failed = avcodec_send_packet(context, packet) < 0;
        av_packet_unref(packet);
        drain();
    }
    if (!failed) {
        avcodec_send_packet(context, nullptr);
        drain();
        v.codec = avcodec_get_name(context->codec_id);
        v.duration =
            format->duration > 0 ? static_cast<double>(format->duration) / AV_TIME_BASE : 0;
        v.ok = true;
    }
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&context);
    avformat_close_input(&format);
    return v;
}

// Peak signal to noise ratio in dB over the picture's own pixels (a video may be larger
// by a padding row or column); infinity for equal pictures.
inline double psnr(const Canvas& picture, const Canvas& decoded) {
    double squares = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb a = picture.pixel(x, y), b = decoded.pixel(x, y);
            for (const auto& [p, q] : {std::pair{a.r, b.r}, {a.g, b.g}, {a.b, b.b}})
                squares += (p - q) * (p - q);
        }
    const double mean = squares / (3.0 * picture.width() * picture.height());
    return mean == 0 ? INFINITY : 10 * std::log10(255.0 * 255.0 / mean);
}

} // namespace wavory::testing
