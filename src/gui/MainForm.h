#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/MainWindow.h"
#include "app/WindowLayout.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace gui {

// The main window "Zpracování cenové nabídky". It owns the toolkit-free
// window (app::TMainWindow: the offer workspace, the controls' state and
// the handlers) and only binds widgets to it: a user's action copies what
// the widgets hold into the state, runs the handler and shows the state
// again. Every widget's objectName is its control's name.
class TMainForm : public QWidget {
  Q_OBJECT

 public:
  TMainForm(app::TFileSystem& fileSystem, app::TDialogs& dialogs, app::TMainWindowSettings settings,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  // Start-up while the window is created: the stored description, the
  // newest list with its pictures, the customer list.
  app::TStartUpResult StartUp();

  app::TMainWindow& App() { return fApp; }
  // Shows the state on the widgets (fires no handler).
  void ShowState();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Closing asks first when the offer holds unexported edits.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void TakeControls();
  void ConnectHandlers();
  QLabel* AddLabel(const app::TControlLayout& layout, QWidget* parent);
  // The widget built for the named control.
  template <class TWidget>
  TWidget* Control(std::string_view name) const {
    return static_cast<TWidget*>(fControls.at(std::string(name)));
  }

  // Runs a handler as the event loop does: the widgets' texts go into the
  // state first, a failure is shown in the error box, the state is shown after.
  void Run(const std::function<void()>& handler);
  void TakeEntries();
  void ShowPicture();
  void ApplyFocus();

  app::TFileSystem& fFileSystem;
  app::TMainWindow fApp;
  std::map<std::string, QWidget*> fControls;
  std::string fShownPicture;

  QLabel* fItemCode = nullptr;
  QLabel* fItemDescription = nullptr;
  QLabel* fItemCount = nullptr;
  QLabel* fItemPrice = nullptr;
  QLabel* fItemTotal = nullptr;
  QLineEdit* fCountEntry = nullptr;
  QLineEdit* fPriceEntry = nullptr;
  QCheckBox* fEditMode = nullptr;
  QLabel* fPicture = nullptr;
  QListWidget* fItemList = nullptr;
  QPushButton* fMoveUp = nullptr;
  QPushButton* fMoveDown = nullptr;
  QPlainTextEdit* fProperties = nullptr;
  QLabel* fNetTotal = nullptr;
  QLabel* fVat = nullptr;
  QLabel* fGrossTotal = nullptr;
  QPushButton* fOpen = nullptr;
  QPushButton* fAppend = nullptr;
  QPushButton* fExtraItems = nullptr;
  QPushButton* fExport = nullptr;
  QCheckBox* fSaveDialog = nullptr;
  QCheckBox* fCustomerHeader = nullptr;
  QRadioButton* fOfferLayout = nullptr;
  QRadioButton* fOrderLayout = nullptr;
  QComboBox* fCustomerChoice = nullptr;
  QLineEdit* fDescription = nullptr;
  QLabel* fCustomerFields[7] = {};
};

}  // namespace gui
