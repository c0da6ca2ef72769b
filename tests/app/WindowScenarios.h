#pragma once

// What a dealer does in the window, written once and played against every
// binding of the window: the Qt one (offscreen, QTest) and the Windows one
// (under Wine, window messages). A driver makes the user's actions with the
// binding's own means and reads the controls back; a scenario collects its
// failures, which the test framework of the binding reports.
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainWindow.h"
#include "app/Paths.h"
#include "sheet/FormatRegistry.h"
#include "text/CodePage.h"

namespace scenario {

enum class TKey { kDown, kEnter, kTab };

// The additional-items dialog while it is shown.
class TDialogDriver {
 public:
  virtual ~TDialogDriver() = default;
  virtual void Type(std::string_view control, const std::string& text) = 0;
  virtual void Key(std::string_view control, TKey key) = 0;
  // Types into the table's current cell (the cell the focus is in).
  virtual void TypeCell(const std::string& text) = 0;
  // Tab in the table: the next cell.
  virtual void NextCell() = 0;
  virtual void Click(std::string_view button) = 0;
};

class TWindowDriver {
 public:
  virtual ~TWindowDriver() = default;
  virtual app::TMainWindow& App() = 0;
  // The session's copy of the example folder.
  virtual std::string Folder() = 0;

  // What the user sees: a control's text (lines joined with "\n"), a list's
  // entries and selection, whether a control is enabled or checked, which
  // control has the focus, whether the picture box shows a picture.
  virtual std::string Text(std::string_view control) = 0;
  virtual std::vector<std::string> Entries(std::string_view control) = 0;
  virtual int Selected(std::string_view list) = 0;
  virtual bool Enabled(std::string_view control) = 0;
  virtual bool Checked(std::string_view control) = 0;
  virtual std::string Focused() = 0;
  virtual bool PictureShown() = 0;

  // What the user does.
  virtual void Click(std::string_view control) = 0;
  virtual void ClickEntry(std::string_view list, int index) = 0;
  virtual void Key(std::string_view control, TKey key) = 0;
  // Selects the field's text and types over it.
  virtual void Type(std::string_view control, const std::string& text) = 0;
  virtual void ChooseEntry(std::string_view combo, int index) = 0;

  // How the next dialogs are answered.
  virtual void AnswerOpenFile(std::optional<std::string> path) = 0;
  // Nothing: cancelled; else the file typed and the type chosen (1-based).
  virtual void AnswerSaveDialog(std::optional<std::string> path, int filterIndex) = 0;
  virtual void WithExtraItemsDialog(std::function<void(TDialogDriver&)> user) = 0;
  // The answer to the next yes-or-no question.
  virtual void AnswerQuestion(bool yes) = 0;

  // Closing the window as the user does (the title bar's close button).
  virtual void CloseWindow() = 0;
  virtual bool WindowOpen() = 0;

  // What the window told: message boxes, error boxes, files the shell opened.
  virtual std::vector<std::string> Messages() = 0;
  virtual std::vector<std::string> Errors() = 0;
  virtual std::vector<std::string> Opened() = 0;
  virtual std::vector<std::string> Questions() = 0;
  virtual int FileDialogsShown() = 0;
};

class TChecks {
 public:
  std::vector<std::string> Failures;

  template <class A, class B>
  void Equal(const A& actual, const B& expected, const char* what, int line) {
    if (actual == expected) return;
    std::ostringstream out;
    out << "line " << line << ": " << what << ": got «" << Show(actual) << "», expected «" << Show(expected) << "»";
    Failures.push_back(out.str());
  }
  void True(bool condition, const char* what, int line) {
    if (!condition) Failures.push_back("line " + std::to_string(line) + ": " + what);
  }
  std::string Report() const {
    std::string all;
    for (const std::string& failure : Failures) all += failure + "\n";
    return all;
  }

