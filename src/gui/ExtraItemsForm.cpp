#include "gui/ExtraItemsForm.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTableWidget>

#include "app/MainWindow.h"
#include "app/WindowLayout.h"
#include "gui/Convert.h"
#include "gui/Fonts.h"
#include "gui/QtDialogs.h"

namespace gui {

namespace {

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

}  // namespace

TExtraItemsForm::TExtraItemsForm(app::TForm1& model, TQtDialogs& dialogs, QWidget* parent)
    : QDialog(parent), fModel(model), fDialogs(dialogs) {
  const app::TWindowLayout& layout = app::ExtraItemsDialogLayout();
  setObjectName(Q(layout.Name));
  setWindowTitle(Q(layout.Caption));
  // No title-bar buttons: the dialog ends with "Doplnit" (or Escape).
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(layout.ClientWidth, layout.ClientHeight);
  setFont(TahomaFont(layout.FontPoints));
  BuildControls();
  ShowTable();
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
  if (fModel.Focus == app::TExtraItemsFocus::efCountEntry) fCountEntry->setFocus();
}

// The controls of the dialog's description, each with its own place and font.
void TExtraItemsForm::BuildControls() {
  const app::TWindowLayout& layout = app::ExtraItemsDialogLayout();
  auto place = [&layout](QWidget* widget, std::string_view name) {
    const app::TControlLayout& control = layout.Control(name);
    widget->setObjectName(Q(control.Name));
    widget->setGeometry(control.Left, control.Top, control.Width, control.Height);
    if (control.FontPoints > 0) widget->setFont(TahomaFont(control.FontPoints));
  };
  auto* label = new QLabel(Q(layout.Control("CountLabel").Caption), this);
  place(label, "CountLabel");

  fCountEntry = new QLineEdit(Q(fModel.ExtraItemCountEntry), this);
  place(fCountEntry, "ExtraItemCountEntry");
  fCountEntry->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fCountEntry->setMaxLength(app::TForm1::kCountEntryMaxLength);
  fCountEntry->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), fCountEntry));
  fCountEntry->installEventFilter(this);
  connect(fCountEntry, &QLineEdit::textEdited, this, [this](const QString& text) { fModel.ExtraItemCountEntry = S(text); });

  fTable = new QTableWidget(this);
  place(fTable, "ExtraItemsTable");
  fTable->horizontalHeader()->hide();
  fTable->verticalHeader()->hide();
  fTable->verticalHeader()->setDefaultSectionSize(app::kExtraItemsRowHeight);
  fTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  fTable->setSelectionMode(QAbstractItemView::ContiguousSelection);
  fTable->setTabKeyNavigation(true);
  fTable->setShowGrid(true);
  fTable->setColumnCount(app::TForm1::kColumnCount);
  for (int c = 0; c < app::TForm1::kColumnCount; ++c) fTable->setColumnWidth(c, app::kExtraItemsColumnWidths[c]);
  connect(fTable, &QTableWidget::cellChanged, this, &TExtraItemsForm::CellEdited);
  // The fixed row and column are no cells to type in: Tab and Shift+Tab pass
  // over them to the next row's first cell or the previous row's last one.
  connect(fTable, &QTableWidget::currentCellChanged, this, [this](int row, int column, int fromRow, int fromColumn) {
    const int last = app::TForm1::kColumnCount - 1;
    if (row >= 1 && column == 0) {
      const bool back = fromRow == row && fromColumn == 1;
      if (back && row > 1) {
        fTable->setCurrentCell(row - 1, last);
      } else {
        fTable->setCurrentCell(row, 1);
      }
    } else if (row == 0 && fTable->rowCount() > 1) {
      fTable->setCurrentCell(1, std::max(column, 1));
    }
  });

  fConfirm = new QPushButton(Q(layout.Control("ConfirmButton").Caption), this);
  place(fConfirm, "ConfirmButton");
  fConfirm->setAutoDefault(false);
  connect(fConfirm, &QPushButton::clicked, this, &TExtraItemsForm::Confirm);
}

// Row 0 and column 0 are the grid's fixed header row and number column.
void TExtraItemsForm::ShowTable() {
  fShowing = true;
  const int rows = static_cast<int>(fModel.ExtraItemsTable.RowCount());
  fTable->setRowCount(rows);
  const QBrush fixed = palette().button();
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < app::TForm1::kColumnCount; ++c) {
      auto* item = new QTableWidgetItem(Q(fModel.ExtraItemsTable.Cell(c, r)));
      if (r == 0 || c == 0) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(fixed);
      }
      fTable->setItem(r, c, item);
    }
  }
  fShowing = false;
}

bool TExtraItemsForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fCountEntry && event->type() == QEvent::KeyPress && IsEnter(static_cast<QKeyEvent*>(event))) {
    CountEntered();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TExtraItemsForm::CountEntered() {
  fModel.ExtraItemCountEntry = S(fCountEntry->text());
  try {
    fModel.Edit1KeyPress(app::kEnterKey);
  } catch (const std::exception& error) {
    fDialogs.ShowError(error.what());
    return;
  }
  ShowTable();
  if (fModel.Focus == app::TExtraItemsFocus::efTable) {
    fTable->setFocus();
    if (fTable->rowCount() > 1) fTable->setCurrentCell(1, 1);
  }
}

void TExtraItemsForm::CellEdited(int row, int column) {
  if (fShowing) return;
  fModel.ExtraItemsTable.SetCell(column, row, S(fTable->item(row, column)->text()));
}

void TExtraItemsForm::Confirm() {
  // A cell still being typed in counts, as the grid takes it on leaving.
  if (QWidget* editor = fTable->focusWidget(); editor && editor != fTable) fTable->setFocus();
  fModel.ExtraItemCountEntry = S(fCountEntry->text());
  fModel.Button1Click();
  accept();
}

void TExtraItemsForm::reject() {
  fModel.Cancel();
  QDialog::reject();
}

}  // namespace gui
