// Pictures decoded for the window: the same size and colours whatever
// decoder the system has (libjpeg, the Windows Imaging Component).
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/JpegPicture.h"
#include "xlsx/TestImages.h"

namespace {

// The pixel's colour within the tolerance of two decoders' rounding.
void ExpectColour(const app::TRgbImage& image, int x, int y, int red, int green, int blue) {
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width) + x) * 3;
  ASSERT_LT(at + 2, image.Pixels.size());
  EXPECT_NEAR(image.Pixels[at], red, 6) << "red at " << x << "," << y;
  EXPECT_NEAR(image.Pixels[at + 1], green, 6) << "green at " << x << "," << y;
  EXPECT_NEAR(image.Pixels[at + 2], blue, 6) << "blue at " << x << "," << y;
}

TEST(JpegPicture, DecodesRowsInRgbOrder) {
  // Each 8 × 8 block is one colour: (200, 10 + mean of its columns, 60).
  const std::string jpeg = xlsxtest::MakeJpeg(32, 16, 200, 10, 60);
  const std::optional<app::TRgbImage> image = app::DecodeJpeg(jpeg);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width, 32);
  EXPECT_EQ(image->Height, 16);
  ASSERT_EQ(image->Pixels.size(), 32u * 16u * 3u);
  ExpectColour(*image, 3, 3, 200, 14, 60);
  ExpectColour(*image, 28, 12, 200, 38, 60);
  EXPECT_EQ(app::ReadJpegSize(jpeg)->Width, 32);
}

TEST(JpegPicture, ScaledToCoverTheBox) {
  const std::string jpeg = xlsxtest::MakeJpeg(800, 400, 30, 90, 200);
  // 1/4 is 200 × 100, too small for 250 × 250; 5/8 is 500 × 250.
  const std::optional<app::TRgbImage> image = app::DecodeJpegToCover(jpeg, 250, 250);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width, 500);
  EXPECT_EQ(image->Height, 250);
  ExpectColour(*image, 2, 2, 30, 93, 200);
  const std::optional<app::TRgbImage> small = app::DecodeJpegToCover(xlsxtest::MakeJpeg(40, 30, 1, 2, 3), 250, 250);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->Width, 40) << "a picture smaller than the box comes whole";
}

TEST(JpegPicture, OnlyJpegDecodes) {
  EXPECT_FALSE(app::DecodeJpeg(xlsxtest::MakePng(8, 8)));
  EXPECT_FALSE(app::ReadJpegSize(xlsxtest::MakePng(8, 8)));
  EXPECT_FALSE(app::DecodeJpeg(xlsxtest::MakeJpeg(40, 30, 1, 2, 3).substr(0, 20)));
}

}  // namespace
