#pragma once

#include <QWidget>
#include <memory>

#include "sheet/FormatRegistry.h"
#include "sheet/Progress.h"

class QLabel;
class QProgressBar;

namespace gui {

// The file-save dialog of "s dialogem": the registry's filter list, each
// "text|mask" pair a Qt name filter, starting at the given filter index,
// default suffix, overwrite prompt, and a folder that must exist.
class TQtSaveDialog : public sheet::TSaveDialog {
 public:
  explicit TQtSaveDialog(QWidget* parent) : fParent(parent) {}
  bool Execute() override;

  // "A (*.a,*.b)|*.a;*.b|C (*.c)|*.c" as Qt name filters.
  static QStringList NameFilters(const std::string& filter);

 private:
  QWidget* fParent;
};

// The small borderless window shown while a workbook is saved or loaded: a
// caption label across the top and a progress bar; every change repaints it
// at once and lets the window handle pending events.
class TQtProgressWindow : public QWidget, public sheet::TProgressWindow {
 public:
  explicit TQtProgressWindow(QWidget* parent);
  void SetCaption(const std::string& caption) override;
  void SetProgress(int position, int count) override;

 private:
  QLabel* fCaption;
  QProgressBar* fBar;
};

// Quits the application once `window` has painted its first frame.
void QuitAfterFirstFrame(QWidget& window);

// The desktop's default "open" action for a written file.
void OpenWithDesktop(const std::string& fileName, const std::string& workingDir);

}  // namespace gui