 private:
  template <class T>
  static std::string Show(const T& value) {
    if constexpr (requires(std::ostream& out) { out << value; }) {
      std::ostringstream out;
      out << value;
      return out.str();
    } else {
      std::string all;
      for (const auto& entry : value) all += (all.empty() ? "" : " | ") + std::string(entry);
      return all;
    }
  }
};

#define SCENARIO_EQ(checks, actual, expected) (checks).Equal((actual), (expected), #actual, __LINE__)
#define SCENARIO_TRUE(checks, condition) (checks).True((condition), #condition, __LINE__)

using TStrings = std::vector<std::string>;

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::filesystem::path FolderPath(TWindowDriver& w) {
  return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(w.Folder().data()), w.Folder().size()));
}

// ---- The scenarios ------------------------------------------------------

inline void StartUpShowsFirstItem(TWindowDriver& w, TChecks& c) {
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "01. KH-60-D");
  SCENARIO_EQ(c, w.Entries("ItemList").size(), 10u);
  SCENARIO_EQ(c, w.Selected("ItemList"), 0);
  SCENARIO_TRUE(c, w.PictureShown());
  SCENARIO_EQ(c, w.Text("NetTotalField"), "45974,00");
  SCENARIO_EQ(c, w.Text("VatField"), "9655,00");
  SCENARIO_EQ(c, w.Text("GrossTotalField"), "55629,00");
  SCENARIO_TRUE(c, w.Text("PropertiesBox").starts_with("Šířka: 600 mm\n"));
  SCENARIO_EQ(c, w.Text("CustomerChoice"), "Nábytek Novák s.r.o.");
  SCENARIO_EQ(c, w.Text("CustomerFirmField"), "Firma");  // set, not chosen
  SCENARIO_TRUE(c, w.Errors().empty());
}

inline void SelectionByMouseAndKeyboard(TWindowDriver& w, TChecks& c) {
  w.ClickEntry("ItemList", 2);
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "03. KD-60-DR");
  SCENARIO_EQ(c, w.Text("ItemDescriptionField"), "Dolní skříňka pod dřez 60 cm");
  SCENARIO_EQ(c, w.Text("ItemTotalField"), "4120,00");
  SCENARIO_EQ(c, w.App().Window.ItemPicture.FileName,
              app::JoinPath(app::JoinPath(w.Folder(), "Kuchyne_soubory"), "image005.jpg"));
  w.Key("ItemList", TKey::kDown);
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "04. PD-3000-DUB");
  // Edit mode: every selection puts the focus into the count entry.
  w.Click("EditModeCheck");
  SCENARIO_EQ(c, w.Focused(), "CountEntry");
  w.Key("CountEntry", TKey::kEnter);
  SCENARIO_EQ(c, w.Focused(), "PriceEntry");
  w.ClickEntry("ItemList", 5);
  SCENARIO_EQ(c, w.Focused(), "CountEntry");
}

inline void CountAndPriceEntry(TWindowDriver& w, TChecks& c) {
  w.ClickEntry("ItemList", 1);  // KD-80-S, 1 × 7850
  w.Type("CountEntry", "3");
  SCENARIO_EQ(c, w.Text("ItemTotalField"), "7850,00");  // not confirmed: only the field changed
  SCENARIO_EQ(c, w.Text("ItemCountField"), "1");
  w.Key("CountEntry", TKey::kEnter);
  SCENARIO_EQ(c, w.Text("ItemCountField"), "3");
  SCENARIO_EQ(c, w.Text("ItemTotalField"), "23550,00");
  SCENARIO_EQ(c, w.Text("NetTotalField"), "61674,00");
  w.Type("PriceEntry", "7000");
  w.Key("PriceEntry", TKey::kEnter);
  SCENARIO_EQ(c, w.Text("PriceEntry"), "7000,00");
  SCENARIO_EQ(c, w.Text("ItemTotalField"), "21000,00");
  SCENARIO_EQ(c, w.App().Workspace.EditedItemLine, "2.;KD-80-S;3.00;7000,00;21 000,00;");
}

