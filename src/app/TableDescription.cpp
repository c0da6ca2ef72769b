#include "app/TableDescription.h"

#include "app/MainWindow.h"
#include "text/CodePage.h"

namespace app {

std::string EncodeDescriptionFile(std::string_view description, int ansiCodePage) {
  std::string line(description);
  line += "\r\n";
  return text::EncodeCodePage(line, ansiCodePage);
}

std::string DecodeDescriptionFile(std::string_view bytes, int ansiCodePage) {
  const std::string contents = text::DecodeTextFile(bytes, ansiCodePage);
  return contents.substr(0, contents.find_first_of("\r\n"));
}

std::string DescriptionStoredMessage(const std::vector<std::string>& replaced) {
  std::string message = kDescriptionStoredMessage;
  if (replaced.empty()) return message;
  message += "; znaky";
  for (const std::string& character : replaced) message += " " + character;
  return message + ", které soubor neudrží, byly nahrazeny otazníkem";
}

void TMainWindow::LoadDescription() {
  const std::string path = DescriptionFilePath();
  if (!fFileSystem.FileExists(path)) return;
  const std::string bytes = NamingFile(path, [&] { return fFileSystem.ReadFile(path); });
  Window.DescriptionEntry = DecodeDescriptionFile(bytes, fSettings.AnsiCodePage);
}

// The old file is not deleted first: WriteFile puts the new contents under a
// temporary name and renames it over the old file, so a failed write (full
// disk, no access) leaves the last stored description in place.
void TMainWindow::StoreDescription() {
  const std::string bytes = EncodeDescriptionFile(Window.DescriptionEntry, fSettings.AnsiCodePage);
  const std::string path = DescriptionFilePath();
  NamingFile(path, [&] { fFileSystem.WriteFile(path, bytes); });
  fDialogs.ShowMessage(DescriptionStoredMessage(text::UnmappableCharacters(Window.DescriptionEntry, fSettings.AnsiCodePage)));
}

void TMainWindow::Edit17KeyPress(char key) {
  if (key == '\r') StoreDescription();
}

}  // namespace app
