#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"
#include "TestPlatform.h"

namespace sheet {
namespace {

namespace fs = std::filesystem;

class Images : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("sheet_images_" + std::to_string(nabidkatest::ProcessId()));
    fs::create_directories(dir);
    chair = (dir / "chair.JPG").string();
    std::ofstream(chair, std::ios::binary) << std::string("\xFF\xD8\xFF\xE0 fake jpeg", 14);
  }
  void TearDown() override { fs::remove_all(dir); }

  fs::path dir;
  std::string chair;
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
};

TEST_F(Images, AddImageStoresNameExtensionBytesAndPlacement) {
  TExportCell& cell = ws.FindCreateCellAs<TExportCellString>(0, 7);
  TExportCellDrawing& placement = cell.AddImage(chair, 0, 0, 150, 150);
  ASSERT_EQ(wb.Drawings().Count(), 1);
  auto& image = static_cast<TExportImage&>(wb.Drawings().GetI(0));
  EXPECT_EQ(image.Name(), "chair");
  EXPECT_EQ(image.Ext(), "jpg");
  EXPECT_EQ(image.Size(), 14u);
  EXPECT_TRUE(image.Data().empty());  // kept in its file until the save
  EXPECT_EQ(image.ReadData().size(), 14u);
  EXPECT_EQ(placement.Rect(), (TExportRect{0, 0, 150, 150}));
  EXPECT_EQ(placement.DrawingIndex(), 0);
  EXPECT_EQ(placement.Cell(), &cell);
  EXPECT_EQ(cell.SqlText(), "");
  EXPECT_TRUE(cell.DrawingsAssigned());
  EXPECT_EQ(placement.Fill().fStyle, edfAutomatic);
  EXPECT_EQ(placement.Border().fFillStyle, edfNone);
  EXPECT_EQ(placement.Shadow().fTransparency, 50);
  // The picture keeps an otherwise empty cell from being trimmed away.
  ws.DeleteEmptyCellsAndRowsFromEnd();
  EXPECT_EQ(ws.Rows().Count(), 8);
}

TEST_F(Images, MissingFileIsReportedAndNothingIsAdded) {
  TExportCell& cell = ws.AddRow().AddCellString("");
  const std::string missing = (dir / "nope.jpg").string();
  try {
    cell.AddImage(missing, 0, 0, 10, 10);
    FAIL();
  } catch (const EExportFileException& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + missing + "\". No such file or directory");
  }
  EXPECT_EQ(wb.Drawings().Count(), 0);
  EXPECT_FALSE(cell.DrawingsAssigned());
}

TEST_F(Images, StreamImagesNeedAnExtension) {
  TExportCell& cell = ws.AddRow().AddCellString("");
  std::istringstream bytes("abcdef");
  bytes.get();
  TExportCellDrawing& p = cell.AddImage(bytes, "folder.v2/logo.png", 1, 2, 3, 4);
  EXPECT_EQ(static_cast<TExportImage*>(p.Drawing())->Data(), "bcdef");
  EXPECT_EQ(p.Drawing()->Name(), "logo");
  EXPECT_EQ(p.Rect(), (TExportRect{1, 2, 4, 6}));
  std::istringstream more("x");
  try {
    cell.AddImage(more, "folder.v2/logo", 0, 0, 1, 1);
    FAIL();
  } catch (const EExportFileNameException& e) {
    EXPECT_STREQ(e.what(), "Filename does not contain any extension.");
  }
  std::string name, ext;
  SplitImageFileName("C:\\pics\\odd.", name, ext);
  EXPECT_EQ(name, "odd");
  EXPECT_EQ(ext, "");
}

TEST_F(Images, EachAddImageStoresItsOwnDrawingAndReleaseShiftsIndexes) {
  TExportRow& row = ws.AddRow();
  for (int i = 0; i < 3; ++i) row.AddCellString("").AddImage(chair, 0, 0, 150, 150);
  EXPECT_EQ(wb.Drawings().Count(), 3);
  TExportDrawing* last = &wb.Drawings()[2];
  row.Cells().Delete(1);
  EXPECT_EQ(wb.Drawings().Count(), 2);
  EXPECT_EQ(last->DrawingIndex(), 1);
  EXPECT_EQ(row.Cells()[1].Drawings()[0].DrawingIndex(), 1);
}

TEST_F(Images, ReuseSharesTheDrawingUntilTheLastPlacementGoes) {
  TExportRow& row = ws.AddRow();
  TExportCellDrawing& first = row.AddCellString("").AddImage(chair, 0, 0, 10, 10);
  TExportCell& second = row.AddCellString("");
  second.ReuseImage(first, 5, 5, 20, 20);
  second.ReuseImage(0, 0, 0, 1, 1);
  EXPECT_EQ(wb.Drawings().Count(), 1);
  EXPECT_EQ(wb.Drawings()[0].CellDrawings().size(), 3u);
  row.Cells().Delete(0);
  EXPECT_EQ(wb.Drawings().Count(), 1);
  second.Drawings().Delete(0);
  EXPECT_EQ(wb.Drawings().Count(), 1);
  ws.Rows().Delete(0);  // the worksheet's last placement goes with its row
  EXPECT_EQ(wb.Drawings().Count(), 0);
  EXPECT_THROW(ws.AddRow().AddCellEmpty().ReuseImage(0, 0, 0, 1, 1), std::out_of_range);
}

TEST_F(Images, TransformKeepsThePicture) {
  TExportCell& cell = ws.AddRow().AddCellEmpty();
  cell.AddImage(chair, 0, 0, 10, 10);
  TExportCell& s = cell.Transform(CellClass<TExportCellString>());
  EXPECT_EQ(wb.Drawings().Count(), 1);
  ASSERT_TRUE(s.DrawingsAssigned());
  EXPECT_EQ(s.Drawings()[0].Drawing(), &wb.Drawings()[0]);
  EXPECT_EQ(wb.Drawings()[0].CellDrawings().size(), 1u);
}

TEST_F(Images, FreeingTheWorkbookWithPicturesIsClean) {
  auto book = std::make_unique<TExportWorkbook>();
  TExportRow& row = book->AddWorkSheet().AddRow();
  TExportCellDrawing& p = row.AddCellString("").AddImage(chair, 0, 0, 10, 10);
  row.AddCellString("").ReuseImage(p, 0, 0, 10, 10);
  book.reset();  // sanitizers catch a use after free here
  SUCCEED();
}

TEST_F(Images, FarCornerWalksColumnsAndRows) {
  TExportCell& cell = ws.FindCreateCellAs<TExportCellString>(0, 7);
  TExportCellDrawing& p = cell.AddImage(chair, 0, 0, 150, 150);
  const std::vector<double> cols = {150, 100};
  const std::vector<double> rows(8, 17.0);  // rows 0..7 known; the rest default
  const TExportCellPosition far = p.FarCorner(cols, rows, 80, 17);
  EXPECT_EQ(far, (TExportCellPosition{1, 15, 0, 14}));

  TExportCellDrawing& inside = cell.ReuseImage(p, 10, 3, 20, 5);
  EXPECT_EQ(inside.FarCorner(cols, rows, 80, 17), (TExportCellPosition{0, 7, 30, 8}));
  // Zero-width (hidden) columns are stepped over, never looped on.
  TExportCellDrawing& wide = cell.ReuseImage(p, 0, 0, 200, 1);
  EXPECT_EQ(wide.FarCorner({150, 0, 0, 30}, rows, 80, 17), (TExportCellPosition{4, 7, 20, 1}));
}

}  // namespace
}  // namespace sheet
