#include "platform/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

extern "C" {
#include <jpeglib.h>
}

namespace velmora {

namespace {

// libjpeg reports errors by calling error_exit, which must not return; it
// jumps back to Decode. Warnings (corrupt data, a premature end that libjpeg
// would fill with grey) jump back too.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    manager->base.format_message(info, manager->message);
    std::longjmp(manager->jump, 1);
}

void JumpOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        JumpOnError(info);
}

// Everything between setjmp and a possible longjmp lives in this function,
// which owns no object with a destructor: a longjmp skips none.
bool DecodeInto(jpeg_decompress_struct& info, JumpingErrorManager& errors, const std::uint8_t* data,
                std::size_t size, Bitmap& decoded)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    const std::int64_t pixels = static_cast<std::int64_t>(info.image_width) * info.image_height;
    if (pixels > JpegDecoder::kMaxPixels) {
        std::snprintf(errors.message, sizeof errors.message, "picture of %ux%u pixels is too large",
                      info.image_width, info.image_height);
        return false;
    }
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        std::snprintf(errors.message, sizeof errors.message, "unsupported colour layout");
        return false;
    }
    decoded.SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.ScanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool JpegDecoder::Decode(const std::uint8_t* data, std::size_t size, Bitmap& bitmap, std::string* error)
{
    if (data == nullptr || size == 0) {
        if (error != nullptr)
            *error = "empty file";
        return false;
    }
    Bitmap decoded(0, 0, PixelFormat::Bits24);
    jpeg_decompress_struct info{};
    JumpingErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = JumpOnError;
    errors.base.emit_message = JumpOnWarning;
    jpeg_create_decompress(&info);
    bool ok = false;
    try {
        ok = DecodeInto(info, errors, data, size, decoded);
    } catch (const std::exception&) {
        std::snprintf(errors.message, sizeof errors.message, "out of memory");
    }
    jpeg_destroy_decompress(&info);
    if (!ok) {
        if (error != nullptr)
            *error = errors.message[0] != '\0' ? errors.message : "cannot decode";
        return false;
    }
    bitmap = std::move(decoded);
    return true;
}

}  // namespace velmora
