#include "gui/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/Convert.h"
#include "gui/ExtraItemsForm.h"
#include "gui/PlatformServices.h"

namespace gui {

QString TQtDialogs::NameFilter(const std::string& filter) {
  QStringList pairs = Q(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < pairs.size(); i += 2) {
    QString masks = pairs[i + 1];
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << pairs[i].trimmed() + QStringLiteral(" (") + masks + QLatin1Char(')');
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> TQtDialogs::OpenFile(const app::TOpenDialogOptions& options) {
  QFileDialog dialog(fParent, Q(options.Title), Q(options.InitialDir), NameFilter(options.Filter));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(Q(options.DefaultExt));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return S(dialog.selectedFiles().first());
}

void TQtDialogs::ShowMessage(const std::string& message) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), Q(message), QMessageBox::Ok,
                  fParent);
  box.exec();
}

bool TQtDialogs::AskYesNo(const std::string& question) {
  QMessageBox box(QMessageBox::Question, QApplication::applicationDisplayName(), Q(question),
                  QMessageBox::Yes | QMessageBox::No, fParent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void TQtDialogs::ShowError(const std::string& message) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), Q(message), QMessageBox::Ok, fParent);
  box.exec();
}

std::unique_ptr<sheet::TSaveDialog> TQtDialogs::CreateSaveDialog() {
  return std::make_unique<TQtSaveDialog>(fParent.data());
}

std::unique_ptr<sheet::TProgressWindow> TQtDialogs::CreateProgressWindow() {
  return std::make_unique<TQtProgressWindow>(fParent.data());
}

void TQtDialogs::OpenWithShell(const std::string& fileName, const std::string& workingDir) {
  OpenWithDesktop(fileName, workingDir);
}

void TQtDialogs::ShowExtraItemsDialog(app::TForm1& dialog) {
  TExtraItemsForm form(dialog, *this, fParent);
  form.exec();
  if (!dialog.Closed()) dialog.Cancel();
}

}  // namespace gui
