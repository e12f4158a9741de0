#include <csetjmp>
#include <cstdio>

// jpeglib.h needs stdio's types, and jerror.h needs jpeglib.h.
#include <jpeglib.h>
// (kept in this order)
#include <jerror.h>

#include "QGUI/ImageDecode.h"

// libjpeg's error_exit must not return; it longjmps back here, so the functions
// between setjmp and the library hold nothing with a destructor.
namespace {

// Progressive files can ask for endless scans; real images use a handful.
constexpr int kMaxScans = 1000;

struct ErrorManager {
  jpeg_error_mgr manager;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  (*info->err->format_message)(info, errors->message);
  std::longjmp(errors->jump, 1);
}

// A file that ends early is refused like a damaged one; other warnings are ignored.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) OnError(info);
}

void OnProgress(j_common_ptr info) {
  auto* errors = reinterpret_cast<ErrorManager*>(info->err);
  if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number <= kMaxScans) return;
  std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
  std::longjmp(errors->jump, 1);
}

bool ReadHeader(jpeg_decompress_struct& info, ErrorManager& errors) {
  if (setjmp(errors.jump)) return false;
  jpeg_read_header(&info, TRUE);
  if (info.image_width > kMaxImageSide || info.image_height > kMaxImageSide ||
      int64_t(info.image_width) * info.image_height > kMaxImagePixels) {
    std::snprintf(errors.message, sizeof errors.message, "image of %ux%u pixels is too large", info.image_width,
                  info.image_height);
    return false;
  }
  info.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&info);
  return info.output_components == 3;
}

// Rows arrive top first and are stored bottom row first.
bool ReadRows(jpeg_decompress_struct& info, ErrorManager& errors, uint8_t* pixels) {
  if (setjmp(errors.jump)) return false;
  size_t stride = size_t(info.output_width) * 3;
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels + size_t(info.output_height - 1 - info.output_scanline) * stride;
    jpeg_read_scanlines(&info, &row, 1);
  }
  return true;
}

}  // namespace

bool DecodeJPEG(const uint8_t* data, size_t size, TQGUI_Image& image, std::string& error) {
  if (size == 0) {
    error = "file is empty";
    return false;
  }
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  jpeg_progress_mgr progress{};
  info.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnError;
  errors.manager.emit_message = OnMessage;
  jpeg_create_decompress(&info);
  progress.progress_monitor = OnProgress;
  info.progress = &progress;
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));

  bool ok = ReadHeader(info, errors);
  if (ok) {
    image.width = static_cast<int32_t>(info.output_width);
    image.height = static_cast<int32_t>(info.output_height);
    image.format = GL_BGR;
    image.pixels.assign(size_t(info.output_width) * info.output_height * 3, 0);
    ok = ReadRows(info, errors, image.pixels.data());
  }
  jpeg_destroy_decompress(&info);
  if (!ok) {
    image = {};
    error = errors.message[0] ? errors.message : "unsupported JPEG colour format";
  }
  return ok;
}
