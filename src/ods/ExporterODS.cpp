#include "ods/ExporterODS.h"

#include <cstdio>
#include <ostream>

#include "ods/AutomaticStyles.h"
#include "ods/DocumentStyles.h"
#include "ods/Namespaces.h"
#include "ods/OdfUnits.h"
#include "ods/TableWriter.h"
#include "sheet/Sizes.h"
#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"
#include "text/LocalTime.h"
#include "xlsx/DeflatedChunks.h"
#include "xlsx/PackageParts.h"
#include "xlsx/XmlText.h"
#include "xlsx/XmlWriter.h"

namespace ods {

using namespace sheet;
using xlsx::TXMLWriter;
using xlsx::TZipArchive;
using xlsx::TZipCompression;

namespace {

constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

bool IsTemplate(const std::string& fileName) { return NormalizeExtension(ExtractFileExt(fileName)) == "ots"; }

std::string MimeType(bool isTemplate) {
  return isTemplate ? "application/vnd.oasis.opendocument.spreadsheet-template"
                    : "application/vnd.oasis.opendocument.spreadsheet";
}

std::string IsoTime(const std::tm& t) {
  char out[96];
  std::snprintf(out, sizeof out, "%04d-%02d-%02dT%02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour,
                t.tm_min, t.tm_sec);
  return out;
}

// meta.xml: the program, the author and when the workbook was written.
std::string MetaXml(const TExportWorkbook& workbook, const std::tm& now) {
  std::string out = kXmlDeclaration;
  TXMLWriter w(out, {xlsx::TXMLLineBreak::lbLF, false});
  w.Start("office:document-meta");
  WriteNamespaces(w);
  w.Attribute("office:version", kOdfVersion).EndStart();
  w.Start("office:meta").EndStart();
  w.TextElement("meta:generator", workbook.Application().empty() ? std::string("Nabidka") : workbook.Application());
  if (!workbook.Title().empty()) w.TextElement("dc:title", workbook.Title());
  if (!workbook.Author().empty()) w.TextElement("meta:initial-creator", workbook.Author());
  w.TextElement("meta:creation-date", IsoTime(now));
  w.TextElement("dc:date", IsoTime(now));
  w.End("office:meta");
  w.End("office:document-meta");
  return out;
}

// META-INF/manifest.xml: the package and every part with its media type.
std::string ManifestXml(const TExportWorkbook& workbook, bool isTemplate) {
  std::string out = kXmlDeclaration;
  TXMLWriter w(out);
  w.Start("manifest:manifest").Attribute("xmlns:manifest", "urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");
  w.Attribute("manifest:version", kOdfVersion).EndStart();
  auto entry = [&](const std::string& path, const std::string& type, bool version) {
    w.Start("manifest:file-entry").Attribute("manifest:full-path", path);
    if (version) w.Attribute("manifest:version", kOdfVersion);
    w.Attribute("manifest:media-type", type).EndEmpty();
  };
  entry("/", MimeType(isTemplate), true);
  for (const char* part : {"content.xml", "styles.xml", "meta.xml"}) entry(part, "text/xml", false);
  const TExportDrawings& drawings = workbook.Drawings();
  for (int i = 0; i < drawings.Count(); ++i) {
    if (!drawings.GetI(i).IsImage()) continue;
    const auto& image = static_cast<const TExportImage&>(drawings.GetI(i));
    entry(PicturePath(image), xlsx::MediaType(image.Ext()), false);
  }
  w.End("manifest:manifest");
  return out;
}

// Pictures/imageN.ext, stored: the formats are compressed already.
void WritePictures(TZipArchive& archive, TExportWorkbook& workbook) {
  const TExportDrawings& drawings = workbook.Drawings();
  for (int i = 0; i < drawings.Count(); ++i) {
    if (!drawings.GetI(i).IsImage()) continue;
    if (i % 10 == 0) workbook.DoProgress(epnDrawings, i, drawings.Count());
    const auto& image = static_cast<const TExportImage&>(drawings.GetI(i));
    const TZipCompression compression = image.Ext() == "bmp" ? TZipCompression::zcDeflate : TZipCompression::zcStored;
    if (!image.SourceFileName().empty()) {
      xlsx::TFileStream file(image.SourceFileName(), xlsx::TFileStream::TMode::fmRead);
      archive.AddFromStream(PicturePath(image), file, compression);
    } else {
      xlsx::TStringReadStream data(image.Data());
      archive.AddFromStream(PicturePath(image), data, compression);
    }
  }
}

}  // namespace

TExporterODS::TExporterODS() : TCustomExporter(kFormatOds, "Open Office Calc", {"ods", "ots"}) {}

std::unique_ptr<TCustomExporter> TExporterODS::CreateNew() const {
  auto copy = std::make_unique<TExporterODS>();
  copy->fClock = fClock;
  copy->fThreaded = fThreaded;
  return copy;
}

double TExporterODS::GetMultiLineRowHeight(const TExportCell& cell, double realColWidth) const {
  return MultiLineCellHeight(cell, realColWidth, DefaultTextMeasure());
}

void TExporterODS::SaveToStream(std::ostream& stream) {
  if (!Owner()) throw EExportException("TExporterODS.SaveToStream: no workbook to save");
  xlsx::TOStreamAdapter destination(stream);
  SaveWorkbook(*Owner(), destination);
  stream.flush();
  if (!stream) throw xlsx::EStreamError("Error writing to the destination stream");
}

// content.xml: the tables are written first, into deflated chunks, since the
// automatic styles they make stand before them in the part.
void TExporterODS::WriteContent(TExportWorkbook& workbook, TZipArchive& archive) const {
  const text::TRegionalSettings region = text::ProcessRegionalSettings();
  TAutomaticStyles styles(workbook, region);
  TTableWriter tables(styles, *this, region);
  xlsx::TDeflatedChunks chunks(fThreaded);
  TExportWorkSheets& sheets = workbook.WorkSheets();
  for (int i = 0; i < sheets.Count(); ++i) sheets.GetWS(i).PackStyles();
  for (int i = 0; i < sheets.Count(); ++i) {
    workbook.DoProgress(epnWorksheet, i, sheets.Count(), sheets.GetWS(i).Title());
    tables.Write(sheets.GetWS(i), MasterPageName(i), chunks);
  }
  workbook.DoProgress(epnWorksheet, sheets.Count(), sheets.Count());
  chunks.Finish();

  std::string head = kXmlDeclaration;
  TXMLWriter w(head);
  w.Start("office:document-content");
  WriteNamespaces(w);
  w.Attribute("office:version", kOdfVersion).EndStart();
  WriteFontFaces(w, workbook);
  styles.Write(w);
  w.Raw("<office:body><office:spreadsheet>");
  const std::string tail = "</office:spreadsheet></office:body></office:document-content>";
  archive.AddFromWriter("content.xml", [&](xlsx::TZipEntryStream& entry) {
    entry.Write(head);
    chunks.WriteTo(entry, [&](int pos, int count) { workbook.DoProgress(epnCompress, pos, count); });
    entry.Write(tail);
  });
}

void TExporterODS::SaveWorkbook(TExportWorkbook& workbook, xlsx::TSeekableStream& stream) {
  SetOwner(&workbook);
  workbook.CheckTitles();
  workbook.DoProgress(epnStart, 0, 1, kProgressExport);
  const bool isTemplate = IsTemplate(TargetFileName());
  TZipArchive archive;
  if (fClock) archive.SetClock(fClock);
  archive.OpenStream(stream, xlsx::TZipMode::zmWrite);
  // A reader recognises the package by this first entry, stored.
  archive.AddFromBuffer("mimetype", MimeType(isTemplate), TZipCompression::zcStored);
  WriteContent(workbook, archive);
  archive.AddFromBuffer("styles.xml", DocumentStylesXml(workbook));
  archive.AddFromBuffer("meta.xml", MetaXml(workbook, fClock ? fClock() : text::LocalNow()));
  WritePictures(archive, workbook);
  archive.AddFromBuffer("META-INF/manifest.xml", ManifestXml(workbook, isTemplate));
  workbook.DoProgress(epnSave, 0, 1);
  archive.Close();
  workbook.DoProgress(epnFinish, 1, 1);
}

void RegisterOdsFormat() {
  TExporterRegistry& registry = ExporterRegistry();
  if (registry.Find<TExporterODS>()) return;
  registry.Register(std::make_unique<TExporterODS>(), 2);
}

}  // namespace ods
