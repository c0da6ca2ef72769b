// Inputs the dealer's files may bring: pictures that are no JPEG, entries of
// the picture folder that are no files, descriptions a page header cannot carry.
#include <iostream>

#include "OfferExportSupport.h"
#include "sheet/HeaderFooter.h"
#include "xlsx/ExporterXLSX.h"
#include "text/Utf16.h"

namespace {

using namespace exporttest;

class OfferInputs : public ::testing::Test {
 protected:
  TExportFixture F;
  void SetUp() override {
    xlsx::RegisterXlsxFormat();
    sheet::SetShellOpen(nullptr);
  }
  fs::path Picture(int file) const {
    char name[32];
    std::snprintf(name, sizeof name, "image%03d.jpg", file);
    return F.Dir / "Kuchyne_soubory" / name;
  }
  int PictureCount(const sheet::TExportWorkSheet& sheet) const {
    int count = 0;
    for (int r = 0; r < sheet.Rows().Count(); ++r) {
      const sheet::TExportRow& row = sheet.Rows().Get(r);
      if (row.CellCount() > 0 && row.Cells().Get(0).DrawingsAssigned()) ++count;
    }
    return count;
  }
};

TEST_F(OfferInputs, PicturesThatAreNoJpegAreLeftOutAndNamed) {
  F.WriteList("Kuchyne", ItemsWithProperties({1, 1, 1, 1, 1}));
  const std::string photo = xlsxtest::MakeJpeg(400, 300, 1, 2, 3);
  TExportFixture::WriteBytes(Picture(1), "");                                      // empty
  TExportFixture::WriteBytes(Picture(3), "a text file, not a picture\n");          // no start of image
  TExportFixture::WriteBytes(Picture(5), photo.substr(0, 20));                     // cut before its frame
  TExportFixture::WriteBytes(Picture(7), photo.substr(0, photo.size() - 40));      // cut before its end
  TExportFixture::WriteBytes(Picture(9), photo + std::string(100, '\0'));          // padded after its end
  F.Open("Kuchyne");
  std::vector<std::string> leftOut;
  auto book = app::ComposeOfferWorkbook(*F.Window, &leftOut);
  EXPECT_EQ(PictureCount(book->WorkSheets().Get(0)), 1);
  EXPECT_EQ(leftOut, (std::vector<std::string>{Picture(1).string(), Picture(3).string(), Picture(5).string(),
                                               Picture(7).string()}));

  ASSERT_TRUE(app::ExportOffer(*F.Window));
  ASSERT_EQ(F.Dialogs.Messages.size(), 1u);
  EXPECT_EQ(F.Dialogs.Messages[0], std::string(app::kPicturesLeftOutMessage) + "\n" + Picture(1).string() + "\n" +
                                       Picture(3).string() + "\n" + Picture(5).string() + "\n" + Picture(7).string());
  EXPECT_TRUE(fs::exists(F.Dir / "Kuchyne.xlsx"));
}

TEST_F(OfferInputs, ProportionsComeFromTheFrameHeader) {
  F.WriteList("Kuchyne", ItemsWithProperties({1, 1}));
  TExportFixture::WriteBytes(Picture(1), xlsxtest::MakeJpeg(400, 300, 1, 2, 3));
  TExportFixture::WriteBytes(Picture(3), xlsxtest::MakeJpeg(30, 60, 1, 2, 3));
  F.Open("Kuchyne");
  auto book = app::ComposeOfferWorkbook(*F.Window);
  std::vector<sheet::TExportRect> boxes;
  const sheet::TExportWorkSheet& sheet = book->WorkSheets().Get(0);
  for (int r = 0; r < sheet.Rows().Count(); ++r) {
    const sheet::TExportRow& row = sheet.Rows().Get(r);
    if (row.CellCount() > 0 && row.Cells().Get(0).DrawingsAssigned()) boxes.push_back(row.Cells().Get(0).Drawings().Get(0).Rect());
  }
  EXPECT_EQ(boxes, (std::vector<sheet::TExportRect>{{0, 0, 150, 113}, {0, 0, 75, 150}}));
}

TEST_F(OfferInputs, PictureFolderEntriesThatAreNoFilesDoNotShiftThePictures) {
  F.WriteList("Kuchyne", ItemsWithProperties({1, 1, 1}));
  // A folder named like a picture, and a link to nothing, among the pictures.
  fs::create_directories(F.Dir / "Kuchyne_soubory" / "image002a.jpg");
  if (nabidkatest::kWindows) {
    std::cout << "[   NOTE   ] no link to nothing: Windows lets only administrators make links\n";
  } else {
    fs::create_symlink(F.Dir / "nowhere.jpg", F.Dir / "Kuchyne_soubory" / "image004a.jpg");
  }
  F.Open("Kuchyne");
  EXPECT_EQ(F.Ws().ItemImagePaths.Entries(),
            (std::vector<std::string>{Picture(1).string(), Picture(3).string(), Picture(5).string()}));
}

TEST_F(OfferInputs, PageHeaderTakesWhatItCanCarry) {
  F.WriteList("Kuchyne", ItemsWithProperties({1}));
  F.Open("Kuchyne");
  // A stray control character from the stored description is left out.
  F.View().DescriptionEntry = std::string("Nab\x01") + "ídka\tpro Nováka";
  auto book = app::ComposeOfferWorkbook(*F.Window);
  EXPECT_EQ(book->WorkSheets().Get(0).Header().Left().Text(), "Nabídkapro Nováka");

  // 300 characters with "&" in them: cut so that the whole header is 255.
  std::string longText;
  for (int i = 0; i < 150; ++i) longText += "ž&";
  F.View().DescriptionEntry = longText;
  book = app::ComposeOfferWorkbook(*F.Window);
  const sheet::TExportHeaders& header = book->WorkSheets().Get(0).Header();
  const std::size_t length = text::Utf16Length(header.ExcelFormattedText());
  EXPECT_LE(length, 255u);
  EXPECT_GE(length, 254u);  // not cut more than needed
  EXPECT_TRUE(longText.starts_with(header.Left().Text()));
  ASSERT_TRUE(app::ExportOffer(*F.Window));
}

}  // namespace
