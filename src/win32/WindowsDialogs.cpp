#include "win32/WindowsDialogs.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "app/WindowLayout.h"
#include "win32/ExtraItemsForm.h"

namespace win32 {

namespace {

constexpr wchar_t kBoxCaption[] = L"Nabídka";

// The common dialogs take a buffer for the chosen name; long paths included.
constexpr std::size_t kPathBuffer = 32768;

// The file-save dialog of "s dialogem": the registry's filter list, the
// filter index in and out, the default extension, the overwrite prompt and a
// folder that must exist.
class TWindowsSaveDialog : public sheet::TSaveDialog {
 public:
  explicit TWindowsSaveDialog(HWND owner) : fOwner(owner) {}

  bool Execute() override {
    std::vector<wchar_t> file(kPathBuffer, L'\0');
    const std::wstring name = Wide(fFileName);
    std::copy_n(name.begin(), std::min(name.size(), kPathBuffer - 1), file.begin());
    const std::wstring filter = TWindowsDialogs::Filter(fFilter);
    const std::wstring folder = Wide(fInitialDir);
    const std::wstring extension = Wide(fDefaultExt);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = fOwner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(std::max(fFilterIndex, 0));
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY | (fOverwritePrompt ? OFN_OVERWRITEPROMPT : 0) |
                   (fPathMustExist ? OFN_PATHMUSTEXIST : 0);
    if (!GetSaveFileNameW(&dialog)) return false;
    fFileName = Utf8(file.data());
    fFilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
  }

 private:
  HWND fOwner;
};

// The small window shown while a workbook is saved or loaded: a caption
// across the top and a progress bar, 238 × 83, centred on its owner. Every
// change repaints it at once and lets the windows handle pending messages.
class TWindowsProgressWindow : public sheet::TProgressWindow {
 public:
  explicit TWindowsProgressWindow(HWND owner) {
    const UINT dpi = GetDpiForSystem();
    const int width = Scaled(238, dpi);
    const int height = Scaled(83, dpi);
    RECT area{};
    if (!owner || !GetWindowRect(owner, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    fWindow = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, WC_STATICW, L"", WS_POPUP | WS_BORDER,
                              (area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2, width,
                              height, owner, nullptr, static_cast<HINSTANCE>(ModuleHandle()), nullptr);
    fFont = CreateTahoma(8, dpi);
    fCaption = CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0,
                               Scaled(6, dpi), width, Scaled(34, dpi), fWindow, nullptr,
                               static_cast<HINSTANCE>(ModuleHandle()), nullptr);
    SendMessageW(fCaption, WM_SETFONT, reinterpret_cast<WPARAM>(fFont), FALSE);
    fBar = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, Scaled(10, dpi), Scaled(48, dpi),
                           Scaled(217, dpi), Scaled(17, dpi), fWindow, nullptr,
                           static_cast<HINSTANCE>(ModuleHandle()), nullptr);
    ShowWindow(fWindow, SW_SHOWNOACTIVATE);
    Pump();
  }
  ~TWindowsProgressWindow() override {
    if (fWindow) DestroyWindow(fWindow);
    if (fFont) DeleteObject(fFont);
  }
  TWindowsProgressWindow(const TWindowsProgressWindow&) = delete;
  TWindowsProgressWindow& operator=(const TWindowsProgressWindow&) = delete;

  void SetCaption(const std::string& caption) override {
    SetWindowTextIfChanged(fCaption, caption);
    Pump();
  }
  void SetProgress(int position, int count) override {
    const int range = std::max(count, 1);
    SendMessageW(fBar, PBM_SETRANGE32, 0, range);
    SendMessageW(fBar, PBM_SETPOS, static_cast<WPARAM>(std::clamp(position, 0, range)), 0);
    Pump();
  }

 private:
  void Pump() {
    UpdateWindow(fWindow);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  HWND fWindow = nullptr;
  HWND fCaption = nullptr;
  HWND fBar = nullptr;
  HFONT fFont = nullptr;
};

}  // namespace

std::wstring TWindowsDialogs::Filter(const std::string& filter) {
  std::wstring out = Wide(filter);
  std::replace(out.begin(), out.end(), L'|', L'\0');
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

std::string TWindowsDialogs::NoProgramMessage(const std::string& fileName) {
  return "Sešit " + fileName +
         " je uložen, ale Windows nemají program, který by soubory tohoto typu otevíral. Otevřete ho v tabulkovém "
         "procesoru sami.";
}

std::optional<std::string> TWindowsDialogs::OpenFile(const app::TOpenDialogOptions& options) {
  std::vector<wchar_t> file(kPathBuffer, L'\0');
  const std::wstring title = Wide(options.Title);
  const std::wstring filter = Filter(options.Filter);
  const std::wstring folder = Wide(options.InitialDir);
  const std::wstring extension = Wide(options.DefaultExt);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = fOwner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = title.empty() ? nullptr : title.c_str();
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return Utf8(file.data());
}

void TWindowsDialogs::ShowMessage(const std::string& message) {
  MessageBoxW(fOwner, Wide(message).c_str(), kBoxCaption, MB_OK | MB_ICONINFORMATION);
}

bool TWindowsDialogs::AskYesNo(const std::string& question) {
  return MessageBoxW(fOwner, Wide(question).c_str(), kBoxCaption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void TWindowsDialogs::ShowError(const std::string& message) {
  MessageBoxW(fOwner, Wide(message).c_str(), kBoxCaption, MB_OK | MB_ICONERROR);
}

void TWindowsDialogs::ShowExtraItemsDialog(app::TForm1& dialog) {
  TExtraItemsForm form(dialog, *this, fOwner);
  form.ShowModal();
  if (!dialog.Closed()) dialog.Cancel();
}

std::unique_ptr<sheet::TSaveDialog> TWindowsDialogs::CreateSaveDialog() {
  return std::make_unique<TWindowsSaveDialog>(fOwner);
}

std::unique_ptr<sheet::TProgressWindow> TWindowsDialogs::CreateProgressWindow() {
  return std::make_unique<TWindowsProgressWindow>(fOwner);
}

void TWindowsDialogs::OpenWithShell(const std::string& fileName, const std::string& workingDir) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(fOwner, L"open", Wide(fileName).c_str(), nullptr,
                                                              Wide(workingDir).c_str(), SW_SHOWNORMAL));
  if (result == SE_ERR_NOASSOC) {
    ShowMessage(NoProgramMessage(fileName));
  } else if (result <= 32) {
    ShowError("Sešit " + fileName + " je uložen, ale nepodařilo se ho otevřít (chyba " + std::to_string(result) + ").");
  }
}

}  // namespace win32