inline void MovesKeepPictures(TWindowDriver& w, TChecks& c) {
  w.ClickEntry("ItemList", 2);
  const std::string picture = w.App().Window.ItemPicture.FileName;
  w.Click("MoveUpButton");
  const TStrings entries = w.Entries("ItemList");
  SCENARIO_EQ(c, TStrings(entries.begin(), entries.begin() + 3), (TStrings{"01. KH-60-D", "02. KD-60-DR", "03. KD-80-S"}));
  SCENARIO_EQ(c, w.Selected("ItemList"), 1);
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "02. KD-60-DR");
  SCENARIO_EQ(c, w.App().Window.ItemPicture.FileName, picture);
  SCENARIO_EQ(c, w.App().Workspace.ItemImagePaths.Get(1), picture);
  w.Click("MoveDownButton");
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "03. KD-60-DR");
  SCENARIO_EQ(c, w.App().Workspace.ItemImagePaths.Get(2), picture);
}

inline void ExtraItemsThroughTheDialog(TWindowDriver& w, TChecks& c) {
  w.WithExtraItemsDialog([](TDialogDriver& dialog) {
    dialog.Type("ExtraItemCountEntry", "2");
    dialog.Key("ExtraItemCountEntry", TKey::kEnter);
    const char* rows[2][4] = {{"DOPR", "Doprava a montáž", "1", "1500,00"}, {"SLEVA", "Sleva", "1", "-500,00"}};
    for (const auto& row : rows) {
      for (const char* cell : row) {
        dialog.TypeCell(cell);
        dialog.NextCell();
      }
    }
    dialog.Click("ConfirmButton");
  });
  w.Click("ExtraItemsButton");
  const TStrings entries = w.Entries("ItemList");
  SCENARIO_EQ(c, entries.size(), 12u);
  if (entries.size() == 12) SCENARIO_EQ(c, TStrings(entries.begin() + 10, entries.end()), (TStrings{"11. DOPR", "12. SLEVA"}));
  SCENARIO_TRUE(c, !w.Enabled("MoveUpButton"));
  SCENARIO_TRUE(c, !w.Enabled("MoveDownButton"));
  SCENARIO_EQ(c, w.Text("NetTotalField"), "46974,00");
  w.ClickEntry("ItemList", 10);
  SCENARIO_EQ(c, w.Text("ItemDescriptionField"), "Doprava a montáž");
}

inline void CustomerAndDescription(TWindowDriver& w, TChecks& c) {
  SCENARIO_TRUE(c, w.Entries("CustomerChoice").size() >= 2);
  w.ChooseEntry("CustomerChoice", 1);
  const app::TTextGrid& grid = w.App().Workspace.CustomerGrid;
  SCENARIO_EQ(c, w.Text("CustomerFirmField"), grid.Cell(1, 2));
  SCENARIO_EQ(c, w.Text("CustomerStreetField"), grid.Cell(2, 2));
  SCENARIO_EQ(c, w.Text("CustomerCityField"), grid.Cell(3, 2));
  SCENARIO_EQ(c, w.Text("CustomerIcoField"), grid.Cell(4, 2));
  SCENARIO_EQ(c, w.Text("CustomerDicField"), grid.Cell(5, 2));
  SCENARIO_EQ(c, w.Text("CustomerContactField"), grid.Cell(6, 2));
  SCENARIO_EQ(c, w.Text("CustomerPhoneField"), grid.Cell(7, 2));
  // Typing a name that is no entry shows the header row.
  w.Type("CustomerChoice", "Nikdo");
  SCENARIO_EQ(c, w.Text("CustomerFirmField"), grid.Cell(1, 0));

  w.Type("DescriptionEntry", "Nabídka – Nábytek Praha");
  w.Key("DescriptionEntry", TKey::kEnter);
  SCENARIO_EQ(c, w.Messages(), TStrings{"Zadaný popis tabulky zaznamenán na disku"});
  const std::string bytes = ReadBytes(FolderPath(w) / "popis_tabulky.txt");
  SCENARIO_EQ(c, text::DecodeCodePage(bytes, 1250), "Nabídka – Nábytek Praha\r\n");
}

