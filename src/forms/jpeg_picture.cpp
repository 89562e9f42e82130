// JPEG decoding through the IJG libjpeg interface, with an error manager that returns instead of
// ending the process and a source manager over the picture held in memory.
#include "forms/jpeg_picture.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

namespace tovrik {
namespace {

// libjpeg's own error_exit ends the process; this one jumps back to the decoding call.
struct ReturningErrorManager {
  jpeg_error_mgr standard;
  std::jmp_buf escape;
};

[[noreturn]] void leaveDecoding(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ReturningErrorManager*>(info->err)->escape, 1);
}

// A GUI program has nowhere to print the library's warnings.
void discardMessage(j_common_ptr) {}

void startSource(j_decompress_ptr) {}

// The whole picture was handed over at the start: asking for more means it is truncated. Failing here,
// instead of the library's usual fake end marker, leaves a cut picture out rather than half grey.
boolean refillSource(j_decompress_ptr info) {
  ERREXIT(info, JERR_INPUT_EOF);
  return FALSE;
}

void skipSource(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& source = *info->src;
  if (static_cast<unsigned long>(count) > source.bytes_in_buffer) ERREXIT(info, JERR_INPUT_EOF);
  source.next_input_byte += count;
  source.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void endSource(j_decompress_ptr) {}

// Frees the decompressor however decoding ends; made before the jump point, so the jump skips nothing.
struct DecompressorGuard {
  jpeg_decompress_struct* info;
  ~DecompressorGuard() { jpeg_destroy_decompress(info); }
};

bool decodeInto(std::span<const std::uint8_t> data, jpeg_decompress_struct& info, RgbPicture& picture) {
  ReturningErrorManager errors{};
  info.err = jpeg_std_error(&errors.standard);
  errors.standard.error_exit = leaveDecoding;
  errors.standard.output_message = discardMessage;
  jpeg_source_mgr source{};
  source.next_input_byte = data.data();
  source.bytes_in_buffer = data.size();
  source.init_source = startSource;
  source.fill_input_buffer = refillSource;
  source.skip_input_data = skipSource;
  source.resync_to_restart = jpeg_resync_to_restart;
  source.term_source = endSource;
  DecompressorGuard guard{&info};
  if (setjmp(errors.escape)) return false;

  jpeg_create_decompress(&info);
  info.src = &source;
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  // Decoded at full scale, the output has the picture's own size.
  const std::size_t pixels = std::size_t{info.image_width} * info.image_height;
  if (pixels == 0 || pixels > kMaxPicturePixels) return false;
  jpeg_start_decompress(&info);
  picture.width = static_cast<int>(info.output_width);
  picture.height = static_cast<int>(info.output_height);
  picture.pixels.assign(pixels * 3, 0);
  const std::size_t rowBytes = std::size_t{info.output_width} * 3;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = picture.pixels.data() + info.output_scanline * rowBytes;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  return true;
}

}  // namespace

std::optional<RgbPicture> decodeJpeg(std::span<const std::uint8_t> data) {
  if (data.empty()) return std::nullopt;
  jpeg_decompress_struct info{};
  RgbPicture picture;
  if (!decodeInto(data, info, picture)) return std::nullopt;
  return picture;
}

}  // namespace tovrik
