#include <gtest/gtest.h>

#include <sstream>

#include "sheet/Exceptions.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Progress.h"

namespace sheet {
namespace {

class TFakeExporter : public TCustomExporter {
 public:
  TFakeExporter(std::string id, std::string filter, std::vector<std::string> exts)
      : TCustomExporter(std::move(id), std::move(filter), std::move(exts)) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override {
    return std::make_unique<TFakeExporter>(FormatId(), FilterText(), ExtList());
  }
};

TExporterRegistry& Standard() {
  static TExporterRegistry registry;
  if (registry.Count() == 0) registry.RegisterStandardFormats();
  return registry;
}

TEST(FormatRegistryOrder, StartUpOrderAndFilterStrings) {
  const auto& r = Standard();
  ASSERT_EQ(r.Count(), 5);
  EXPECT_EQ(r.At(0).FormatId(), kFormatXlsx);
  EXPECT_EQ(r.At(1).FormatId(), kFormatXls);
  EXPECT_EQ(r.At(2).FormatId(), kFormatOds);
  EXPECT_EQ(r.At(3).FormatId(), kFormatCsv);
  EXPECT_EQ(r.At(4).FormatId(), kFormatZipCsv);
  EXPECT_EQ(r.DefaultExporter(), &r.At(0));
  const std::string types =
      "Excel 2007 (*.xlsx,*.xlsm,*.xltx,*.xltm)|*.xlsx;*.xlsm;*.xltx;*.xltm|Excel 97, 2000, XP (*.xls,*.xlt)|*.xls;*.xlt|"
      "Open Office Calc (*.ods,*.ots)|*.ods;*.ots|CSV comma-separated text (*.csv,*.txt)|*.csv;*.txt|"
      "Zipped CSV (*.zip)|*.zip";
  const std::string all = "*.xlsx;*.xlsm;*.xltx;*.xltm;*.xls;*.xlt;*.ods;*.ots;*.csv;*.txt;*.zip";
  EXPECT_EQ(r.FilterString(2), types);
  EXPECT_EQ(r.FilterString(0), "All supported files|" + all + "|" + types);
  EXPECT_EQ(r.FilterString(1), types + "|All supported files|" + all);
  EXPECT_EQ(ExporterRegistry().FilterString(2), types);  // the process-wide registry starts the same
}

TEST(FormatRegistryLookup, ExtensionsIgnoreCase) {
  const auto& r = Standard();
  EXPECT_EQ(r.FindByFileName("Seznam.XLS"), &r.At(1));
  EXPECT_EQ(r.FindByFileName("/data/offer.xlsm"), &r.At(0));
  EXPECT_EQ(r.FindByFileName("data.txt"), &r.At(3));
  EXPECT_EQ(r.FindByFileName("archive.ZIP"), &r.At(4));
  EXPECT_EQ(r.FindByExtension(".OTS"), &r.At(2));
  EXPECT_EQ(r.FindByExtension("xltx"), &r.At(0));
  EXPECT_EQ(r.FindByFileName("offer.pdf"), nullptr);
  EXPECT_EQ(r.FindByFileName("offer"), nullptr);
  EXPECT_EQ(r.FindByFileName("offer."), nullptr);
  EXPECT_EQ(r.FindByFileName("dir.xls/offer"), nullptr);  // a dot in a folder is no extension
  EXPECT_EQ(r.FindByExtension(""), nullptr);
  EXPECT_EQ(r.FindByFormat(kFormatOds), &r.At(2));
}

TEST(FormatRegistryLookup, FilterIndexes) {
  const auto& r = Standard();
  EXPECT_EQ(r.FilterIndexOfExtension(".xls", 2, 7), 2);
  EXPECT_EQ(r.FilterIndexOfExtension(".XLS", 1, 7), 2);
  EXPECT_EQ(r.FilterIndexOfExtension(".xls", 0, 7), 3);
  EXPECT_EQ(r.FilterIndexOfExtension(".pdf", 2, 7), 7);
  EXPECT_EQ(r.ExporterOfFilterIndex(3, "x.xlsx", 2), &r.At(2));
  EXPECT_EQ(r.ExporterOfFilterIndex(5, "", 2), &r.At(4));
  EXPECT_EQ(r.ExporterOfFilterIndex(6, "x.csv", 2), &r.At(3));  // past the list: by extension
  EXPECT_EQ(r.ExporterOfFilterIndex(0, "x.ods", 2), &r.At(2));
  EXPECT_EQ(r.ExporterOfFilterIndex(0, "x.pdf", 2), nullptr);
  EXPECT_EQ(r.ExporterOfFilterIndex(2, "x.csv", 0), &r.At(0));  // mode 0: the all-formats entry is 1
  EXPECT_EQ(r.ExporterOfFilterIndex(1, "x.csv", 0), &r.At(3));
  EXPECT_EQ(r.ExporterOfFilterIndex(6, "", 0), &r.At(4));
}

TEST(FormatRegistryRegistration, RealFormatsReplacePlaceholders) {
  TExporterRegistry r;
  r.RegisterStandardFormats();
  auto* fake = new TFakeExporter(kFormatXls, "Excel 97, 2000, XP", {"XLS", ".xlt"});
  r.Register(std::unique_ptr<TCustomExporter>(fake), 4);  // the placeholder's place wins
  EXPECT_EQ(r.Count(), 5);
  EXPECT_EQ(&r.At(1), fake);
  EXPECT_EQ(r.Find<TFakeExporter>(), fake);
  EXPECT_EQ(fake->ExtList(), (std::vector<std::string>{"xls", "xlt"}));  // normalised
  EXPECT_EQ(r.FindByFileName("a.XLT"), fake);

  // a second real exporter of the same format is a new entry
  r.Register(std::make_unique<TFakeExporter>(kFormatXls, "Other", std::vector<std::string>{"xls"}), 99);
  EXPECT_EQ(r.Count(), 6);
  EXPECT_EQ(r.At(5).FilterText(), "Other");
  EXPECT_EQ(r.FindByExtension("xls"), fake);  // the first in order wins
  r.Register(std::make_unique<TFakeExporter>("pdf", "PDF", std::vector<std::string>{"pdf"}), 0);
  EXPECT_EQ(r.At(0).FormatId(), "pdf");
  EXPECT_EQ(r.IndexOf(fake), 2);
  r.Clear();
  EXPECT_EQ(r.DefaultExporter(), nullptr);
  EXPECT_THROW(r.At(0), EExportException);
}

TEST(FormatRegistryRegistration, PlaceholdersRefuseToWrite) {
  std::ostringstream out;
  TCustomExporter& ods = *Standard().FindByFormat(kFormatOds);
  try {
    ods.SaveToStream(out);
    FAIL() << "a placeholder wrote";
  } catch (const EExportException& e) {
    EXPECT_NE(std::string(e.what()).find("Open Office Calc"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("cannot be written yet"), std::string::npos);
  }
  EXPECT_TRUE(out.str().empty());
  EXPECT_EQ(ods.CreateNew()->FormatId(), kFormatOds);
}

TEST(FormatRegistryFileNames, SaveDialogExtensionFixing) {
  const auto& r = Standard();
  const TCustomExporter& xlsx = r.At(0);
  EXPECT_EQ(FixSaveFileExtension("nabidka", xlsx, r), "nabidka.xlsx");
  EXPECT_EQ(FixSaveFileExtension("nabidka.xls", xlsx, r), "nabidka.xlsx");
  EXPECT_EQ(FixSaveFileExtension("nabidka.XLSX", xlsx, r), "nabidka.XLSX");
  EXPECT_EQ(FixSaveFileExtension("nabidka.xlsm", xlsx, r), "nabidka.xlsm");
  EXPECT_EQ(FixSaveFileExtension("nabidka.old", xlsx, r), "nabidka.old.xlsx");
  EXPECT_EQ(FixSaveFileExtension("/tmp/v1.2/offer.ODS", xlsx, r), "/tmp/v1.2/offer.xlsx");
  EXPECT_EQ(FixSaveFileExtension("nabidka.", xlsx, r), "nabidka.xlsx");
  EXPECT_EQ(FixSaveFileExtension("data.csv", r.At(3), r), "data.csv");
  EXPECT_EQ(FileNameFromTitle("a/b\\c:d*e?f\"g<h>i|j"), "a-b-c-d-e-f-g-h-i-j");
  EXPECT_EQ(ExtractFileExt("/a/b.c/offer.tar.gz"), ".gz");
  EXPECT_EQ(ExtractFileDir("/a/b/offer.xlsx"), "/a/b");
  EXPECT_EQ(ExtractFileDir("offer.xlsx"), "");
  EXPECT_EQ(ExtractFileName("/a/b/offer.xlsx"), "offer.xlsx");
  EXPECT_EQ(NormalizeExtension(".XLSX"), "xlsx");
}

class TRecordingWindow : public TProgressWindow {
 public:
  explicit TRecordingWindow(std::vector<std::string>& captions) : fCaptions(captions) {}
  void SetCaption(const std::string& caption) override { fCaptions.push_back(caption); }
  void SetProgress(int, int) override {}
  std::vector<std::string>& fCaptions;
};

TEST(FormatRegistryProgress, StepTable) {
  std::vector<std::string> captions;
  TExportProgressDialog dialog(std::make_unique<TRecordingWindow>(captions));
  dialog.Notify(epnStart, 0, 0, "Export");
  EXPECT_EQ(dialog.Caption(), "Export");
  EXPECT_EQ(dialog.Count(), 1);
  dialog.Notify(epnWorksheet, 1, 3, "Nabídka");
  EXPECT_EQ(dialog.Caption(), "Worksheet 2/3: Nabídka");
  dialog.Notify(epnRow, 40, 100, "40");
  EXPECT_EQ(dialog.Caption(), "Worksheet 2/3: Nabídka\r\nExported rows: 40");
  EXPECT_EQ(dialog.Position(), 40);
  dialog.Notify(epnRow, 41, 100, "");
  EXPECT_EQ(dialog.Caption(), "Worksheet 2/3: Nabídka");
  dialog.Notify(epnWorksheet, 3, 3, "");  // past the last worksheet: caption kept
  EXPECT_EQ(dialog.Caption(), "Worksheet 2/3: Nabídka");
  dialog.Notify(epnRow, 1, 2, "7");
  dialog.Notify(epnCompress, 1, 2, "");
  EXPECT_EQ(dialog.Caption(), "Compressing");  // a new first line drops the second
  dialog.Notify(epnSharedString, 5, 9, "");
  EXPECT_EQ(dialog.Caption(), "Shared strings");
  dialog.Notify(epnFinish, 1, 1, "");
  EXPECT_EQ(dialog.Caption(), "");
  EXPECT_FALSE(captions.empty());
}

}  // namespace
}  // namespace sheet
