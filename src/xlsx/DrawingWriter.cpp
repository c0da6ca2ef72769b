#include "xlsx/WorksheetWriter.h"

#include <cmath>

#include "sheet/Workbook.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace xlsx {

using namespace sheet;

namespace {

std::string RGBText(TColor color) { return ColorToARGB(color).substr(2); }

// The anchors are written to the entry in pieces of about this size.
constexpr std::size_t kDrawingFlushBytes = 64 * 1024;

// <name>value</name>
void WriteIntElement(TXMLWriter& w, const char* name, long long value) {
  w.Start(name).EndStart();
  w.Integer(value);
  w.End(name);
}

// <xdr:from> or <xdr:to>: a cell and the offset into it, pixels given in EMU.
void WriteAnchorCell(TXMLWriter& w, const char* name, int col, long long colOffset, int row, long long rowOffset) {
  w.Start(name).EndStart();
  WriteIntElement(w, "xdr:col", col);
  WriteIntElement(w, "xdr:colOff", colOffset * TWorksheetWriter::kEmuPerPixel);
  WriteIntElement(w, "xdr:row", row);
  WriteIntElement(w, "xdr:rowOff", rowOffset * TWorksheetWriter::kEmuPerPixel);
  w.End(name);
}

// <xdr:nvPicPr>: the picture's id, name and description.
void WriteNonVisualProperties(TXMLWriter& w, const TExportImage& image, int id) {
  w.Start("xdr:nvPicPr").EndStart();
  w.Start("xdr:cNvPr").Attribute("id", id).Attribute("name", image.Name()).Attribute("descr", image.Name() + "." + image.Ext());
  w.EndEmpty();
  w.Start("xdr:cNvPicPr").EndStart();
  w.Start("a:picLocks").Attribute("noChangeAspect", 1).EndEmpty();
  w.End("xdr:cNvPicPr");
  w.End("xdr:nvPicPr");
}

// <xdr:blipFill>: the image relationship, stretched over the frame.
void WriteBlipFill(TXMLWriter& w, int relId) {
  w.Start("xdr:blipFill").EndStart();
  w.Start("a:blip").Attribute("xmlns:r", ns::kRelationships).Attribute("r:embed", "rId" + IntText(relId));
  w.Attribute("cstate", "print").EndEmpty();
  w.Raw("<a:stretch><a:fillRect/></a:stretch>");
  w.End("xdr:blipFill");
}

// <a:solidFill> of one RGB colour.
void WriteSolidFill(TXMLWriter& w, TColor color) {
  w.Start("a:solidFill").EndStart();
  w.Start("a:srgbClr").Attribute("val", RGBText(color)).EndEmpty();
  w.End("a:solidFill");
}

// <a:ln>: the frame's line, none or with width, colour and dashes.
void WriteLine(TXMLWriter& w, const TExportDrawingBorder& border) {
  w.Start("a:ln");
  if (border.fFillStyle == edfNone) {
    w.EndStart();
    w.Raw("<a:noFill/>");
    return w.End("a:ln");
  }
  if (border.fSize >= 0) w.Attribute("w", static_cast<long long>(border.fSize) * 8800);
  const std::size_t body = w.OpenBody();
  if (border.fFillStyle == edfColor) WriteSolidFill(w, border.fColor);
  if (border.fLineStyle == ebsDotted) w.Start("a:prstDash").Attribute("val", "sysDot").EndEmpty();
  if (border.fLineStyle == ebsDashed) w.Start("a:prstDash").Attribute("val", "dash").EndEmpty();
  w.CloseBody(body, "a:ln");
}

// <xdr:spPr>: rectangle geometry, fill and line.
void WriteShapeProperties(TXMLWriter& w, const TExportDrawingStyle& style) {
  w.Start("xdr:spPr").EndStart();
  w.Raw("<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom>");
  if (style.fFill.fStyle == edfNone) w.Raw("<a:noFill/>");
  if (style.fFill.fStyle == edfColor) WriteSolidFill(w, style.fFill.fColor);
  WriteLine(w, style.fBorder);
  w.End("xdr:spPr");
}

}  // namespace

// <xdr:twoCellAnchor> of picture k: from the owning cell over the columns
// and rows the picture covers.
void TWorksheetWriter::WriteAnchor(TXMLWriter& w, const TPicture& p, int k) const {
  const TExportCellDrawing& placement = *p.fPlacement;
  const auto& image = static_cast<const TExportImage&>(*placement.Drawing());
  const TExportRect& rect = placement.Rect();
  double x = rect.Right, y = rect.Bottom;
  int col = p.fCol, row = p.fRow;
  while (x >= fMetrics.ColWidth(static_cast<std::size_t>(col)) && fMetrics.ColWidth(static_cast<std::size_t>(col)) > 0)
    x -= fMetrics.ColWidth(static_cast<std::size_t>(col++));
  while (y >= fMetrics.RowHeight(static_cast<std::size_t>(row)) && fMetrics.RowHeight(static_cast<std::size_t>(row)) > 0)
    y -= fMetrics.RowHeight(static_cast<std::size_t>(row++));
  w.Start("xdr:twoCellAnchor").Attribute("editAs", "oneCell").EndStart();
  WriteAnchorCell(w, "xdr:from", p.fCol, rect.Left, p.fRow, rect.Top);
  WriteAnchorCell(w, "xdr:to", col, static_cast<long long>(std::nearbyint(x)), row, static_cast<long long>(std::nearbyint(y)));
  w.Start("xdr:pic").EndStart();
  WriteNonVisualProperties(w, image, k + 1);
  WriteBlipFill(w, k + 1);
  WriteShapeProperties(w, placement.DrawingStyle());
  w.End("xdr:pic");
  w.Raw("<xdr:clientData/>");
  w.End("xdr:twoCellAnchor");
}

// One drawing part per sheet with pictures, streamed into its entry, and its relationships.
void TWorksheetWriter::WriteDrawing(int n) {
  const std::vector<TPicture>& pictures = fFound.fPictures;
  const std::string number = IntText(n);
  fArchive.AddFromWriter("xl\\drawings\\drawing" + number + ".xml", [&](TZipEntryStream& entry) {
    std::string buffer = kXmlDeclarationLine;
    // Picture names are the files' own: characters XML cannot carry pass as they are.
    TXMLWriter w(buffer, {TXMLLineBreak::lbLF, false});
    w.Start("xdr:wsDr").Attribute("xmlns:xdr", ns::kXdr).Attribute("xmlns:a", ns::kA).EndStart();
    for (std::size_t k = 0; k < pictures.size(); ++k) {
      WriteAnchor(w, pictures[k], static_cast<int>(k));
      if (buffer.size() >= kDrawingFlushBytes) {
        entry.Write(buffer);
        buffer.clear();
      }
    }
    w.End("xdr:wsDr");
    entry.Write(buffer);
  });

  std::vector<std::string> media;
  for (const TPicture& p : pictures) {
    const auto& image = static_cast<const TExportImage&>(*p.fPlacement->Drawing());
    media.push_back("/xl/media/image" + IntText(image.DrawingIndex() + 1) + "." + image.Ext());
  }
  fArchive.AddFromBuffer("xl\\drawings\\_rels\\drawing" + number + ".xml.rels", DrawingRelsXml(media));
}

}  // namespace xlsx
