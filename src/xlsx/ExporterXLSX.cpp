#include "xlsx/ExporterXLSX.h"

#include <algorithm>
#include <ostream>

#include "sheet/Sizes.h"
#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"
#include "xlsx/PackageParts.h"
#include "xlsx/SharedStrings.h"
#include "xlsx/StyleSheet.h"
#include "xlsx/WorksheetWriter.h"
#include "xlsx/XmlText.h"

namespace xlsx {

using namespace sheet;

TExporterXLSX::TExporterXLSX() : TCustomExporter(kFormatXlsx, "Excel 2007", {"xlsx", "xlsm", "xltx", "xltm"}) {}

std::unique_ptr<TCustomExporter> TExporterXLSX::CreateNew() const {
  auto copy = std::make_unique<TExporterXLSX>();
  copy->fClock = fClock;
  copy->fThreaded = fThreaded;
  return copy;
}

double TExporterXLSX::GetMultiLineRowHeight(const TExportCell& cell, double realColWidth) const {
  return MultiLineCellHeight(cell, realColWidth, DefaultTextMeasure());
}

void TExporterXLSX::SaveToStream(std::ostream& stream) {
  if (!Owner()) throw EExportException("TExporterXLSX.SaveToStream: no workbook to save");
  TOStreamAdapter destination(stream);
  SaveWorkbook(*Owner(), destination);
  stream.flush();
  if (!stream) throw EStreamError("Error writing to the destination stream");
}

namespace {

bool StoredImageType(const std::string& ext) {
  static const char* const kStored[] = {"jpg", "jpeg", "png", "gif", "tif", "tiff"};
  return std::any_of(std::begin(kStored), std::end(kStored), [&](const char* e) { return ext == e; });
}

// The extensions of the workbook's pictures with their media types, for [Content_Types].xml.
std::vector<std::pair<std::string, std::string>> ImageExtensions(const TExportDrawings& drawings) {
  std::vector<std::pair<std::string, std::string>> extensions;
  for (int i = 0; i < drawings.Count(); ++i) {
    const TExportDrawing& d = drawings.GetI(i);
    if (!d.IsImage()) continue;
    const std::string& ext = static_cast<const TExportImage&>(d).Ext();
    if (ext == "xml") continue;
    if (std::none_of(extensions.begin(), extensions.end(), [&](const auto& e) { return e.first == ext; }))
      extensions.emplace_back(ext, MediaType(ext));
  }
  return extensions;
}

// The workbook, relationship, property and theme parts.
void WritePackageParts(TZipArchive& archive, const TExportWorkbook& workbook, const TPackageInfo& info) {
  archive.AddFromBuffer("[Content_Types].xml", ContentTypesXml(info));
  archive.AddFromBuffer("_rels\\.rels", RootRelsXml());
  archive.AddFromBuffer("xl\\_rels\\workbook.xml.rels", WorkbookRelsXml(info));
  archive.AddFromBuffer("xl\\workbook.xml", WorkbookXml(workbook, info));
  archive.AddFromBuffer("docProps\\core.xml", CoreXml(workbook));
  archive.AddFromBuffer("docProps\\app.xml", AppXml(workbook));
  archive.AddFromBuffer("xl\\theme\\theme1.xml", ThemeXml());
}

// xl/media/imageN.ext; a picture kept in its file is copied from there in blocks.
void WriteMedia(TZipArchive& archive, TExportWorkbook& workbook) {
  const TExportDrawings& drawings = workbook.Drawings();
  int pictureCount = 0;
  for (int i = 0; i < drawings.Count(); ++i) pictureCount += drawings.GetI(i).IsImage() ? 1 : 0;
  for (int i = 0, k = 0; i < drawings.Count(); ++i) {
    const TExportDrawing& d = drawings.GetI(i);
    if (!d.IsImage()) continue;
    if (k % 10 == 0) workbook.DoProgress(epnDrawings, k, pictureCount);
    ++k;
    const auto& image = static_cast<const TExportImage&>(d);
    const std::string entry = "xl\\media\\image" + IntText(i + 1) + "." + image.Ext();
    const TZipCompression compression = StoredImageType(image.Ext()) ? TZipCompression::zcStored : TZipCompression::zcDeflate;
    if (!image.SourceFileName().empty()) {
      TFileStream file(image.SourceFileName(), TFileStream::TMode::fmRead);
      archive.AddFromStream(entry, file, compression);
    } else {
      TStringReadStream data(image.Data());
      archive.AddFromStream(entry, data, compression);
    }
  }
}

}  // namespace

// The sheets in order. The writers only read the model, so what they need
// resolved (packed styles) is resolved first, for every sheet: the workbook's
// font and border lists must be complete before the style sheet numbers the
// border sets of merged cells after them.
void TExporterXLSX::WriteWorksheets(TExportWorkbook& workbook, TZipArchive& archive, TExporterXLSX_StyleSheet& styles,
                                    TXLSXSharedStrings_Export& sharedStrings, TPackageInfo& info) const {
  TExportWorkSheets& sheets = workbook.WorkSheets();
  info.fSheetCount = sheets.Count();
  for (int i = 0; i < sheets.Count(); ++i) sheets.GetWS(i).PackStyles();
  TWorksheetWriter writer(archive, styles, sharedStrings, *this, fThreaded);
  for (int i = 0; i < sheets.Count(); ++i) {
    const TExportWorkSheet& sheet = sheets.GetWS(i);
    workbook.DoProgress(epnWorksheet, i, sheets.Count(), sheet.Title());
    const std::string drawing = writer.Write(sheet, i);
    if (!drawing.empty()) info.fDrawingParts.push_back(drawing);
    info.fDefinedNames += TWorksheetWriter::DefinedNames(sheet, i);
  }
  info.fDefinedNames += TWorksheetWriter::WorkbookDefinedNames(workbook);
  workbook.DoProgress(epnWorksheet, sheets.Count(), sheets.Count());
}

void TExporterXLSX::SaveWorkbook(TExportWorkbook& workbook, TSeekableStream& stream) {
  SetOwner(&workbook);
  workbook.CheckTitles();
  workbook.DoProgress(epnStart, 0, 1, kProgressExport);

  TZipArchive archive;
  if (fClock) archive.SetClock(fClock);
  archive.OpenStream(stream, TZipMode::zmWrite);
  TExporterXLSX_StyleSheet styles(workbook);
  TXLSXSharedStrings_Export sharedStrings;
  TPackageInfo info;
  info.fMainContentType = MainContentTypeFor(ExtractFileExt(TargetFileName()));
  WriteWorksheets(workbook, archive, styles, sharedStrings, info);

  styles.ExportXLSX(archive);
  info.fHasSharedStrings = sharedStrings.Count() > 0;
  sharedStrings.ExportXLSX(archive, [&](std::size_t pos, std::size_t count) {
    workbook.DoProgress(epnSharedString, static_cast<int>(pos), static_cast<int>(count));
  }, fThreaded);
  info.fImageExtensions = ImageExtensions(workbook.Drawings());
  WritePackageParts(archive, workbook, info);
  WriteMedia(archive, workbook);

  workbook.DoProgress(epnSave, 0, 1);
  archive.Close();
  workbook.DoProgress(epnFinish, 1, 1);
}

void RegisterXlsxFormat() {
  TExporterRegistry& registry = ExporterRegistry();
  if (registry.Find<TExporterXLSX>()) return;
  registry.Register(std::make_unique<TExporterXLSX>(), 0);
}

}  // namespace xlsx