inline void ExportWithoutDialog(TWindowDriver& w, TChecks& c) {
  w.ClickEntry("ItemList", 1);
  w.Type("CountEntry", "2");
  w.Key("CountEntry", TKey::kEnter);
  w.Click("ExportButton");
  SCENARIO_EQ(c, w.Errors(), TStrings{});
  const std::filesystem::path written = FolderPath(w) / "Kuchyne.xlsx";
  SCENARIO_TRUE(c, std::filesystem::exists(written));
  SCENARIO_EQ(c, w.Opened().size(), 1u);
  if (!w.Opened().empty()) SCENARIO_TRUE(c, w.Opened()[0].ends_with("Kuchyne.xlsx"));
  SCENARIO_EQ(c, w.Text("ItemCodeField"), "10. DR-GR-150");  // the export stepped through the items
}

inline void ExportThroughTheSaveDialog(TWindowDriver& w, TChecks& c) {
  w.Click("SaveDialogCheck");
  SCENARIO_TRUE(c, w.App().Window.SaveDialogCheck);
  w.AnswerSaveDialog(std::nullopt, 0);
  w.Click("ExportButton");
  SCENARIO_EQ(c, w.Errors(), TStrings{});
  SCENARIO_TRUE(c, w.Opened().empty());
  SCENARIO_TRUE(c, !std::filesystem::exists(FolderPath(w) / "Kuchyne.xlsx"));

  // A name with another format's extension, saved as the type chosen.
  const std::filesystem::path chosen = FolderPath(w) / "offer.ods";
  w.AnswerSaveDialog(app::JoinPath(w.Folder(), "offer.ods"), 1);
  w.Click("ExportButton");
  SCENARIO_EQ(c, w.Errors(), TStrings{});
  SCENARIO_TRUE(c, std::filesystem::exists(FolderPath(w) / "offer.xlsx"));
  SCENARIO_TRUE(c, !std::filesystem::exists(chosen));
  SCENARIO_EQ(c, w.Opened().size(), 1u);
  SCENARIO_EQ(c, sheet::DefaultFilterIndex(), 1);

  // "Excel 97, 2000, XP" is read only: said so, nothing written, and not offered next time.
  w.AnswerSaveDialog(app::JoinPath(w.Folder(), "offer97"), 2);
  w.Click("ExportButton");
  SCENARIO_EQ(c, w.Errors().size(), 1u);
  if (!w.Errors().empty()) SCENARIO_TRUE(c, w.Errors()[0].find("\"Excel 2007\"") != std::string::npos);
  SCENARIO_TRUE(c, !std::filesystem::exists(FolderPath(w) / "offer97.xls"));
  SCENARIO_EQ(c, sheet::DefaultFilterIndex(), 1);

  // Every other type writes its file.
  int index = 3;
  for (const char* ext : {"ods", "csv", "zip"}) {
    w.AnswerSaveDialog(app::JoinPath(w.Folder(), "every"), index);
    w.Click("ExportButton");
    SCENARIO_TRUE(c, std::filesystem::exists(FolderPath(w) / (std::string("every.") + ext)));
    SCENARIO_EQ(c, sheet::DefaultFilterIndex(), index);
    ++index;
  }
  SCENARIO_EQ(c, w.Errors().size(), 1u);
}

// Start-up without the list's picture folder.
inline void ListWithoutPictureFolder(TWindowDriver& w, TChecks& c) {
  SCENARIO_EQ(c, w.Messages(), TStrings{"Nebyl nalezen soubor Wordu exportovaný jako .htm"});
  for (const char* button :
       {"OpenButton", "AppendButton", "ExtraItemsButton", "ExportButton", "MoveUpButton", "MoveDownButton"}) {
    c.True(!w.Enabled(button), button, __LINE__);
  }
  SCENARIO_TRUE(c, w.Entries("ItemList").empty());
}

