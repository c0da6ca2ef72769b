// Saving the composed offer: default path, save dialog, shell open, failures.
#include <ostream>

#include "OfferExportSupport.h"

namespace {

using namespace exporttest;

// A format that writes the sheet's title and row count, or fails halfway.
class TProbeExporter : public sheet::TCustomExporter {
 public:
  TProbeExporter() : TCustomExporter("probe", "Probe", {"probe"}) {}
  std::unique_ptr<TCustomExporter> CreateNew() const override { return std::make_unique<TProbeExporter>(); }
  void SaveToStream(std::ostream& stream) override {
    const sheet::TExportWorkSheet& sheet = Owner()->WorkSheets().Get(0);
    stream << sheet.Title() << ';' << sheet.Rows().Count();
    if (sFail) {
      stream.flush();
      throw sheet::EExportException("probe failure");
    }
  }
  static inline bool sFail = false;
};

class TProbeDialog : public sheet::TSaveDialog {
 public:
  explicit TProbeDialog(std::optional<std::pair<std::string, int>> answer, std::vector<std::string>* shown)
      : fAnswer(std::move(answer)), fShown(shown) {}
  bool Execute() override {
    fShown->push_back(fFileName);
    if (!fAnswer) return false;
    fFileName = fAnswer->first;
    fFilterIndex = fAnswer->second;
    return true;
  }

 private:
  std::optional<std::pair<std::string, int>> fAnswer;
  std::vector<std::string>* fShown;
};

class OfferExportSave : public ::testing::Test {
 protected:
  TExportFixture F;
  std::vector<std::string> Opened;
  std::vector<std::string> DialogProposals;
  std::optional<std::pair<std::string, int>> DialogAnswer;

  void SetUp() override {
    sheet::TExporterRegistry& registry = sheet::ExporterRegistry();
    if (!registry.FindByFormat("probe")) registry.Register(std::make_unique<TProbeExporter>());
    TProbeExporter::sFail = false;
    sheet::SetShellOpen([this](const std::string& file, const std::string&) { Opened.push_back(file); });
    sheet::SetSaveDialogFactory([this] { return std::make_unique<TProbeDialog>(DialogAnswer, &DialogProposals); });
    F.WriteList("Kuchyne", ItemsWithProperties({2, 0}));
    F.Open("Kuchyne");
    F.Ws().ExportFilePath = F.PathOf("Kuchyne.probe");
  }
  void TearDown() override {
    sheet::SetShellOpen(nullptr);
    sheet::SetSaveDialogFactory(nullptr);
    TProbeExporter::sFail = false;
  }

  std::vector<std::string> FilesInFolder() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(F.Dir)) {
      if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  static int ProbeFilterIndex() {
    return sheet::ExporterRegistry().IndexOf(sheet::ExporterRegistry().FindByFormat("probe")) + 1;
  }
};

TEST_F(OfferExportSave, SavesToTheExportPathAndOpensIt) {
  EXPECT_TRUE(app::ExportOffer(*F.Window));
  const std::string written = TExportFixture::ReadBytes(F.Dir / "Kuchyne.probe");
  EXPECT_EQ(written, "Popis tabulky - nabídka nebo ob;" + std::to_string(4 + 1 + 13 + 13 + 4));
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(fs::path(Opened[0]), fs::absolute(F.Dir / "Kuchyne.probe"));
  EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Kuchyne.csv", "Kuchyne.probe"}));
}

TEST_F(OfferExportSave, UnknownExtensionWritesNothing) {
  F.Ws().ExportFilePath = F.PathOf("Kuchyne.pdf");
  try {
    app::ExportOffer(*F.Window);
    FAIL() << "no error";
  } catch (const sheet::EExportFileNameException& e) {
    EXPECT_NE(std::string(e.what()).find("Kuchyne.pdf\" could not be processed"), std::string::npos) << e.what();
  }
  EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Kuchyne.csv"}));
  EXPECT_TRUE(Opened.empty());
}

TEST_F(OfferExportSave, MissingPictureKeepsTheEarlierWorkbook) {
  TExportFixture::WriteBytes(F.Dir / "Kuchyne.probe", "earlier workbook");
  const std::string picture = F.Ws().ItemImagePaths.Get(0);
  fs::remove(picture);
  try {
    app::ExportOffer(*F.Window);
    FAIL() << "no error";
  } catch (const sheet::EExportFileException& e) {
    EXPECT_NE(std::string(e.what()).find("image001.jpg"), std::string::npos) << e.what();
  }
  EXPECT_EQ(TExportFixture::ReadBytes(F.Dir / "Kuchyne.probe"), "earlier workbook");
  EXPECT_TRUE(Opened.empty());
  // The view shows the item whose picture is missing.
  EXPECT_EQ(F.View().ItemCodeField, "01. KOD1");
}

TEST_F(OfferExportSave, MissingPictureOfAnItemWithoutPropertiesFailsLikeAnyOther) {
  // Its picture stands in its first filler row now, so its file is opened.
  fs::remove(F.Ws().ItemImagePaths.Get(1));
  EXPECT_THROW(app::ExportOffer(*F.Window), sheet::EExportFileException);
  // The order layout never opens pictures.
  fs::remove(F.Ws().ItemImagePaths.Get(0));
  F.View().LayoutChoice = 1;
  EXPECT_TRUE(app::ExportOffer(*F.Window));
}

TEST_F(OfferExportSave, FailingWriterKeepsTheEarlierWorkbook) {
  TExportFixture::WriteBytes(F.Dir / "Kuchyne.probe", "earlier workbook");
  TProbeExporter::sFail = true;
  EXPECT_THROW(app::ExportOffer(*F.Window), sheet::EExportException);
  EXPECT_EQ(TExportFixture::ReadBytes(F.Dir / "Kuchyne.probe"), "earlier workbook");
  EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Kuchyne.csv", "Kuchyne.probe"}));
  EXPECT_TRUE(Opened.empty());
}

TEST_F(OfferExportSave, CancelledDialogWritesNothing) {
  F.View().SaveDialogCheck = true;
  DialogAnswer.reset();
  EXPECT_FALSE(app::ExportOffer(*F.Window));
  EXPECT_EQ(FilesInFolder(), (std::vector<std::string>{"Kuchyne.csv"}));
  EXPECT_TRUE(Opened.empty());
  // The workbook itself has no title, so the dialog proposes no name.
  ASSERT_EQ(DialogProposals.size(), 1u);
  EXPECT_EQ(DialogProposals[0], "");
}

TEST_F(OfferExportSave, ConfirmedDialogSavesTheChosenFile) {
  F.View().SaveDialogCheck = true;
  DialogAnswer = std::make_pair(F.PathOf("Nabidka Novak"), ProbeFilterIndex());
  EXPECT_TRUE(app::ExportOffer(*F.Window));
  EXPECT_TRUE(fs::exists(F.Dir / "Nabidka Novak.probe"));
  EXPECT_FALSE(fs::exists(F.Dir / "Kuchyne.probe"));
  ASSERT_EQ(Opened.size(), 1u);
  EXPECT_EQ(fs::path(Opened[0]).filename(), "Nabidka Novak.probe");
}

}  // namespace
