#include "ui/JpegImage.h"

#include <csetjmp>
#include <cstdio>
#include <new>

// libjpeg's header needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace tandrel {

namespace {

// A progressive JPEG may hold any number of scans, each a full pass over
// the picture; a damaged or hostile file with thousands of them would keep
// the splash screen busy for minutes. Real encoders write about ten.
constexpr int kMaxScans = 100;

// libjpeg's error manager extended with the way back to the decoder. libjpeg
// hands `pub` to its callbacks, so it must come first.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf back;
  char message[JMSG_LENGTH_MAX + 32];  // room for our prefix to libjpeg's text
};

// Everything the setjmp frame touches lives here, in the caller's frame, so
// nothing in that frame is left indeterminate or undestroyed by a longjmp.
struct DecodeState {
  ErrorManager errors{};
  jpeg_progress_mgr progress{};
  jpeg_decompress_struct cinfo{};
  JpegImage* image = nullptr;
};

[[noreturn]] void leave(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  std::longjmp(errors->back, 1);
}

// Replaces libjpeg's error_exit, which prints and calls exit().
[[noreturn]] void on_error(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  cinfo->err->format_message(cinfo, errors->message);
  leave(cinfo);
}

// Replaces emit_message, which prints warnings to stderr. Level -1 is a
// warning about corrupt data: the picture is damaged, stop here. Higher
// levels are trace output, which we never want.
void on_message(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  char text[JMSG_LENGTH_MAX];
  cinfo->err->format_message(cinfo, text);
  std::snprintf(errors->message, sizeof errors->message, "damaged data: %s", text);
  leave(cinfo);
}

void on_progress(j_common_ptr cinfo) {
  auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (dinfo->input_scan_number > kMaxScans) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::snprintf(errors->message, sizeof errors->message, "more than %d scans", kMaxScans);
    leave(cinfo);
  }
}

void refuse(DecodeState& s, const char* reason) {
  std::snprintf(s.errors.message, sizeof s.errors.message, "%s", reason);
  leave(reinterpret_cast<j_common_ptr>(&s.cinfo));
}

void read_rows(DecodeState& s) {
  const std::size_t stride = static_cast<std::size_t>(s.cinfo.output_width) * 3;
  while (s.cinfo.output_scanline < s.cinfo.output_height) {
    JSAMPROW row = &s.image->rgb[s.cinfo.output_scanline * stride];
    if (jpeg_read_scanlines(&s.cinfo, &row, 1) != 1) refuse(s, "no progress in the scanlines");
  }
}

// The only function that calls setjmp. It holds no object with a destructor
// and reads no local after a longjmp; the JpegImage it fills belongs to the
// caller, and its vector is sized before libjpeg is given any row of it.
bool run_decoder(DecodeState& s, const unsigned char* data, std::size_t size) {
  if (setjmp(s.errors.back) != 0) return false;
  jpeg_create_decompress(&s.cinfo);
  s.cinfo.progress = &s.progress;
  jpeg_mem_src(&s.cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&s.cinfo, TRUE);
  if (s.cinfo.image_width > kMaxJpegSide || s.cinfo.image_height > kMaxJpegSide) {
    refuse(s, "picture larger than Tandrel shows");
  }
  s.cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&s.cinfo);
  if (s.cinfo.output_components != 3) refuse(s, "not convertible to RGB");
  s.image->width = static_cast<int>(s.cinfo.output_width);
  s.image->height = static_cast<int>(s.cinfo.output_height);
  s.image->rgb.resize(static_cast<std::size_t>(s.image->width) * s.image->height * 3);
  read_rows(s);
  jpeg_finish_decompress(&s.cinfo);
  return true;
}

// libjpeg's messages are single lines already; this keeps them so whatever
// a future version says.
std::string one_line(const char* text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return line;
}

}  // namespace

RgbPixel JpegImage::pixel(int x, int y) const {
  const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

JpegDecodeResult decode_jpeg(std::span<const unsigned char> bytes) {
  JpegDecodeResult result;
  if (bytes.empty()) {
    result.failure = "no JPEG data";
    return result;
  }
  DecodeState state;
  state.cinfo.err = jpeg_std_error(&state.errors.pub);
  state.errors.pub.error_exit = on_error;
  state.errors.pub.emit_message = on_message;
  state.progress.progress_monitor = on_progress;
  state.image = &result.image;
  bool whole = false;
  try {
    whole = run_decoder(state, bytes.data(), bytes.size());
  } catch (const std::bad_alloc&) {
    std::snprintf(state.errors.message, sizeof state.errors.message, "out of memory");
  }
  // Safe also when creation failed half-way: it frees what libjpeg's pools
  // hold and nothing else.
  jpeg_destroy_decompress(&state.cinfo);
  if (!whole) {
    result.image = JpegImage{};
    result.failure = one_line(state.errors.message);
  }
  return result;
}

}  // namespace tandrel
