#include "app/Dialogs.h"

namespace app {

void InstallDesktopServices(TDialogs& dialogs) {
  sheet::SetSaveDialogFactory([&dialogs] { return dialogs.CreateSaveDialog(); });
  sheet::SetProgressWindowFactory([&dialogs] { return dialogs.CreateProgressWindow(); });
  sheet::SetShellOpen([&dialogs](const std::string& fileName, const std::string& workingDir) {
    dialogs.OpenWithShell(fileName, workingDir);
  });
}

}  // namespace app
