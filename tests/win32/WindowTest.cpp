// The Windows window driven as a user drives it, with the messages mouse and
// keyboard produce, under Wine on an X server of its own: its layout from
// the windows' description, the additional-items dialog, and every scenario
// that the Qt window plays too.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "TestPlatform.h"
#include "app/FileSystem.h"
#include "app/WindowLayout.h"
#include "app/WindowScenarios.h"
#include "text/PathText.h"
#include "win32/ExtraItemsForm.h"
#include "win32/MainForm.h"
#include "win32/WindowsDialogs.h"
#include "xls/ExporterXLS.h"
#include "xlsx/ExporterXLSX.h"

namespace {

namespace fs = std::filesystem;
using scenario::TKey;

const fs::path kExamples = fs::path(NABIDKA_SOURCE_DIR) / "examples" / "pCon_article_lists";

// A key as the keyboard gives it: down, the character it makes, up.
void PressKey(HWND control, TKey key) {
  const WPARAM code = key == TKey::kDown ? VK_DOWN : key == TKey::kEnter ? VK_RETURN : VK_TAB;
  SetFocus(control);
  SendMessageW(control, WM_KEYDOWN, code, 1);
  if (key != TKey::kDown) SendMessageW(control, WM_CHAR, key == TKey::kEnter ? L'\r' : L'\t', 1);
  SendMessageW(control, WM_KEYUP, code, 1);
}

// Selects the field's text and types over it, character by character.
void TypeInto(HWND control, const std::string& text) {
  SetFocus(control);
  SendMessageW(control, EM_SETSEL, 0, -1);
  for (wchar_t unit : win32::Wide(text)) SendMessageW(control, WM_CHAR, unit, 1);
}

class TDialogDriver : public scenario::TDialogDriver {
 public:
  explicit TDialogDriver(win32::TExtraItemsForm& form) : fForm(form) {}
  void Type(std::string_view control, const std::string& text) override { TypeInto(fForm.Control(control), text); }
  void Key(std::string_view control, TKey key) override { PressKey(fForm.Control(control), key); }
  void TypeCell(const std::string& text) override {
    HWND editor = fForm.CellEditor();
    for (wchar_t unit : win32::Wide(text)) SendMessageW(editor, WM_CHAR, unit, 1);
  }
  void NextCell() override { PressKey(fForm.CellEditor(), TKey::kTab); }
  void Click(std::string_view button) override { SendMessageW(fForm.Control(button), BM_CLICK, 0, 0); }

 private:
  win32::TExtraItemsForm& fForm;
};

// The save dialog answered from the script.
class TScriptedSaveDialog : public sheet::TSaveDialog {
 public:
  TScriptedSaveDialog(std::optional<std::string> path, int filterIndex) : fPath(std::move(path)), fIndex(filterIndex) {}
  bool Execute() override {
    if (!fPath) return false;
    fFileName = *fPath;
    fFilterIndex = fIndex;
    return true;
  }

 private:
  std::optional<std::string> fPath;
  int fIndex;
};

// The system's own boxes answered without a person; the dialog of the window
// is the real one, played by the scenario's user.
class TRecordingDialogs : public win32::TWindowsDialogs {
 public:
  std::vector<std::string> Messages, Errors, Opened;
  std::optional<std::string> NextFile;
  std::optional<std::string> SavePath;
  int SaveIndex = 0;
  std::function<void(scenario::TDialogDriver&)> ExtraItemsUser;

