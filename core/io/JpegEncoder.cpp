#include "io/JpegEncoder.h"

#include "common/UiText.h"
#include "io/AtomicFile.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it needs its types.
#include <jerror.h>

namespace wavory::codec {

namespace {

// libjpeg's default error_exit ends the process; ours jumps back to the encoder.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    int messageCode;
    int systemError; // errno of a failed write, taken before anything can change it
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jumpOnJpegError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    manager->systemError = errno;
    manager->messageCode = cinfo->err->msg_code;
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings are not the user's business and must not reach stderr.
extern "C" void ignoreJpegMessage(j_common_ptr) {}

enum class RawStatus { Ok, WriteFailed, EncoderFailed };

// Only trivially destructible objects live in this frame: a longjmp out of libjpeg
// lands here and must not skip any destructor.
RawStatus encodeRaw(std::FILE* out, const Canvas& canvas, int quality, bool progressive,
                    JpegErrorManager& errors) {
    jpeg_compress_struct cinfo{};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jumpOnJpegError;
    errors.pub.output_message = ignoreJpegMessage;
    errors.messageCode = 0;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        return errors.messageCode == JERR_FILE_WRITE ? RawStatus::WriteFailed
                                                     : RawStatus::EncoderFailed;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = static_cast<JDIMENSION>(canvas.width());
    cinfo.image_height = static_cast<JDIMENSION>(canvas.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    const int lumaSampling = quality >= kJpegFullChromaQuality ? 1 : 2;
    cinfo.comp_info[0].h_samp_factor = lumaSampling;
    cinfo.comp_info[0].v_samp_factor = lumaSampling;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const std::uint8_t* pixels = canvas.data();
    const std::size_t rowBytes = canvas.rowBytes();
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg takes rows as non-const but only reads them.
        JSAMPROW row = const_cast<JSAMPROW>(pixels + cinfo.next_scanline * rowBytes);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return RawStatus::Ok;
}

} // namespace

EncodeOutcome encodeJpeg(std::FILE* out, const Canvas& canvas, int quality, bool progressive) {
    JpegErrorManager errors{};
    switch (encodeRaw(out, canvas, quality, progressive, errors)) {
    case RawStatus::Ok:
        return {};
    case RawStatus::WriteFailed:
        return {EncodeOutcome::Status::WriteFailed,
                systemErrorText(
                    {errors.systemError ? errors.systemError : EIO, std::generic_category()})};
    case RawStatus::EncoderFailed:
        if (errors.messageCode == JERR_OUT_OF_MEMORY) {
            return {EncodeOutcome::Status::EncoderFailed, UiText::tr(kOutOfMemoryText)};
        }
        return {EncodeOutcome::Status::EncoderFailed, errors.message};
    }
    return {EncodeOutcome::Status::EncoderFailed, errors.message};
}

Result saveJpegFile(const Canvas& canvas, const std::filesystem::path& target, int quality,
                    bool progressive) {
    return writeEncodedFile(
        target, [&](std::FILE* out) { return encodeJpeg(out, canvas, quality, progressive); });
}

} // namespace wavory::codec
