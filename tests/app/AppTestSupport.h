#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/MemoryFileSystem.h"
#include "app/Paths.h"
#include "text/CodePage.h"

namespace apptest {

// Dialogs that answer from a script and remember what was shown.
class TScriptedDialogs : public app::TDialogs {
 public:
  std::deque<std::optional<std::string>> Answers;
  std::vector<app::TOpenDialogOptions> Asked;
  std::vector<std::string> Messages;
  std::vector<std::string> Errors;

  std::optional<std::string> OpenFile(const app::TOpenDialogOptions& options) override {
    Asked.push_back(options);
    if (Answers.empty()) return std::nullopt;
    auto answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowMessage(const std::string& message) override { Messages.push_back(message); }
  void ShowError(const std::string& message) override { Errors.push_back(message); }

  // Plays the user in the additional-items dialog; unset, the dialog is closed unconfirmed.
  std::function<void(app::TForm1&)> ExtraItems;
  int ExtraItemsShown = 0;
  void ShowExtraItemsDialog(app::TForm1& dialog) override {
    ++ExtraItemsShown;
    if (ExtraItems) {
      ExtraItems(dialog);
    } else {
      dialog.Cancel();
    }
  }
};

inline constexpr const char* kFolder = "/lists";

// Lines joined with CR LF and stored in the ANSI code page, as the planner writes them.
inline std::string AnsiFile(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text::EncodeCodePage(text, 1250);
}

// A well-formed list: header, one block per item (item line, description,
// properties), the four summary lines.
struct TTestItem {
  TTestItem(std::string code, std::string count = "1.00", std::string price = "100,00",
            std::vector<std::string> properties = {})
      : Code(std::move(code)), Count(std::move(count)), Price(std::move(price)), Properties(std::move(properties)) {}
  std::string Code;
  std::string Count;
  std::string Price;
  std::vector<std::string> Properties;
};

inline std::vector<std::string> ListLines(const std::vector<TTestItem>& items) {
  std::vector<std::string> lines{"Pořadí;Kód prvku;Počet;Cena;Cena celkem;"};
  int position = 0;
  for (const auto& item : items) {
    ++position;
    lines.push_back(std::to_string(position) + ".;" + item.Code + ";" + item.Count + ";" + item.Price + ";0,00;");
    lines.push_back(";Popis " + item.Code);
    for (const auto& property : item.Properties) lines.push_back(";" + property);
  }
  lines.push_back("Celkem;;;;");
  lines.push_back("Celkem bez DPH;;;;1000,00");
  lines.push_back("DPH 21%;;;;210,00");
  lines.push_back("Celkem s DPH;;;;1210,00");
  return lines;
}

struct TAppFixture {
  app::TMemoryFileSystem Fs;
  TScriptedDialogs Dialogs;
  app::TMainWindow Window{Fs, Dialogs, app::TMainWindowSettings{kFolder, text::TRegionalSettings::Czech(), 1250}};

  TAppFixture() { Fs.AddFolder(kFolder); }

  // A path in the folder as the program joins it (with "\\" on Windows).
  std::string PathOf(const std::string& name) const { return app::JoinPath(kFolder, name); }
  // The newest list's path as start-up makes it: with "/" on every system
  // («C:\pCon_article_lists/Kuchyne.csv»).
  std::string StartUpPathOf(const std::string& name) const { return std::string(kFolder) + "/" + name; }

  void AddList(const std::string& name, const std::vector<std::string>& lines,
               app::TLocalDateTime written = {2024, 3, 1, 10, 0, 0}) {
    Fs.AddFile(PathOf(name), AnsiFile(lines), written);
  }
  // A picture folder with `count` files image001.jpg ... (the web export's pairs).
  void AddPictureFolder(const std::string& folder, int count) {
    Fs.AddFolder(PathOf(folder));
    for (int i = 1; i <= count; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "image%03d.jpg", i);
      Fs.AddFile(app::JoinPath(PathOf(folder), name), "not decoded here");
    }
  }
  // Open a list the way the command does after its dialog, folder listing taken first.
  void Open(const std::string& name) {
    Window.ListArticleFolder();
    Window.OpenList(PathOf(name));
  }
  std::vector<std::string> Items() const { return Window.Window.ItemList.Items.Entries(); }
};

}  // namespace apptest