  std::deque<bool> Answers;
  std::vector<std::string> Questions;
  int FileDialogs = 0;
  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override {
    ++FileDialogs;
    return std::exchange(NextFile, {});
  }
  bool AskYesNo(const std::string& question) override {
    Questions.push_back(question);
    if (Answers.empty()) return false;
    const bool yes = Answers.front();
    Answers.pop_front();
    return yes;
  }
  void ShowMessage(const std::string& message) override { Messages.push_back(message); }
  void ShowError(const std::string& message) override { Errors.push_back(message); }
  void OpenWithShell(const std::string& file, const std::string&) override { Opened.push_back(file); }
  std::unique_ptr<sheet::TSaveDialog> CreateSaveDialog() override {
    return std::make_unique<TScriptedSaveDialog>(SavePath, SaveIndex);
  }
  void ShowExtraItemsDialog(app::TForm1& dialog) override {
    win32::TExtraItemsForm form(dialog, *this, Owner());
    form.Show();
    if (ExtraItemsUser) {
      TDialogDriver driver(form);
      std::exchange(ExtraItemsUser, {})(driver);
    }
    if (!dialog.Closed()) dialog.Cancel();
  }
};

// A window on a fresh copy of the example folder.
class TSession : public scenario::TWindowDriver {
 public:
  explicit TSession(void (*prepare)(const fs::path&) = nullptr) {
    static int serial = 0;
    fFolder = fs::temp_directory_path() / ("nabidka-win32-" + std::to_string(nabidkatest::ProcessId()) + "-" +
                                           std::to_string(++serial)) / "pCon_article_lists";
    fs::create_directories(fFolder.parent_path());
    fs::copy(kExamples, fFolder, fs::copy_options::recursive);
    if (prepare) prepare(fFolder);
    app::TMainWindowSettings settings{Folder(), text::TRegionalSettings::Czech(), 1250};
    fForm = std::make_unique<win32::TMainForm>(fDisk, fDialogs, settings);
    fDialogs.SetOwner(fForm->Handle());
    app::InstallDesktopServices(fDialogs);
    fForm->StartUp();
    fForm->Show();
  }
  ~TSession() override {
    fForm.reset();
    sheet::SetShellOpen(nullptr);
    sheet::SetSaveDialogFactory(nullptr);
    sheet::SetProgressWindowFactory(nullptr);
    std::error_code ignored;
    fs::remove_all(fFolder.parent_path(), ignored);
  }

  win32::TMainForm& Form() { return *fForm; }
  HWND Get(std::string_view name) { return fForm->Control(name); }

