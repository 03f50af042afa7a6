#include "ui/JpegImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "logo/LogoLayout.h"
#include "ui/TandrelLogo.h"

namespace tandrel {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes logo_bytes() {
  const auto span = tandrel_logo_jpeg();
  return Bytes(span.begin(), span.end());
}

// The offset of the first `marker` (the byte after 0xff) in `jpeg`.
std::size_t find_marker(const Bytes& jpeg, unsigned char marker) {
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xff && jpeg[i + 1] == marker) return i;
  }
  ADD_FAILURE() << "no marker 0x" << std::hex << int{marker};
  return 0;
}

void expect_refused(const JpegDecodeResult& result, const std::string& reason) {
  EXPECT_TRUE(result.image.empty());
  EXPECT_EQ(result.image.width, 0);
  EXPECT_EQ(result.image.height, 0);
  EXPECT_EQ(result.failure, reason);
  EXPECT_EQ(result.failure.find('\n'), std::string::npos);
}

int channel_distance(RgbPixel got, logo::Colour want) {
  return std::max({std::abs(got.r - want.r), std::abs(got.g - want.g), std::abs(got.b - want.b)});
}

TEST(TandrelLogo, DecodesToTheDrawnSize) {
  const JpegDecodeResult logo = decode_tandrel_logo();
  ASSERT_TRUE(logo.ok()) << logo.failure;
  EXPECT_EQ(logo.image.width, kLogoWidth);
  EXPECT_EQ(logo.image.height, kLogoHeight);
  EXPECT_EQ(kLogoWidth, logo::kWidth);
  EXPECT_EQ(kLogoHeight, logo::kHeight);
  EXPECT_EQ(logo.image.rgb.size(), std::size_t{kLogoWidth} * kLogoHeight * 3);
}

class LogoProbe : public testing::TestWithParam<logo::Probe> {};

// JPEG is lossy: a flat area comes back within a few steps of what was drawn.
TEST_P(LogoProbe, HasTheDrawnColour) {
  static const JpegDecodeResult logo = decode_tandrel_logo();
  ASSERT_TRUE(logo.ok()) << logo.failure;
  const logo::Probe& probe = GetParam();
  const RgbPixel got = logo.image.pixel(probe.x, probe.y);
  EXPECT_LE(channel_distance(got, probe.colour), 12)
      << probe.what << " at " << probe.x << "," << probe.y << " is " << int{got.r} << ","
      << int{got.g} << "," << int{got.b};
}

INSTANTIATE_TEST_SUITE_P(Logo, LogoProbe, testing::ValuesIn(logo::kProbes));

// A truncated logo must not come out half grey: libjpeg's warning about the
// missing data ends the decoding.
struct Truncation {
  const char* what;
  long keep;  // bytes kept; a negative number counts from the end
};

class TruncatedLogo : public testing::TestWithParam<Truncation> {};

TEST_P(TruncatedLogo, IsRefusedAsDamaged) {
  Bytes jpeg = logo_bytes();
  const long keep = GetParam().keep;
  jpeg.resize(keep >= 0 ? keep : jpeg.size() + keep);
  expect_refused(decode_logo(jpeg), "Logo not shown: damaged data: Premature end of JPEG file");
}

INSTANTIATE_TEST_SUITE_P(Logo, TruncatedLogo,
                         testing::Values(Truncation{"start of image only", 2},
                                         Truncation{"inside the JFIF header", 11},
                                         Truncation{"inside the tables", 200},
                                         Truncation{"half the file", 9000},
                                         Truncation{"all but the end marker", -2}),
                         [](const auto& info) { return "keep" + std::to_string(info.index); });

struct Change {
  const char* what;
  unsigned char marker;  // the changed byte lies `offset` bytes after this marker's 0xff
  std::size_t offset;
  unsigned char value;
  const char* reason;
  int next_value = -1;  // a second byte after the first, when not negative
};

class ChangedLogo : public testing::TestWithParam<Change> {};

TEST_P(ChangedLogo, IsRefusedWithAReason) {
  Bytes jpeg = logo_bytes();
  const Change& c = GetParam();
  const std::size_t at = find_marker(jpeg, c.marker) + c.offset;
  jpeg[at] = c.value;
  if (c.next_value >= 0) jpeg[at + 1] = static_cast<unsigned char>(c.next_value);
  expect_refused(decode_logo(jpeg), std::string("Logo not shown: ") + c.reason);
}

