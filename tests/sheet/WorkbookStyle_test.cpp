#include <gtest/gtest.h>

#include "sheet/Exceptions.h"
#include "sheet/Workbook.h"

namespace sheet {
namespace {

class Styles : public ::testing::Test {
 protected:
  TExportWorkbook wb;
  TExportWorkSheet& ws = wb.AddWorkSheet();
  TExportRow& row = ws.AddRow();
};

TEST_F(Styles, NewStyleDefaultsAndStyleNeedsAWorkbook) {
  TExportCellStyle style(&wb);
  EXPECT_EQ(style.Alignment(), cahAuto);
  EXPECT_EQ(style.VAlignment(), cavTop);
  EXPECT_EQ(style.Protection(), ecpLocked);
  EXPECT_EQ(style.FontId(), 0);
  EXPECT_EQ(style.BordersId(), 0);
  EXPECT_FALSE(style.FontUnpacked());
  try {
    TExportCellStyle orphan(nullptr);
    FAIL();
  } catch (const EExportException& e) {
    EXPECT_STREQ(e.what(), "TExportCellStyle.Create: aParent can't be nil");
  }
}

TEST_F(Styles, EditedCellIsUnpackedUntilTheNextRowAndThenInterned) {
  TExportCell& bold = row.AddCellString("b").SetFontStyle(fsBold);
  TExportCell& plain = row.AddCellString("p");
  EXPECT_TRUE(bold.Style().FontUnpacked());
  EXPECT_FALSE(plain.Style().FontUnpacked());  // untouched cells share the sheet's entries
  ws.AddRow();
  EXPECT_FALSE(bold.Style().FontUnpacked());
  EXPECT_FALSE(bold.Style().BordersUnpacked());
  EXPECT_EQ(wb.Fonts().Get(bold.Style().FontId()).FootPrint(), "10;1;5;2;3;2;0;Arial");
  EXPECT_EQ(plain.Style().FontId(), 0);  // the standard font
  EXPECT_EQ(plain.Style().BordersId(), 0);
  EXPECT_EQ(wb.Fonts().Count(), 2);
  // Read access never unpacks; a later write does, and packing finds the same entry.
  EXPECT_EQ(bold.Font_ReadOnly().Style().Bold(), efsYes);
  EXPECT_FALSE(bold.Style().FontUnpacked());
  bold.SetFontColor(0x0000FF);
  EXPECT_TRUE(bold.Style().FontUnpacked());
  bold.SetFontColor(0);
  bold.PackStyle();
  EXPECT_EQ(wb.Fonts().Count(), 2);
}

TEST_F(Styles, InterningByFootprintKeepsInsertionOrder) {
  TExportFontList& fonts = wb.Fonts();
  const int red = fonts.CreateAddUnique(TExportFont::Create("Arial", 10, 0, 0xFF));
  const int big = fonts.CreateAddUnique(TExportFont::Create("Arial", 12, 0, 0));
  EXPECT_EQ(red, 1);
  EXPECT_EQ(big, 2);
  EXPECT_EQ(fonts.CreateAddUnique(TExportFont::Create("Arial", 10, 0, 0xFF)), 1);
  // Case matters in names; a reader's duplicate gets its own index.
  EXPECT_EQ(fonts.CreateAddUnique(TExportFont::Create("arial", 10, 0, 0xFF)), 3);
  EXPECT_EQ(fonts.AddForced(TExportFont::Create("Arial", 12, 0, 0)), 4);
  EXPECT_EQ(fonts.Find(TExportFont::Create("Arial", 12, 0, 0).FootPrint()), 2);

  TExportCellBordersList& borders = wb.BordersList();
  EXPECT_EQ(borders.Get(0).FootPrint(), "0;536870911;0;536870911;0;536870911;0;536870911;0;536870911;0;536870911");
  TExportCellBorders thin;
  thin.SetBorders(cbOutline, ebThin, 0);
  EXPECT_EQ(borders.CreateAddUnique(thin), 1);
  EXPECT_EQ(borders.CreateAddUnique(thin), 1);
}

TEST_F(Styles, StyleFootprintForWriters) {
  TExportCell& c = row.AddCellNumber(1, 2).SetBGColor(0xE1E1E1).SetWrapText(true);
  EXPECT_EQ(c.StyleFootPrint(), "3;0;1;1;14803425;0;0;0;0;1;0.00;\\-0.00");
  EXPECT_FALSE(c.Style().FontUnpacked());
}

TEST_F(Styles, SetBordersMarksTheOthersNoneAndKeepsColours) {
  ws.GetNewCellBorders().SetBorders(cbOutline, ebThin, 0);
  const TExportCell& a = row.AddCellString("a");
  for (TCellBorder b : {cbTop, cbRight, cbBottom, cbLeft}) {
    EXPECT_EQ(a.Borders_ReadOnly()[b].Style(), ebThin);
    EXPECT_EQ(a.Borders_ReadOnly()[b].Color(), 0);
  }
  EXPECT_EQ(a.Borders_ReadOnly()[cbDiagonalDown].Style(), ebNone);
  EXPECT_EQ(a.Borders_ReadOnly()[cbDiagonalUp].Style(), ebNone);

  ws.GetNewCellBorders().SetBorders(cbOutline, ebNone, clNone);
  const TExportCell& b = row.AddCellString("b");
  for (int i = 0; i < kBorderCount; ++i) EXPECT_EQ(b.Borders_ReadOnly()[static_cast<TCellBorder>(i)].Style(), ebNone);
  EXPECT_EQ(b.Borders_ReadOnly()[cbLeft].Color(), 0);
  EXPECT_EQ(b.Borders_ReadOnly()[cbDiagonalUp].Color(), clNone);

  TExportCell& c = row.AddCellString("c").SetBorder(cbBottom, ebDouble, clNone);
  EXPECT_EQ(c.Borders_ReadOnly()[cbBottom].Style(), ebDouble);
  EXPECT_EQ(c.Borders_ReadOnly()[cbBottom].Color(), 0);  // clNone keeps the colour

  TExportCellBorder keep;
  keep.SetStyle(ebThin).SetColor(5);
  TExportCellBorder none;
  none.SetStyle(ebNone);
  keep.AssignNoDefaultsNoNone(none);
  EXPECT_EQ(keep.Style(), ebThin);
  keep.AssignNoDefaults(none);
  EXPECT_EQ(keep.Style(), ebNone);
  EXPECT_EQ(keep.Color(), 5);
}

TEST_F(Styles, FontStyleSetIsExplicitBothWays) {
  TExportCell& c = row.AddCellString("x").SetFontStyle(fsBold);
  const TExportFontStyle& s = c.Font_ReadOnly().Style();
  EXPECT_EQ(s.Bold(), efsYes);
  EXPECT_EQ(s.Italic(), efsNo);
  EXPECT_EQ(s.Underline(), efuNo);
  EXPECT_EQ(s.StrikeOut(), efsNo);
  EXPECT_EQ(s.Escapement(), efeNo);
  EXPECT_EQ(s.AsFontStyles(), fsBold);
  TExportFontStyle d;
  d.SetUnderline(efuDouble);
  EXPECT_EQ(d.AsFontStyles(), fsUnderline);
  d.SetUnderline(efuSingleAccounting);
  EXPECT_EQ(d.AsFontStyles(), 0);
}

TEST_F(Styles, NewCellFontOverridesOnlyWhatIsSet) {
  ws.GetNewCellFont().SetSize(12).SetColor(0xFF);
  ws.GetNewCellFont().Style().SetItalic(efsYes);
  const TExportFont& f = row.AddCellString("x").Font_ReadOnly();
  EXPECT_EQ(f.Name(), "Arial");
  EXPECT_EQ(f.Size(), 12);
  EXPECT_EQ(f.Color(), 0xFF);
  EXPECT_EQ(f.Style().Italic(), efsYes);
  EXPECT_EQ(f.Style().Bold(), efsNo);
}

TEST_F(Styles, AlignmentAssemblyOrder) {
  EXPECT_EQ(row.AddCellNumber(1).Alignment(), cahRight);
  EXPECT_EQ(row.AddCellString("s").Alignment(), cahAuto);
  EXPECT_EQ(row.AddCellDate(1).Alignment(), cahCenter);
  ws.SetNewCellNumberAlignment(cahAuto);
  EXPECT_EQ(row.AddCellNumber(1).Alignment(), cahRight);  // the kind's default stays
  ws.SetNewCellNumberAlignment(cahCenter);
  EXPECT_EQ(row.AddCellNumber(1).Alignment(), cahCenter);
  ws.SetNewCellStringAlignment(cahLeft).SetNewCellVAlignment(cavCenter).SetNewCellBGColor(0xAA);
  const TExportCell& s = row.AddCellString("s");
  EXPECT_EQ(s.Alignment(), cahLeft);
  EXPECT_EQ(s.VAlignment(), cavCenter);
  EXPECT_EQ(s.BGColor(), 0xAA);
  ws.SetNewCellNumberEmptyIfZero(true);
  EXPECT_TRUE(row.AddCellNumber(0).EmptyIfZero());
}

TEST_F(Styles, RowStyleWinsOverColumnStyleAndKindDefault) {
  ws.SetNewCellNumberAlignment(cahAuto);
  ws.FindCreateCol(0).Style().SetBGColor(0x11).SetAlignment(cahLeft);
  TExportRow& plainRow = ws.AddRow();
  const TExportCell& fromCol = plainRow.AddCellNumber(1);
  EXPECT_EQ(fromCol.BGColor(), 0x11);
  EXPECT_EQ(fromCol.Alignment(), cahLeft);  // the column replaces the kind's default
  TExportRow& styledRow = ws.AddRow();
  styledRow.Style().SetBGColor(0x22);
  const TExportCell& fromRow = styledRow.AddCellNumber(1);
  EXPECT_EQ(fromRow.BGColor(), 0x22);
  EXPECT_EQ(fromRow.Alignment(), cahAuto);
}

TEST_F(Styles, SettersSideEffectsOnlyOnChange) {
  TExportCell& auto_ = row.AddCellString("a").SetIndent(2);
  EXPECT_EQ(auto_.Alignment(), cahLeft);
  TExportCell& right = row.AddCellString("r").SetAlignment(cahRight).SetIndent(2);
  EXPECT_EQ(right.Alignment(), cahRight);
  // Same indent again: no side effect even though alignment went back to auto.
  auto_.SetAlignment(cahAuto).SetIndent(2);
  EXPECT_EQ(auto_.Alignment(), cahAuto);

  TExportCell& o = row.AddCellString("o").SetRotation(30);
  EXPECT_EQ(o.Rotation(), 30);
  o.SetOrientation(efoTopToBottom);
  EXPECT_EQ(o.Rotation(), 0);
  o.SetRotation(-45);
  EXPECT_EQ(o.Orientation(), efoLeftToRight);

  // Setting a font value it already has leaves a packed style packed.
  TExportCell& packed = row.AddCellString("p");
  packed.PackStyle();
  packed.SetFontName("Arial").SetFontSize(10).SetFontColor(0).SetFontStyle(0);
  packed.SetBorder(cbTop, ebAuto, clNone).SetBGColor(clNone).SetWrapText(false);
  EXPECT_FALSE(packed.Style().FontUnpacked());
  EXPECT_FALSE(packed.Style().BordersUnpacked());
  packed.SetFontSizeAdd(2);
  EXPECT_EQ(packed.Font_ReadOnly().Size(), 12);
}

TEST_F(Styles, ClearDiffersFromANewStyle) {
  TExportCell& c = row.AddCellString("c").SetBGColor(1).SetFontSize(20).SetBorders(cbOutline, ebThick, 0);
  c.StyleClear();
  EXPECT_EQ(c.VAlignment(), cavAuto);
  EXPECT_EQ(c.BGColor(), clNone);
  EXPECT_EQ(c.Style().FontId(), 0);
  EXPECT_FALSE(c.Style().FontUnpacked());
  EXPECT_EQ(c.Borders_ReadOnly(), TExportCellBorders());
  c.StyleAssignFromSheet();
  EXPECT_EQ(c.VAlignment(), cavTop);
}

TEST_F(Styles, ToolkitAlignmentMapping) {
  TExportCell& c = row.AddCellString("x");
  EXPECT_EQ(c.SetAlignment(taRightJustify, cahLeft).Alignment(), cahRight);
  EXPECT_EQ(c.SetAlignment(taLeftJustify, cahJustify).Alignment(), cahJustify);
  EXPECT_EQ(c.SetVAlignment(taVerticalCenter, cavTop).VAlignment(), cavCenter);
  EXPECT_EQ(c.SetVAlignment(taAlignTop, cavDistributed).VAlignment(), cavDistributed);
}

}  // namespace
}  // namespace sheet
