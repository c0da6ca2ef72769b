#pragma once

#include <QDialog>

#include "app/ExtraItemsDialog.h"

class QLineEdit;
class QTableWidget;
class QPushButton;

namespace gui {

class TQtDialogs;

// The additional-items dialog "Zadání dalších prvků do kalkulace", bound to
// its toolkit-free model: the widgets show the model, edits go into it, and
// the model's handlers decide. Closing it other than with "Doplnit" leaves
// the model unconfirmed.
class TExtraItemsForm : public QDialog {
  Q_OBJECT

 public:
  TExtraItemsForm(app::TForm1& model, TQtDialogs& dialogs, QWidget* parent = nullptr);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void reject() override;

 private:
  void BuildControls();
  void ShowTable();
  void CountEntered();
  void CellEdited(int row, int column);
  void Confirm();

  app::TForm1& fModel;
  TQtDialogs& fDialogs;
  QLineEdit* fCountEntry = nullptr;
  QTableWidget* fTable = nullptr;
  QPushButton* fConfirm = nullptr;
  bool fShowing = false;  // the table is being filled from the model
};

}  // namespace gui
