// The Windows program: the main window on the article-list folder.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "app/OfferExport.h"
#include "app/ProgramOptions.h"
#include "app/UserRegion.h"
#include "win32/MainForm.h"
#include "win32/WindowsDialogs.h"

namespace {

std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide && i < count; ++i) args.push_back(win32::Utf8(wide[i]));
  if (wide) LocalFree(wide);
  return args;
}

// A window program has no console of its own: the text goes to the standard
// output it was given, else to the console it was started from, else into a
// message box.
void Print(const std::string& text) {
  DWORD written = 0;
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  if (output && output != INVALID_HANDLE_VALUE &&
      WriteFile(output, text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
    return;
  }
  if (AttachConsole(ATTACH_PARENT_PROCESS)) {
    const std::wstring wide = win32::Wide(text);
    WriteConsoleW(GetStdHandle(STD_OUTPUT_HANDLE), wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  MessageBoxW(nullptr, win32::Wide(text).c_str(), L"Nabídka", MB_OK | MB_ICONINFORMATION);
}

// For the real-window test: every handler with its duration and what the
// window then shows, one line each, in NABIDKA_STATE_LOG when it is set.
void LogHandlers(win32::TMainForm& form) {
  const wchar_t* path = _wgetenv(L"NABIDKA_STATE_LOG");
  if (!path || !*path) return;
  const std::filesystem::path file = path;
  form.OnHandled = [&form, file](std::string_view handler, double milliseconds) {
    const app::TMainWindowState& view = form.App().Window;
    std::ofstream log(file, std::ios::app | std::ios::binary);
    log << handler << '\t' << milliseconds << "\tSelectedItemIndex=" << view.ItemList.ItemIndex
        << "\tItemCodeField=" << view.ItemCodeField << "\tItemCountField=" << view.ItemCountField
        << "\tItemTotalField=" << view.ItemTotalField << "\tNetTotalField=" << view.NetTotalField
        << "\tGrossTotalField=" << view.GrossTotalField << "\tExportFilePath=" << form.App().Workspace.ExportFilePath
        << '\n';
  };
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::string error;
  const std::optional<app::TProgramOptions> options = app::ParseProgramOptions(Arguments(), error);
  if (!options) {
    MessageBoxW(nullptr, win32::Wide("Chyba: " + error + "\n\n" + app::kProgramUsage).c_str(), L"Nabídka",
                MB_OK | MB_ICONERROR);
    return 2;
  }
  if (options->Version) {
    Print(std::string("nabidka ") + NABIDKA_VERSION + "\n");
    return 0;
  }
  if (options->Help) {
    Print(app::kProgramUsage);
    return 0;
  }

  // The common dialogs and the picture decoder want a single-threaded apartment.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  app::RegisterFileFormats();

  app::TDiskFileSystem fileSystem;
  win32::TWindowsDialogs dialogs;
  app::TMainWindowSettings settings;
  settings.ArticleListFolder = options->Folder;
  settings.Region = app::UserRegion();
  win32::TMainForm form(fileSystem, dialogs, settings);
  dialogs.SetOwner(form.Handle());
  app::InstallDesktopServices(dialogs);
  LogHandlers(form);
  form.StartUp();
  form.Show();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (form.TakeMessage(&message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  CoUninitialize();
  return static_cast<int>(message.wParam);
}