  app::TMainWindow& App() override { return fForm->App(); }
  std::string Folder() override { return text::Utf8FromPath(fFolder); }
  std::string Text(std::string_view control) override {
    std::string text = win32::WindowText(Get(control));
    for (std::size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
    return text;
  }
  std::vector<std::string> Entries(std::string_view control) override {
    HWND list = Get(control);
    const bool combo = control == "CustomerChoice";
    std::vector<std::string> entries;
    const int count = static_cast<int>(SendMessageW(list, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      std::wstring entry(static_cast<std::size_t>(SendMessageW(list, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      entry.resize(static_cast<std::size_t>(
          SendMessageW(list, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
      entries.push_back(win32::Utf8(entry));
    }
    return entries;
  }
  int Selected(std::string_view list) override { return static_cast<int>(SendMessageW(Get(list), LB_GETCURSEL, 0, 0)); }
  bool Enabled(std::string_view control) override { return IsWindowEnabled(Get(control)); }
  bool Checked(std::string_view control) override {
    return SendMessageW(Get(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  std::string Focused() override {
    HWND focus = GetFocus();
    for (const app::TControlLayout& layout : app::MainWindowLayout().Controls) {
      HWND control = Get(layout.Name);
      if (focus && (focus == control || GetParent(focus) == control)) return std::string(layout.Name);
    }
    return "";
  }
  bool PictureShown() override { return !fForm->ShownPicture().empty(); }

  void Click(std::string_view control) override { SendMessageW(Get(control), BM_CLICK, 0, 0); }
  void ClickEntry(std::string_view list, int index) override {
    HWND box = Get(list);
    RECT item{};
    SendMessageW(box, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SetFocus(box);
    SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(box, WM_LBUTTONUP, 0, at);
  }
  void Key(std::string_view control, TKey key) override { PressKey(Get(control), key); }
  void Type(std::string_view control, const std::string& text) override {
    HWND target = Get(control);
    if (HWND edit = FindWindowExW(target, nullptr, WC_EDITW, nullptr)) target = edit;  // a combo box's text
    TypeInto(target, text);
  }
  // The drop-down list's entry picked: the combo box tells its window.
  void ChooseEntry(std::string_view combo, int index) override {
    HWND box = Get(combo);
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(fForm->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(box));
  }

  void AnswerOpenFile(std::optional<std::string> path) override { fDialogs.NextFile = std::move(path); }
  void AnswerSaveDialog(std::optional<std::string> path, int filterIndex) override {
    fDialogs.SavePath = std::move(path);
    fDialogs.SaveIndex = filterIndex;
  }
  void WithExtraItemsDialog(std::function<void(scenario::TDialogDriver&)> user) override {
    fDialogs.ExtraItemsUser = std::move(user);
  }
  std::vector<std::string> Messages() override { return fDialogs.Messages; }
  std::vector<std::string> Errors() override { return fDialogs.Errors; }
  std::vector<std::string> Opened() override { return fDialogs.Opened; }
  std::vector<std::string> Questions() override { return fDialogs.Questions; }
  int FileDialogsShown() override { return fDialogs.FileDialogs; }
  void AnswerQuestion(bool yes) override { fDialogs.Answers.push_back(yes); }
  // The title bar's close button sends the window WM_CLOSE.
  void CloseWindow() override { SendMessageW(fForm->Handle(), WM_CLOSE, 0, 0); }
  bool WindowOpen() override { return fForm->Handle() && IsWindowVisible(fForm->Handle()); }

 private:
  fs::path fFolder;
  app::TDiskFileSystem fDisk;
  TRecordingDialogs fDialogs;
  std::unique_ptr<win32::TMainForm> fForm;
};

class Win32Window : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    xlsx::RegisterXlsxFormat();
    xls::RegisterXlsFormat();
  }
};

// The place of a control in the window's client area, in pixels.
RECT PlaceOf(HWND control, HWND window) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

TEST_F(Win32Window, LayoutAsTheDescriptionSays) {
  TSession s;
  HWND window = s.Form().Handle();
  RECT client{};
  GetClientRect(window, &client);
  ASSERT_EQ(GetDpiForWindow(window), 96u) << "the test's places are for 96 DPI";
  EXPECT_EQ(client.right, 624);
  EXPECT_EQ(client.bottom, 676);
  EXPECT_EQ(win32::WindowText(window), "Zpracování cenové nabídky");
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "a fixed dialog frame";
  for (const app::TControlLayout& layout : app::MainWindowLayout().Controls) {
    SCOPED_TRACE(std::string(layout.Name));
    HWND control = s.Get(layout.Name);
    const RECT place = PlaceOf(control, window);
    if (layout.Kind == app::TControlKind::ckRadio) continue;  // inside their group, below
    EXPECT_EQ(place.left, layout.Left);
    EXPECT_EQ(place.top, layout.Top);
    if (layout.Kind == app::TControlKind::ckLabel) {
      EXPECT_GE(place.right - place.left, layout.Width);  // sized to its caption at least
    } else if (layout.Kind != app::TControlKind::ckCombo) {  // a combo box reaches down over its list
      EXPECT_EQ(place.right - place.left, layout.Width);
      EXPECT_EQ(place.bottom - place.top, layout.Height);
    }
    if (!layout.Hint.empty()) {
      EXPECT_EQ(s.Form().Hint(layout.Name), layout.Hint);
    }
  }
  const RECT radio = PlaceOf(s.Get("OrderLayoutRadio"), window);
  EXPECT_EQ(radio.left, 8 + 140);
  EXPECT_EQ(radio.top, 538 + 18);
  EXPECT_TRUE(s.Checked("CustomerHeaderCheck"));
  EXPECT_TRUE(s.Checked("OfferLayoutRadio"));
  EXPECT_FALSE(s.Checked("SaveDialogCheck"));
  EXPECT_TRUE(GetWindowLongW(s.Get("ItemTotalField"), GWL_STYLE) & SS_RIGHT);
  EXPECT_TRUE(GetWindowLongW(s.Get("ItemCodeField"), GWL_STYLE) & SS_SUNKEN);
  EXPECT_TRUE(GetWindowLongW(s.Get("PriceEntry"), GWL_STYLE) & ES_NOHIDESEL);
}

TEST_F(Win32Window, ExtraItemsDialogLayoutAndKeys) {
  app::TForm1 model;
  model.FormShow();
  TRecordingDialogs dialogs;
  win32::TExtraItemsForm form(model, dialogs, nullptr);
  form.Show();
  HWND window = form.Handle();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 871);
  EXPECT_EQ(client.bottom, 250);
  EXPECT_EQ(win32::WindowText(window), "Zadání dalších prvků do kalkulace");
  EXPECT_FALSE(GetWindowLongW(window, GWL_STYLE) & WS_SYSMENU) << "no title-bar buttons";
  for (const app::TControlLayout& layout : app::ExtraItemsDialogLayout().Controls) {
    SCOPED_TRACE(std::string(layout.Name));
    const RECT place = PlaceOf(form.Control(layout.Name), window);
    EXPECT_EQ(place.left, layout.Left);
    EXPECT_EQ(place.top, layout.Top);
    EXPECT_EQ(place.right - place.left, layout.Width);
    EXPECT_EQ(place.bottom - place.top, layout.Height);
  }
  HWND count = form.Control("ExtraItemCountEntry");
  EXPECT_EQ(GetFocus(), count);
  EXPECT_TRUE(GetWindowLongW(count, GWL_STYLE) & ES_NUMBER) << "digits only";
  TypeInto(count, "3");
  PressKey(count, TKey::kEnter);
  EXPECT_EQ(model.ExtraItemsTable.RowCount(), 4u);
  EXPECT_EQ(model.ExtraItemsTable.Cell(1, 0), "Položka");
  EXPECT_EQ(model.ExtraItemsTable.Cell(0, 3), "3");
  EXPECT_EQ(GetFocus(), form.CellEditor());
  // Tab goes from cell to cell and row to row.
  int column = 0, row = 0;
  for (int i = 0; i < 5; ++i) PressKey(form.CellEditor(), TKey::kTab);
  form.CurrentCell(column, row);
  EXPECT_EQ(column, 2);
  EXPECT_EQ(row, 2);
  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);  // Escape
  EXPECT_TRUE(model.Closed());
  EXPECT_FALSE(model.Confirmed());
}

// A written file whose type no program takes: the shell's "open" fails, and
// the user is told where the file is instead of nothing happening.
TEST_F(Win32Window, AFileTypeWithoutProgramIsTold) {
  struct TMessages : win32::TWindowsDialogs {
    std::vector<std::string> Shown;
    void ShowMessage(const std::string& message) override { Shown.push_back(message); }
    void ShowError(const std::string& message) override { Shown.push_back("error: " + message); }
  } dialogs;
  const fs::path file = fs::temp_directory_path() / ("nabidka-" + std::to_string(nabidkatest::ProcessId()) + ".nabidkaneznamy");
  std::ofstream(file) << "workbook";
  dialogs.OpenWithShell(text::Utf8FromPath(file), text::Utf8FromPath(file.parent_path()));
  fs::remove(file);
  EXPECT_EQ(dialogs.Shown, std::vector<std::string>{win32::TWindowsDialogs::NoProgramMessage(text::Utf8FromPath(file))});
}

class Win32Scenario : public Win32Window, public ::testing::WithParamInterface<scenario::TScenario> {};

TEST_P(Win32Scenario, PlaysAsInTheQtWindow) {
  TSession s(GetParam().Prepare);
  scenario::TChecks checks;
  GetParam().Run(s, checks);
  EXPECT_TRUE(checks.Failures.empty()) << checks.Report();
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Win32Scenario, ::testing::ValuesIn(scenario::Scenarios()),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
