#include "platform/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>
#include <vector>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "core/FileStream.h"

namespace velmora {

namespace {

// libjpeg reports errors by calling error_exit, which must not return; it
// jumps back to Decode. Warnings (corrupt data, a premature end that libjpeg
// would fill with grey) jump back too, and so does the scan limit, from the
// progress monitor that libjpeg calls while it reads the scans.
struct JumpingErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct ScanLimit {
    jpeg_progress_mgr base;
    int maxScans;
};

[[noreturn]] void JumpWith(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    std::longjmp(manager->jump, 1);
}

[[noreturn]] void JumpOnError(j_common_ptr info)
{
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    // Past its memory limit libjpeg asks for a temporary file, which this
    // build refuses with a message that would only puzzle a reader.
    if (manager->base.msg_code == JERR_NO_BACKING_STORE || manager->base.msg_code == JERR_OUT_OF_MEMORY)
        std::snprintf(manager->message, sizeof manager->message, "needs more than %ld MiB of decoder memory",
                      info->mem->max_memory_to_use >> 20);
    else
        manager->base.format_message(info, manager->message);
    JumpWith(info);
}

void JumpOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        JumpOnError(info);
}

void StopAfterTooManyScans(j_common_ptr info)
{
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
    const auto* limit = reinterpret_cast<const ScanLimit*>(info->progress);
    if (decompress->input_scan_number <= limit->maxScans)
        return;
    auto* manager = reinterpret_cast<JumpingErrorManager*>(info->err);
    std::snprintf(manager->message, sizeof manager->message, "more than %d scans", limit->maxScans);
    JumpWith(info);
}

// A single-scan Huffman-coded file spends at least two bits on each block
// (the shortest codes for "no change" and "end of block"), so data shorter
// than that cannot fill the picture it declares. Arithmetic coding has no
// such floor, and a multi-scan file has been read whole already.
bool DataCanFillPicture(jpeg_decompress_struct& info)
{
    if (jpeg_has_multiple_scans(&info) || info.arith_code)
        return true;
    const auto blocks = static_cast<unsigned long long>(info.MCUs_per_row) * info.MCU_rows_in_scan * info.blocks_in_MCU;
    return static_cast<unsigned long long>(info.src->bytes_in_buffer) * 8 >= blocks * 2;
}

void Fail(JumpingErrorManager& errors, const char* text)
{
    std::snprintf(errors.message, sizeof errors.message, "%s", text);
}

// Everything between setjmp and a possible longjmp lives in this function,
// which owns no object with a destructor: a longjmp skips none.
bool DecodeInto(jpeg_decompress_struct& info, JumpingErrorManager& errors, const std::uint8_t* data, std::size_t size,
                const JpegLimits& limits, Bitmap& decoded)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    const std::int64_t pixels = static_cast<std::int64_t>(info.image_width) * info.image_height;
    if (pixels > limits.maxPixels) {
        std::snprintf(errors.message, sizeof errors.message, "picture of %ux%u pixels is too large", info.image_width,
                      info.image_height);
        return false;
    }
    // A progressive (multi-scan) file is read whole here, into libjpeg's
    // coefficient store, which its memory limit bounds.
    jpeg_start_decompress(&info);
    if (info.output_components != 3) {
        Fail(errors, "unsupported colour layout");
        return false;
    }
    if (!DataCanFillPicture(info)) {
        Fail(errors, "the data ends long before the picture does");
        return false;
    }
    const JDIMENSION rowBytes = info.output_width * 3;
    JSAMPARRAY first = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, rowBytes, 1);
    jpeg_read_scanlines(&info, first, 1);
    decoded.SetSize(static_cast<int>(info.output_width), static_cast<int>(info.output_height));
    std::memcpy(decoded.ScanLine(0), first[0], rowBytes);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoded.ScanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

}  // namespace

bool JpegDecoder::Decode(const std::uint8_t* data, std::size_t size, Bitmap& bitmap, std::string* error,
                         const JpegLimits& limits)
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
    // Past this libjpeg would need a temporary file for its coefficients,
    // which this build does not have: it refuses the picture instead.
    info.mem->max_memory_to_use = limits.maxDecoderMemory;
    ScanLimit scanLimit{};
    scanLimit.base.progress_monitor = StopAfterTooManyScans;
    scanLimit.maxScans = limits.maxScans;
    info.progress = &scanLimit.base;
    bool ok = false;
    try {
        ok = DecodeInto(info, errors, data, size, limits, decoded);
    } catch (const std::exception&) {
        Fail(errors, "out of memory");
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

bool JpegDecoder::DecodeFile(const std::string& path, Bitmap& bitmap, std::string* error, const JpegLimits& limits)
{
    std::vector<std::uint8_t> bytes;
    LoadError reason = LoadError::None;
    if (!ReadWholeFile(path, bytes, kMaxFileBytes, &reason)) {
        if (error != nullptr)
            *error = reason == LoadError::TooLarge ? "larger than 64 MiB" : LoadErrorText(reason);
        return false;
    }
    return Decode(bytes.data(), bytes.size(), bitmap, error, limits);
}

}  // namespace velmora