// SOF0 is 0xc0: length, precision, height, width, components; SOS is 0xda.
INSTANTIATE_TEST_SUITE_P(
    Logo, ChangedLogo,
    testing::Values(
        Change{"start of image", 0xd8, 1, 0x27, "Not a JPEG file: starts with 0xff 0x27"},
        Change{"height 65457", 0xc0, 5, 0xff, "picture larger than Tandrel shows"},
        Change{"12-bit samples", 0xc0, 4, 0x0c, "Unsupported JPEG data precision 12"},
        Change{"seven components", 0xc0, 9, 0x07, "Bogus marker length"},
        Change{"quantisation table 15", 0xdb, 4, 0x0f, "Bogus DQT index 15"},
        Change{"huffman code counts", 0xc4, 5, 0xff, "Bogus Huffman table definition"},
        Change{"nine scan components", 0xda, 4, 0x09, "Bogus marker length"},
        Change{"undefined huffman table", 0xda, 6, 0x77, "Huffman table 0x07 was not defined"},
        Change{"marker inside the scan", 0xda, 300, 0xff,
               "damaged data: Corrupt JPEG data: premature end of data segment", 0xc8},
        Change{"end marker", 0xd9, 1, 0x00, "damaged data: Premature end of JPEG file"}),
    [](const auto& info) { return "change" + std::to_string(info.index); });

// JPEG carries no checksum, so a changed byte in the compressed pixels may
// decode to a wrong but whole picture. Whatever comes out, the decoder must
// come back: with a reason and nothing, or with a picture of the full size.
TEST(ChangedLogo, EveryChangedByteComesBackCleanly) {
  const Bytes logo = logo_bytes();
  int refused = 0;
  int tried = 0;
  for (std::size_t at = 0; at < logo.size(); at += 37) {
    Bytes jpeg = logo;
    jpeg[at] ^= 0xff;
    const JpegDecodeResult result = decode_logo(jpeg);
    ++tried;
    if (result.ok()) {
      EXPECT_EQ(result.image.width, kLogoWidth) << "byte " << at;
      EXPECT_EQ(result.image.height, kLogoHeight) << "byte " << at;
      EXPECT_EQ(result.image.rgb.size(), std::size_t{kLogoWidth} * kLogoHeight * 3);
    } else {
      ++refused;
      EXPECT_TRUE(result.image.empty()) << "byte " << at;
      EXPECT_EQ(result.failure.rfind("Logo not shown: ", 0), 0u) << result.failure;
      EXPECT_EQ(result.failure.find('\n'), std::string::npos) << result.failure;
    }
  }
  EXPECT_GT(refused, 0) << "of " << tried;
}

// A 16 by 16 progressive JPEG with `scans` scans (1 to 190): one for the DC
// of all three components, then one for each AC coefficient, component by
// component.
Bytes progressive_jpeg(int scans) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = 16;
  cinfo.image_height = 16;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  std::vector<jpeg_scan_info> script(scans);
  script[0] = {3, {0, 1, 2, 0}, 0, 0, 0, 0};
  for (int i = 1; i < scans; ++i) {
    const int band = (i - 1) % 63 + 1;
    script[i] = {1, {(i - 1) / 63, 0, 0, 0}, band, band, 0, 0};
  }
  cinfo.scan_info = script.data();
  cinfo.num_scans = scans;
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<unsigned char> row(16 * 3);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16 * 3; ++x) row[x] = static_cast<unsigned char>(x * 5 + y * 11);
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes jpeg(out, out + size);
  std::free(out);
  return jpeg;
}

// Every scan is a full pass over the picture, so a file with thousands of
// them would hold the splash screen for minutes.
TEST(DecodeJpeg, RefusesProgressiveFilesWithTooManyScans) {
  const JpegDecodeResult fine = decode_jpeg(progressive_jpeg(64));
  ASSERT_TRUE(fine.ok()) << fine.failure;
  EXPECT_EQ(fine.image.width, 16);
  EXPECT_EQ(fine.image.height, 16);
  expect_refused(decode_jpeg(progressive_jpeg(190)), "more than 100 scans");
}

TEST(DecodeJpeg, RefusesWhatIsNoJpeg) {
  expect_refused(decode_jpeg({}), "no JPEG data");
  const std::string ini = "[Files]\nkiv_interface_file_name=kivora.mdf\n";
  expect_refused(decode_jpeg(Bytes(ini.begin(), ini.end())),
                 "Not a JPEG file: starts with 0x5b 0x46");
  expect_refused(decode_jpeg(Bytes{0xff}), "damaged data: Premature end of JPEG file");
}

TEST(DecodeJpeg, KeepsLibjpegQuietOnStderr) {
  Bytes jpeg = logo_bytes();
  jpeg.resize(jpeg.size() / 2);
  testing::internal::CaptureStderr();
  const JpegDecodeResult result = decode_jpeg(jpeg);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(result.ok());
}

}  // namespace
}  // namespace tandrel