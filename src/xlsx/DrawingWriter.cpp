#include "xlsx/WorksheetWriter.h"

#include <cmath>

#include "sheet/Workbook.h"
#include "xlsx/PackageParts.h"
#include "xlsx/TextWriter.h"
#include "xlsx/XmlDocument.h"
#include "xlsx/XmlText.h"

namespace xlsx {

using namespace sheet;

namespace {

std::string RGBText(TColor color) { return ColorToARGB(color).substr(2); }

}  // namespace

// One drawing part per sheet with pictures: written piece by piece into an
// entry stream, each anchor a small tree serialised and dropped at once.
void TWorksheetWriter::WriteDrawing(const std::vector<TPicture>& pictures, int n) {
  const std::string number = IntText(n);
  TZipEntryStream* entry = fArchive.AddFromExternalStreamPrepare("xl\\drawings\\drawing" + number + ".xml");
  if (entry) {
    try {
      TTextWriter head;
      head.InitStream(*entry, false);
      head.WriteString(kXmlDeclarationLine);
      head.WriteString(std::string("<xdr:wsDr xmlns:xdr=\"") + ns::kXdr + "\" xmlns:a=\"" + ns::kA + "\">");
      head.ReleaseDocument();
      TXMLDocument anchor(false);
      anchor.WriterSettings().fWriteBOM = false;
      anchor.WriterSettings().fStrictXML = false;
      for (std::size_t k = 0; k < pictures.size(); ++k) {
        const TPicture& p = pictures[k];
        const TExportCellDrawing& placement = *p.fPlacement;
        const auto& image = static_cast<const TExportImage&>(*placement.Drawing());
        const TExportRect& rect = placement.Rect();
        TXMLNode& a = anchor.Node().AddChild("xdr:twoCellAnchor");
        a.SetAttribute("editAs", "oneCell");
        TXMLNode& from = a.AddChild("xdr:from");
        from.AddTextChild("xdr:col", IntText(p.fCol));
        from.AddTextChild("xdr:colOff", IntText(static_cast<long long>(rect.Left) * kEmuPerPixel));
        from.AddTextChild("xdr:row", IntText(p.fRow));
        from.AddTextChild("xdr:rowOff", IntText(static_cast<long long>(rect.Top) * kEmuPerPixel));
        // Walk from the owning cell over the columns and rows the picture covers.
        double x = rect.Right, y = rect.Bottom;
        int col = p.fCol, row = p.fRow;
        while (x >= fMetrics.ColWidth(static_cast<std::size_t>(col)) && fMetrics.ColWidth(static_cast<std::size_t>(col)) > 0)
          x -= fMetrics.ColWidth(static_cast<std::size_t>(col++));
        while (y >= fMetrics.RowHeight(static_cast<std::size_t>(row)) && fMetrics.RowHeight(static_cast<std::size_t>(row)) > 0)
          y -= fMetrics.RowHeight(static_cast<std::size_t>(row++));
        TXMLNode& to = a.AddChild("xdr:to");
        to.AddTextChild("xdr:col", IntText(col));
        to.AddTextChild("xdr:colOff", IntText(static_cast<long long>(std::nearbyint(x)) * kEmuPerPixel));
        to.AddTextChild("xdr:row", IntText(row));
        to.AddTextChild("xdr:rowOff", IntText(static_cast<long long>(std::nearbyint(y)) * kEmuPerPixel));
        TXMLNode& pic = a.AddChild("xdr:pic");
        TXMLNode& nv = pic.AddChild("xdr:nvPicPr");
        nv.AddChild("xdr:cNvPr")
            .SetAttribute("id", IntText(static_cast<long long>(k) + 1))
            .SetAttribute("name", image.Name())
            .SetAttribute("descr", image.Name() + "." + image.Ext());
        nv.AddChild("xdr:cNvPicPr").AddChild("a:picLocks").SetAttribute("noChangeAspect", "1");
        TXMLNode& blipFill = pic.AddChild("xdr:blipFill");
        blipFill.AddChild("a:blip")
            .SetAttribute("xmlns:r", ns::kRelationships)
            .SetAttribute("r:embed", "rId" + IntText(static_cast<long long>(k) + 1))
            .SetAttribute("cstate", "print");
        blipFill.AddChild("a:stretch").AddChild("a:fillRect");
        TXMLNode& spPr = pic.AddChild("xdr:spPr");
        spPr.AddChild("a:prstGeom").SetAttribute("prst", "rect").AddChild("a:avLst");
        const TExportDrawingStyle& style = placement.DrawingStyle();
        if (style.fFill.fStyle == edfNone) spPr.AddChild("a:noFill");
        if (style.fFill.fStyle == edfColor)
          spPr.AddChild("a:solidFill").AddChild("a:srgbClr").SetAttribute("val", RGBText(style.fFill.fColor));
        TXMLNode& ln = spPr.AddChild("a:ln");
        if (style.fBorder.fFillStyle == edfNone) {
          ln.AddChild("a:noFill");
        } else {
          if (style.fBorder.fSize >= 0) ln.SetAttribute("w", IntText(static_cast<long long>(style.fBorder.fSize) * 8800));
          if (style.fBorder.fFillStyle == edfColor)
            ln.AddChild("a:solidFill").AddChild("a:srgbClr").SetAttribute("val", RGBText(style.fBorder.fColor));
          if (style.fBorder.fLineStyle == ebsDotted) ln.AddChild("a:prstDash").SetAttribute("val", "sysDot");
          if (style.fBorder.fLineStyle == ebsDashed) ln.AddChild("a:prstDash").SetAttribute("val", "dash");
        }
        a.AddChild("xdr:clientData");
        anchor.SaveToStream(*entry);
        anchor.Clear();
      }
      entry->Write("</xdr:wsDr>");
    } catch (...) {
      try { fArchive.AddFromExternalStreamFinish(); } catch (...) {}
      throw;
    }
    fArchive.AddFromExternalStreamFinish();
  }

  std::string rels = kXmlDeclarationLine;
  rels += std::string("<Relationships xmlns=\"") + ns::kPackageRelationships + "\">";
  for (std::size_t k = 0; k < pictures.size(); ++k) {
    const auto& image = static_cast<const TExportImage&>(*pictures[k].fPlacement->Drawing());
    rels += "<Relationship Id=\"rId" + IntText(static_cast<long long>(k) + 1) + "\" Type=\"" + ns::kRelationships +
            "/image\" Target=\"/xl/media/image" + IntText(image.DrawingIndex() + 1) + "." + TemplateEscape(image.Ext()) + "\" />";
  }
  rels += "</Relationships>";
  fArchive.AddFromBuffer("xl\\drawings\\_rels\\drawing" + number + ".xml.rels", rels);
}

}  // namespace xlsx
