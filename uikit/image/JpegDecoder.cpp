#include "uikit/image/JpegDecoder.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>
#include <new>

#include "uikit/image/ImageLimits.h"

namespace uikit {

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// The library must not end the process on an error; it jumps back into the step that called
// it instead. Those steps hold nothing that needs a destructor, so the jump skips none.
[[noreturn]] void JumpBack(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}

// Warnings are about damaged data the library would paper over; a damaged skin file is refused.
void WarningIsError(j_common_ptr info, int level) {
    if (level < 0) {
        JumpBack(info);
    }
}

void Silent(j_common_ptr) {}

struct JpegSession {
    jpeg_decompress_struct info{};
    JpegError error{};

    JpegSession() {
        info.err = jpeg_std_error(&error.manager);
        error.manager.error_exit = JumpBack;
        error.manager.emit_message = WarningIsError;
        error.manager.output_message = Silent;
        jpeg_create_decompress(&info);
    }
    ~JpegSession() { jpeg_destroy_decompress(&info); }
    JpegSession(const JpegSession&) = delete;
    JpegSession& operator=(const JpegSession&) = delete;
};

bool ReadHeader(JpegSession& session, std::span<const uint8_t> bytes) {
    if (setjmp(session.error.jump) != 0) {
        return false;
    }
    jpeg_mem_src(&session.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&session.info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    session.info.out_color_space = JCS_EXT_RGBA;
    return true;
}

bool ReadRows(JpegSession& session, uint8_t* rgba, size_t stride) {
    if (setjmp(session.error.jump) != 0) {
        return false;
    }
    jpeg_start_decompress(&session.info);
    while (session.info.output_scanline < session.info.output_height) {
        JSAMPROW row = rgba + static_cast<size_t>(session.info.output_scanline) * stride;
        if (jpeg_read_scanlines(&session.info, &row, 1) != 1) {
            return false;
        }
    }
    jpeg_finish_decompress(&session.info);
    return true;
}

}  // namespace

bool LooksLikeJpeg(std::span<const uint8_t> bytes) {
    return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

std::optional<RgbaPixels> DecodeJpeg(std::span<const uint8_t> bytes) {
    if (!LooksLikeJpeg(bytes) || bytes.size() > 0xFFFFFFFFu) {
        return std::nullopt;
    }
    JpegSession session;
    if (!ReadHeader(session, bytes) ||
        !FitsImageLimits(session.info.image_width, session.info.image_height)) {
        return std::nullopt;
    }
    RgbaPixels pixels;
    pixels.width = static_cast<int>(session.info.image_width);
    pixels.height = static_cast<int>(session.info.image_height);
    const size_t stride = static_cast<size_t>(pixels.width) * 4;
    try {
        pixels.rgba.resize(stride * static_cast<size_t>(pixels.height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!ReadRows(session, pixels.rgba.data(), stride)) {
        return std::nullopt;
    }
    return pixels;
}

}  // namespace uikit
