#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>


#include "sheet/Workbook.h"
#include "TestPlatform.h"

namespace sheet {
namespace {

namespace fs = std::filesystem;

// Writes "fake:" and the worksheet titles; fails after writing a part when told to.
class TFakeWriter : public TCustomExporter {
 public:
  TFakeWriter(std::string id, std::string filter, std::vector<std::string> exts)
      : TCustomExporter(std::move(id), std::move(filter), std::move(exts)) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override {
    return std::make_unique<TFakeWriter>(FormatId(), FilterText(), ExtList());
  }
  void SaveToStream(std::ostream& stream) override {
    ++fSaves;
    Owner()->DoProgress(epnStart, 0, 1, "Export");
    stream << "fake:" << FormatId();
    for (auto& ws : Owner()->WorkSheets()) stream << ":" << ws.Title();
    Owner()->DoProgress(epnWorksheet, 0, 1, "x");
    if (fFail) throw EExportException("writer failed");
  }
  bool LoadFromStream(std::istream& stream, TExportWorkbook& workbook) override {
    TCustomExporter::LoadFromStream(stream, workbook);
    std::string content;
    std::getline(stream, content);
    workbook.AddWorkSheet(content);
    ++fLoads;
    return true;
  }
  bool Prepare(TExportWorkbook& workbook) override {
    return fRefuse ? false : TCustomExporter::Prepare(workbook);
  }
  bool fFail = false;
  bool fRefuse = false;
  int fSaves = 0;
  int fLoads = 0;
};

class TFakeDialog : public TSaveDialog {
 public:
  struct TScript {
    bool fAccept = true;
    std::string fTypedName;  // empty: keep the proposal
    int fChosenIndex = -1;   // -1: keep the proposal
    struct TSeen {
      std::string fInitialDir, fFileName, fFilter, fDefaultExt;
      int fFilterIndex = 0;
      bool fOverwritePrompt = false;
    } fSeen;  // what the dialog was shown with
  };
  explicit TFakeDialog(TScript& script) : fScript(script) {}
  bool Execute() override {
    fScript.fSeen.fInitialDir = fInitialDir;
    fScript.fSeen.fFileName = fFileName;
    fScript.fSeen.fFilter = fFilter;
    fScript.fSeen.fFilterIndex = fFilterIndex;
    fScript.fSeen.fDefaultExt = fDefaultExt;
    fScript.fSeen.fOverwritePrompt = fOverwritePrompt;
    if (!fScript.fTypedName.empty()) fFileName = fScript.fTypedName;
    if (fScript.fChosenIndex >= 0) fFilterIndex = fScript.fChosenIndex;
    return fScript.fAccept;
  }
  TScript& fScript;
};

class WorkbookIO : public ::testing::Test {
 protected:
  void SetUp() override {
    // the process id keeps parallel runs of the suite (several build folders) apart
    fDir = fs::temp_directory_path() / ("nabidka-wbio-" + std::to_string(nabidkatest::ProcessId()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(fDir);
    fs::create_directories(fDir);
    auto& r = ExporterRegistry();
    r.Clear();
    r.RegisterStandardFormats();
    fXlsx = static_cast<TFakeWriter*>(&r.Register(std::make_unique<TFakeWriter>(
        kFormatXlsx, "Excel 2007", std::vector<std::string>{"xlsx", "xlsm", "xltx", "xltm"})));
    fXls = static_cast<TFakeWriter*>(
        &r.Register(std::make_unique<TFakeWriter>(kFormatXls, "Excel 97, 2000, XP", std::vector<std::string>{"xls", "xlt"})));
    fOds = static_cast<TFakeWriter*>(
        &r.Register(std::make_unique<TFakeWriter>(kFormatOds, "Open Office Calc", std::vector<std::string>{"ods", "ots"})));
    SetSaveDialogFactory([this] { return std::make_unique<TFakeDialog>(fScript); });
    SetShellOpen([this](const std::string& file, const std::string& dir) { fOpened.push_back(file + "|" + dir); });
    SetDefaultFilterIndex(0);
  }
  void TearDown() override {
    auto& r = ExporterRegistry();
    r.Clear();
    r.RegisterStandardFormats();
    SetSaveDialogFactory(nullptr);
    SetShellOpen(nullptr);
    SetProgressWindowFactory(nullptr);
    SetDefaultFilterIndex(0);
    fs::remove_all(fDir);
  }
  std::string Path(const std::string& name) const { return (fDir / name).string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Write(const std::string& path, const std::string& content) const { std::ofstream(path, std::ios::binary) << content; }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(fDir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path fDir;
  TFakeWriter* fXlsx = nullptr;
  TFakeWriter* fXls = nullptr;
  TFakeWriter* fOds = nullptr;
  TFakeDialog::TScript fScript;
  std::vector<std::string> fOpened;
};

TEST_F(WorkbookIO, SaveByExtensionAndShellOpen) {
  TExportWorkbook wb;
  wb.AddWorkSheet("Nabídka");
  ASSERT_TRUE(wb.SaveToFile(Path("offer.XLSM"), true));
  EXPECT_EQ(Read(Path("offer.XLSM")), "fake:xlsx:Nabídka");
  ASSERT_EQ(fOpened.size(), 1u);
  EXPECT_EQ(fOpened[0], Path("offer.XLSM") + "|" + fDir.string());
  ASSERT_TRUE(wb.SaveToFile(Path("offer.xls"), false));
  EXPECT_EQ(Read(Path("offer.xls")), "fake:xls:Nabídka");
  EXPECT_EQ(fOpened.size(), 1u);  // not opened without being asked
  EXPECT_EQ(Files(), (std::vector<std::string>{"offer.XLSM", "offer.xls"}));  // no temporary files left
  EXPECT_EQ(fXlsx->Owner(), &wb);
}

TEST_F(WorkbookIO, UnassignedExtensionNamesTheFullPath) {
  TExportWorkbook wb;
  wb.AddWorkSheet("A");
  const std::string cwd = fs::current_path().string();
  fs::current_path(fDir);
  try {
    wb.SaveToFile("offer.pdf", true);
    fs::current_path(cwd);
    FAIL() << "no exception";
  } catch (const EExportFileNameException& e) {
    fs::current_path(cwd);
    EXPECT_EQ(std::string(e.what()), "The file \"" + Path("offer.pdf") +
                                         "\" could not be processed.\r\n\r\nThe file extension is not assigned to any exporter.");
  }
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(fOpened.empty());
  EXPECT_THROW(wb.LoadFromFile(Path("list.pdf")), EExportFileNameException);
}

TEST_F(WorkbookIO, FailedSaveKeepsTheEarlierFile) {
  Write(Path("offer.xlsx"), "earlier offer");
  TExportWorkbook wb;
  wb.AddWorkSheet("A");
  fXlsx->fFail = true;
  EXPECT_THROW(wb.SaveToFile(Path("offer.xlsx"), true), EExportException);
  EXPECT_EQ(Read(Path("offer.xlsx")), "earlier offer");
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
  EXPECT_TRUE(fOpened.empty());

  // a format that is not built yet fails the same way
  EXPECT_THROW(wb.SaveToFile(Path("offer.csv")), EExportException);
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});

  // an exporter that refuses to prepare: false, nothing touched
  fXlsx->fFail = false;
  fXlsx->fRefuse = true;
  EXPECT_FALSE(wb.SaveToFile(Path("offer.xlsx")));
  EXPECT_EQ(Read(Path("offer.xlsx")), "earlier offer");

  // a folder that does not exist is a file error
  fXlsx->fRefuse = false;
  EXPECT_THROW(wb.SaveToFile(Path("missing/offer.xlsx")), EExportFileException);
}

TEST_F(WorkbookIO, InvalidTitlesWriteNothing) {
  Write(Path("offer.xlsx"), "earlier offer");
  TExportWorkbook wb;
  wb.AddWorkSheet("List");
  wb.AddWorkSheet("LIST");
  try {
    wb.SaveToFile(Path("offer.xlsx"));
    FAIL() << "no exception";
  } catch (const EExportException& e) {
    EXPECT_EQ(std::string(e.what()), "There are invalid title names in your export (e.g. duplicates or empty titles).");
  }
  EXPECT_EQ(fXlsx->fSaves, 0);
  EXPECT_EQ(Read(Path("offer.xlsx")), "earlier offer");
  std::ostringstream out;
  EXPECT_THROW(wb.SaveToStream(out, *fXlsx), EExportException);
  EXPECT_TRUE(out.str().empty());
}

TEST_F(WorkbookIO, StreamsAndTemporaryExporters) {
  TExportWorkbook wb;
  wb.AddWorkSheet("A");
  std::ostringstream out;
  ASSERT_TRUE(wb.SaveToStream(out, [] {
    return std::make_unique<TFakeWriter>("tmp", "Tmp", std::vector<std::string>{"tmp"});
  }));
  EXPECT_EQ(out.str(), "fake:tmp:A");
  const TExporterClass tmpClass = [] {
    return std::make_unique<TFakeWriter>("tmp", "Tmp", std::vector<std::string>{"tmp"});
  };
  ASSERT_TRUE(wb.SaveToFile(Path("x.bin"), tmpClass));
  EXPECT_EQ(Read(Path("x.bin")), "fake:tmp:A");
}

TEST_F(WorkbookIO, LoadSelectsTheReaderByExtension) {
  Write(Path("list.XLS"), "Zákazníci\n");
  TExportWorkbook wb;
  wb.AddWorkSheet("Old 1");
  wb.AddWorkSheet("Old 2");
  ASSERT_TRUE(wb.LoadFromFile(Path("list.XLS")));
  EXPECT_EQ(fXls->fLoads, 1);
  ASSERT_EQ(wb.WorkSheets().Count(), 1);  // earlier worksheets are removed first
  EXPECT_EQ(wb.WorkSheets().Get(0).Title(), "Zákazníci");
  EXPECT_THROW(wb.LoadFromFile(Path("absent.xls")), EExportFileException);
  EXPECT_THROW(wb.LoadFromFile(Path("list.ods")), EExportFileException);  // missing file before format
}

TEST_F(WorkbookIO, ProgressGoesToCallbackOrWindow) {
  TExportWorkbook wb;
  wb.AddWorkSheet("A");
  std::vector<std::string> captions;
  int windows = 0;
  struct TWindow : TProgressWindow {
    std::vector<std::string>* fCaptions;
    void SetCaption(const std::string& c) override { fCaptions->push_back(c); }
    void SetProgress(int, int) override {}
  };
  SetProgressWindowFactory([&] {
    ++windows;
    auto w = std::make_unique<TWindow>();
    w->fCaptions = &captions;
    return w;
  });
  std::ostringstream out;
  ASSERT_TRUE(wb.SaveToStream(out, *fXlsx));
  EXPECT_EQ(windows, 1);
  EXPECT_EQ(wb.fProgressDlg, nullptr);  // freed after the save
  EXPECT_EQ(captions, (std::vector<std::string>{"Export", "Worksheet 1/1: x"}));

  std::vector<int> steps;
  wb.SetOnProgress([&](TExportWorkbook& sender, TExportProgressNotificationType type, int, int) {
    EXPECT_EQ(&sender, &wb);
    steps.push_back(type);
  });
  ASSERT_TRUE(wb.SaveToStream(out, *fXlsx));
  EXPECT_EQ(windows, 1);  // the callback replaces the window
  EXPECT_EQ(steps, (std::vector<int>{epnStart, epnWorksheet}));

  wb.SetUseProgress(false);
  ASSERT_TRUE(wb.SaveToStream(out, *fXlsx));
  EXPECT_EQ(steps.size(), 2u);

  fXlsx->fFail = true;
  wb.SetOnProgress(nullptr);
  wb.SetUseProgress(true);
  EXPECT_THROW(wb.SaveToStream(out, *fXlsx), EExportException);
  EXPECT_EQ(wb.fProgressDlg, nullptr);  // freed on failure too
}

TEST_F(WorkbookIO, SaveDialogProposalAndExtensionFixing) {
  TExportWorkbook wb;
  wb.SetTitle("a/b");
  wb.AddWorkSheet("A");
  fScript.fTypedName = Path("offer.ods");
  fScript.fChosenIndex = 1;  // Excel 2007
  ASSERT_TRUE(wb.SaveToFileWithDialog({}, fDir.string(), true));
  EXPECT_EQ(fScript.fSeen.fFileName, "a-b");
  EXPECT_EQ(fScript.fSeen.fInitialDir, fDir.string());
  EXPECT_EQ(fScript.fSeen.fDefaultExt, "xlsx");
  EXPECT_TRUE(fScript.fSeen.fOverwritePrompt);
  EXPECT_EQ(fScript.fSeen.fFilter, ExporterRegistry().FilterString(2));
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.xlsx"});
  EXPECT_EQ(Read(Path("offer.xlsx")), "fake:xlsx:A");
  EXPECT_EQ(fOpened.size(), 1u);
  EXPECT_EQ(DefaultFilterIndex(), 1);
}

TEST_F(WorkbookIO, SaveDialogRemembersTheTypeAndCanBeCancelled) {
  TExportWorkbook wb;
  wb.AddWorkSheet("A");
  fScript.fTypedName = Path("offer");
  fScript.fChosenIndex = 3;  // Open Office Calc
  ASSERT_TRUE(wb.SaveToFileWithDialog());
  EXPECT_EQ(Read(Path("offer.ods")), "fake:ods:A");

  fScript = TFakeDialog::TScript{};
  fScript.fAccept = false;
  EXPECT_FALSE(wb.SaveToFileWithDialog());
  EXPECT_EQ(fScript.fSeen.fFilterIndex, 3);  // the last chosen type is offered again
  EXPECT_EQ(DefaultFilterIndex(), 3);        // cancelling keeps it

  // a given file name proposes its folder, name and type
  fScript = TFakeDialog::TScript{};
  fScript.fAccept = false;
  EXPECT_FALSE(wb.SaveToFileWithDialog(Path("list.XLS")));
  EXPECT_EQ(fScript.fSeen.fInitialDir, fDir.string());
  EXPECT_EQ(fScript.fSeen.fFileName, "list.XLS");
  EXPECT_EQ(fScript.fSeen.fFilterIndex, 2);
  EXPECT_EQ(Files(), std::vector<std::string>{"offer.ods"});

  // an index that names no type and a name without a known extension
  fScript = TFakeDialog::TScript{};
  fScript.fTypedName = Path("offer.pdf");
  fScript.fChosenIndex = 9;
  try {
    wb.SaveToFileWithDialog();
    FAIL() << "no exception";
  } catch (const EExportException& e) {
    EXPECT_EQ(std::string(e.what()), "TExportWorkbook.SaveToFileWithDialog2: Unknown FilterIndex");
  }
}

}  // namespace
}  // namespace sheet
