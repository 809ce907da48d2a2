#include <gtest/gtest.h>

#include <string_view>

#include "gui/png.h"

using namespace gui;

namespace {
std::span<const uint8_t> bytesOf(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}
}  // namespace

TEST(Png, ChecksumsMatchTheirStandardCheckValues) {
  EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
  EXPECT_EQ(crc32(bytesOf("IEND")), 0xAE426082u);
  EXPECT_EQ(adler32(bytesOf("Wikipedia")), 0x11E60398u);
}

TEST(Png, ScreenshotReadsBackPixelForPixel) {
  Surface s(3, 2, Color::rgb(255, 0, 255));
  s.setPixel(0, 0, Color::rgb(1, 2, 3));
  s.setPixel(2, 1, Color::rgb(250, 128, 7));
  const std::vector<uint8_t> png = encodePng(s);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  // The file ends with the standard IEND chunk.
  const std::vector<uint8_t> iend{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_EQ(std::vector<uint8_t>(png.end() - 12, png.end()), iend);
  EXPECT_EQ(decodePng(png), s);
}

TEST(Png, LargeImagesSpanSeveralStoredBlocks) {
  // 200 × 120 pixels are 72 120 raw bytes: more than one stored block holds.
  Surface s(200, 120);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 200; ++x) s.setPixel(x, y, Color::rgb(uint8_t(x), uint8_t(y), uint8_t(x ^ y)));
  EXPECT_EQ(decodePng(encodePng(s)), s);
}

TEST(Png, DamagedFilesAreRejected) {
  Surface s(4, 4, Color::rgb(9, 9, 9));
  std::vector<uint8_t> png = encodePng(s);
  std::vector<uint8_t> flipped = png;
  flipped[60] ^= 1;  // inside the image data: its chunk checksum fails
  EXPECT_FALSE(decodePng(flipped));
  EXPECT_FALSE(decodePng(std::span(png).first(png.size() - 20)));
  EXPECT_FALSE(decodePng(std::span(png).first(7)));
}

TEST(Png, WritesAFile) {
  const auto path = std::filesystem::temp_directory_path() / "pisarion_png_test.png";
  Surface s(2, 2, Color::rgb(10, 20, 30));
  ASSERT_TRUE(writePng(s, path));
  EXPECT_EQ(std::filesystem::file_size(path), encodePng(s).size());
  std::filesystem::remove(path);
  EXPECT_FALSE(writePng(s, path / "no" / "such" / "folder.png"));
}