inline void FailingCommandShowsError(TWindowDriver& w, TChecks& c) {
  w.Type("PriceEntry", "dvanáct");
  w.Key("PriceEntry", TKey::kEnter);
  SCENARIO_EQ(c, w.Errors(), TStrings{"'dvanáct' is not a valid floating point value"});
  SCENARIO_EQ(c, w.Text("ItemPriceField"), "3490,00");
  // Opening a list that has gone: the system's own message.
  const std::string gone = app::JoinPath(w.Folder(), "Zmizela.csv");
  w.AnswerOpenFile(gone);
  w.Click("OpenButton");
  SCENARIO_EQ(c, w.Errors().size(), 2u);
  if (w.Errors().size() == 2) SCENARIO_EQ(c, w.Errors().back(), "Soubor neexistuje: " + gone);
}

// Edits no export holds are not thrown away unasked: closing and opening
// another list ask first, "Ne" keeps everything, an export clears the mark.
inline void EditsThenCloseOrOpen(TWindowDriver& w, TChecks& c) {
  const std::string question = "Nabídka obsahuje neexportované změny. Zahodit je?";
  w.ClickEntry("ItemList", 1);
  w.Type("CountEntry", "3");
  w.Key("CountEntry", TKey::kEnter);
  w.AnswerQuestion(false);
  w.CloseWindow();
  SCENARIO_EQ(c, w.Questions(), TStrings{question});
  SCENARIO_TRUE(c, w.WindowOpen());
  SCENARIO_EQ(c, w.Text("ItemCountField"), "3");
  // "Otevřít soubor z disku" asks before its file dialog.
  w.AnswerQuestion(false);
  w.Click("OpenButton");
  SCENARIO_EQ(c, w.Questions().size(), 2u);
  SCENARIO_EQ(c, w.FileDialogsShown(), 0);
  SCENARIO_EQ(c, w.Text("ItemCountField"), "3");
  w.AnswerQuestion(true);
  w.AnswerOpenFile(std::nullopt);
  w.Click("OpenButton");
  SCENARIO_EQ(c, w.Questions().size(), 3u);
  SCENARIO_EQ(c, w.FileDialogsShown(), 1);
  // Exported, the offer closes without a question.
  w.Click("ExportButton");
  SCENARIO_EQ(c, w.Errors(), TStrings{});
  w.CloseWindow();
  SCENARIO_EQ(c, w.Questions().size(), 3u);
  SCENARIO_TRUE(c, !w.WindowOpen());
}

inline void YesClosesAnEditedWindow(TWindowDriver& w, TChecks& c) {
  w.Click("MoveDownButton");  // a move is an edit too
  w.AnswerQuestion(true);
  w.CloseWindow();
  SCENARIO_EQ(c, w.Questions().size(), 1u);
  SCENARIO_TRUE(c, !w.WindowOpen());
}

struct TScenario {
  const char* Name;
  void (*Run)(TWindowDriver&, TChecks&);
  // Done to the copy of the example folder before start-up.
  void (*Prepare)(const std::filesystem::path& folder) = nullptr;
};

inline void RemovePictureFolder(const std::filesystem::path& folder) {
  std::filesystem::remove_all(folder / "Kuchyne_soubory");
}

inline const std::vector<TScenario>& Scenarios() {
  static const std::vector<TScenario> all = {
      {"StartUpShowsFirstItem", StartUpShowsFirstItem},
      {"SelectionByMouseAndKeyboard", SelectionByMouseAndKeyboard},
      {"CountAndPriceEntry", CountAndPriceEntry},
      {"MovesKeepPictures", MovesKeepPictures},
      {"ExtraItemsThroughTheDialog", ExtraItemsThroughTheDialog},
      {"CustomerAndDescription", CustomerAndDescription},
      {"ExportWithoutDialog", ExportWithoutDialog},
      {"ExportThroughTheSaveDialog", ExportThroughTheSaveDialog},
      {"ListWithoutPictureFolder", ListWithoutPictureFolder, RemovePictureFolder},
      {"FailingCommandShowsError", FailingCommandShowsError},
      {"EditsThenCloseOrOpen", EditsThenCloseOrOpen},
      {"YesClosesAnEditedWindow", YesClosesAnEditedWindow},
  };
  return all;
}

}  // namespace scenario
