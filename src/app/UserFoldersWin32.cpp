#include "app/UserFolders.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>

#include "app/Paths.h"
#include "text/Utf16.h"

namespace app {

namespace {

std::string FromWide(const wchar_t* wide) {
  return text::ToUtf8(reinterpret_cast<const char16_t*>(wide));
}

// "C:" for a Windows folder "C:\Windows"; nothing when the shell does not say.
std::string SystemDrive() {
  wchar_t* windows = nullptr;
  std::string drive;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Windows, 0, nullptr, &windows)) && windows && windows[0] &&
      windows[1] == L':') {
    drive = FromWide(windows).substr(0, 2);
  }
  CoTaskMemFree(windows);
  return drive;
}

}  // namespace

std::string DefaultWindowFolder() {
  // The environment in UTF-16: its narrow copy is in the ANSI code page.
  if (const wchar_t* folder = _wgetenv(L"NABIDKA_FOLDER"); folder && *folder) return FromWide(folder);
  const std::string drive = SystemDrive();
  return drive.empty() ? DefaultArticleListFolder() : drive + "\\pCon_article_lists";
}

}  // namespace app
