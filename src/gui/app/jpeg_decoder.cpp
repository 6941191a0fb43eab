#include "gui/app/jpeg_decoder.h"

#include <jpeglib.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace corvantel::gui {

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the
// decoder. Everything the jump could leak lives in this struct, not on the C++ stack.
struct DecodeState {
  jpeg_error_mgr errors;  // first: libjpeg hands back a pointer to it, which is taken as the whole state
  jpeg_decompress_struct info;
  std::jmp_buf back;
  unsigned char* pixels;
};

void onFatalError(j_common_ptr info) {
  auto* state = reinterpret_cast<DecodeState*>(info->err);
  std::longjmp(state->back, 1);
}

void onMessage(j_common_ptr, int) {}  // warnings about damaged data are not printed

// Decodes into state->pixels (RGB, 3 bytes a pixel); false on any failure. Holds no object with a
// destructor, so the jump out of libjpeg skips nothing.
bool decodeRgb(const unsigned char* data, unsigned long size, DecodeState* state, int* width, int* height) {
  jpeg_decompress_struct& info = state->info;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&state->errors);
  state->errors.error_exit = onFatalError;
  state->errors.emit_message = onMessage;
  state->pixels = nullptr;
  if (setjmp(state->back) != 0) {
    jpeg_destroy_decompress(&info);
    std::free(state->pixels);
    state->pixels = nullptr;
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, size);
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  info.out_color_space = JCS_RGB;
  if (info.image_width == 0 || info.image_height == 0 || info.image_width > kMaxJpegSide ||
      info.image_height > kMaxJpegSide) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_start_decompress(&info);
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  const std::size_t stride = static_cast<std::size_t>(info.output_width) * 3;
  state->pixels = static_cast<unsigned char*>(std::calloc(info.output_height, stride));
  if (!state->pixels) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = state->pixels + stride * info.output_scanline;
    if (jpeg_read_scanlines(&info, &row, 1) != 1) break;  // data ended early: the rest stays as read
  }
  *width = static_cast<int>(info.output_width);
  *height = static_cast<int>(info.output_height);
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage decodeJpeg(const QByteArray& bytes) {
  if (bytes.isEmpty()) return {};
  DecodeState state;
  int width = 0, height = 0;
  if (!decodeRgb(reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()),
                 &state, &width, &height)) {
    return {};
  }
  QImage image(width, height, QImage::Format_RGB888);
  if (!image.isNull()) {
    for (int y = 0; y < height; ++y) {
      std::memcpy(image.scanLine(y), state.pixels + static_cast<std::size_t>(y) * width * 3,
                  static_cast<std::size_t>(width) * 3);
    }
  }
  std::free(state.pixels);
  return image;
}

}  // namespace corvantel::gui
