#include "ArticleListEntry.h"

#include <sstream>
#include <stdexcept>
#include <string>

#include "app/MainWindow.h"
#include "app/MemoryFileSystem.h"
#include "app/OfferExport.h"
#include "app/WindowCommands.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterXLSX.h"

namespace nabidka_fuzz {

namespace {

class TSilentDialogs : public app::TDialogs {
 public:
  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
  void ShowExtraItemsDialog(app::TForm1& dialog) override {
    app::FillExtraItemsDialog(dialog, {"A;Doprava;2;100,50", "B;;x;1"});
  }
};

void Command(app::TMainWindow& window, app::TWindowCommandKind kind, std::string value = {}) {
  app::RunWindowCommand(window, {kind, std::move(value), {}});
}

void Save(app::TMainWindow& window, int layout) {
  window.Window.LayoutChoice = layout;
  try {
    std::unique_ptr<sheet::TExportWorkbook> workbook = app::ComposeOfferWorkbook(window);
    std::ostringstream out;
    xlsx::TExporterXLSX exporter;
    exporter.SetThreaded(false);
    workbook->SaveToStream(out, exporter);
  } catch (const std::runtime_error&) {
  } catch (const std::out_of_range&) {
  }
}

}  // namespace

void RunArticleList(std::string_view bytes) {
  app::TMemoryFileSystem fs;
  fs.AddFolder("/lists");
  fs.AddFile("/lists/K.csv", std::string(bytes));
  TSilentDialogs dialogs;
  app::TMainWindow window(fs, dialogs, {"/lists", text::TRegionalSettings::Czech(), 1250});
  if (!window.RunCommand([&] {
        window.ListArticleFolder();
        window.OpenList("/lists/K.csv");
      })) {
    return;
  }
  const unsigned choice = bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back());
  using app::TWindowCommandKind;
  if (choice & 1) Command(window, TWindowCommandKind::wcSelect, std::to_string(1 + (choice >> 4)));
  if (choice & 2) Command(window, TWindowCommandKind::wcCount, std::to_string(choice));
  if (choice & 4) Command(window, TWindowCommandKind::wcPrice, "12,5");
  if (choice & 8) Command(window, choice & 16 ? TWindowCommandKind::wcMoveUp : TWindowCommandKind::wcMoveDown);
  if (choice & 32) Command(window, TWindowCommandKind::wcAppendList, "/lists/K.csv");
  if (choice & 64) Command(window, TWindowCommandKind::wcExtraItems);
  Save(window, 0);
  Save(window, 1);
}

}  // namespace nabidka_fuzz
