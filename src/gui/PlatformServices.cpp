#include "gui/PlatformServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "gui/Convert.h"

namespace gui {

QStringList TQtSaveDialog::NameFilters(const std::string& filter) {
  const QStringList parts = Q(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString text = parts[i];
    // "Excel 2007 (*.xlsx,*.xlsm)": Qt reads the patterns inside the
    // parentheses, separated by spaces.
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    if (open >= 0) text = text.left(open).trimmed();
    QString masks = parts[i + 1];
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << text + QStringLiteral(" (") + masks + QLatin1Char(')');
  }
  return filters;
}

bool TQtSaveDialog::Execute() {
  QFileDialog dialog(fParent);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !fOverwritePrompt);
  const QStringList filters = NameFilters(fFilter);
  dialog.setNameFilters(filters);
  // The filter index is 1-based; 0 means the dialog's default, the first.
  const int index = fFilterIndex >= 1 && fFilterIndex <= filters.size() ? fFilterIndex : 1;
  if (!filters.isEmpty()) dialog.selectNameFilter(filters[index - 1]);
  dialog.setDefaultSuffix(Q(fDefaultExt));
  if (!fInitialDir.empty()) dialog.setDirectory(Q(fInitialDir));
  if (!fFileName.empty()) dialog.selectFile(Q(fFileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const QString chosen = dialog.selectedFiles().first();
  // The folder must exist: Qt's dialog lets a typed path through.
  if (fPathMustExist && !QFileInfo(chosen).absoluteDir().exists()) return false;
  fFileName = S(chosen);
  fFilterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}

TQtProgressWindow::TQtProgressWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint),
      fCaption(new QLabel(this)),
      fBar(new QProgressBar(this)) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setFixedSize(238, 83);
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("#ProgressWindow { border: 1px solid #808080; }"));
  fCaption->setObjectName(QStringLiteral("ProgressCaption"));
  fCaption->setGeometry(0, 0, 238, 40);
  fCaption->setAlignment(Qt::AlignCenter);
  fBar->setObjectName(QStringLiteral("ProgressBar"));
  fBar->setGeometry(10, 48, 217, 17);
  fBar->setTextVisible(false);
  const QRect area = parent ? parent->geometry() : QGuiApplication::primaryScreen()->availableGeometry();
  move(area.center() - rect().center());
  show();
  QApplication::processEvents();
}

void TQtProgressWindow::SetCaption(const std::string& caption) {
  QString text = Q(caption);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  fCaption->setText(text);
  repaint();
  QApplication::processEvents();
}

void TQtProgressWindow::SetProgress(int position, int count) {
  fBar->setRange(0, std::max(count, 1));
  fBar->setValue(std::clamp(position, 0, std::max(count, 1)));
  repaint();
  QApplication::processEvents();
}

namespace {

class TFirstFrameWatch : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

void QuitAfterFirstFrame(QWidget& window) { window.installEventFilter(new TFirstFrameWatch(&window)); }

void OpenWithDesktop(const std::string& fileName, const std::string&) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(Q(fileName)));
}

}  // namespace gui
