#include "gui/MainForm.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>

#include "app/JpegPicture.h"
#include "app/OfferExport.h"
#include "app/WindowLayout.h"
#include "gui/Convert.h"
#include "gui/Fonts.h"

namespace gui {

namespace {

constexpr int kPictureBox = app::kPictureBoxSide;
constexpr int kAccentRoom = 3;

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

// A text field that shows a text only when it differs, so that setting the
// state again keeps the cursor and the selection of a field being edited.
void SetText(QLineEdit* edit, const std::string& text) {
  const QString value = Q(text);
  if (edit->text() != value) edit->setText(value);
}

QStringList Texts(const app::TTextList& list) {
  QStringList texts;
  for (const std::string& entry : list) texts << Q(entry);
  return texts;
}

// Refills a list or combo box only when its entries changed, so that showing
// the state again keeps its scroll position.
template <class TWidget, class TItemText>
void ShowEntries(TWidget* widget, const QStringList& entries, TItemText itemText) {
  bool same = widget->count() == entries.size();
  for (int i = 0; same && i < entries.size(); ++i) same = itemText(i) == entries[i];
  if (same) return;
  widget->clear();
  widget->addItems(entries);
}

}  // namespace

TMainForm::TMainForm(app::TFileSystem& fileSystem, app::TDialogs& dialogs, app::TMainWindowSettings settings,
                     QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      fFileSystem(fileSystem),
      fApp(fileSystem, dialogs, std::move(settings)) {
  const app::TWindowLayout& layout = app::MainWindowLayout();
  setObjectName(Q(layout.Name));
  setWindowTitle(Q(layout.Caption));
  setFixedSize(layout.ClientWidth, layout.ClientHeight);
  setFont(TahomaFont(layout.FontPoints));
  BuildControls();
  ConnectHandlers();
  ShowState();
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

TMainForm::~TMainForm() = default;

QLabel* TMainForm::AddLabel(const app::TControlLayout& layout, QWidget* parent) {
  auto* label = new QLabel(Q(layout.Caption), parent);
  if (layout.Width == 0) {
    // The accents of capitals (Č, Š) rise above the font's ascent; a label
    // as tall as its text would cut them off, so the label starts a little
    // higher and its text stays where the layout puts it.
    label->setContentsMargins(0, kAccentRoom, 0, 0);
    label->move(layout.Left, layout.Top - kAccentRoom);
    label->adjustSize();
  } else {
    label->setGeometry(layout.Left, layout.Top, layout.Width, layout.Height);
  }
  return label;
}

// One widget per control of the window's description, in its order (which
// is the tab order), named after the control.
void TMainForm::BuildControls() {
  using K = app::TControlKind;
  for (const app::TControlLayout& layout : app::MainWindowLayout().Controls) {
    QWidget* parent = layout.Parent.empty() ? this : Control<QWidget>(layout.Parent);
    QWidget* widget = nullptr;
    switch (layout.Kind) {
      case K::ckLabel: widget = AddLabel(layout, parent); break;
      case K::ckField: {
        QLabel* field = AddLabel(layout, parent);
        field->setFrameShape(QFrame::Panel);
        field->setFrameShadow(QFrame::Sunken);
        field->setAlignment((layout.RightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        widget = field;
        break;
      }
      case K::ckEntry: {
        auto* entry = new QLineEdit(Q(layout.Caption), parent);
        if (layout.RightAligned) entry->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        widget = entry;
        break;
      }
      case K::ckCheck: {
        auto* check = new QCheckBox(Q(layout.Caption), parent);
        check->setChecked(layout.Checked);
        widget = check;
        break;
      }
      case K::ckPicture: {
        auto* picture = new QLabel(parent);
        picture->setScaledContents(true);
        widget = picture;
        break;
      }
      case K::ckList: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        widget = list;
        break;
      }
      case K::ckButton: widget = new QPushButton(Q(layout.Caption), parent); break;
      case K::ckMemo: {
        auto* memo = new QPlainTextEdit(Q(layout.Caption), parent);
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        memo->setReadOnly(true);  // the lines come from the list; an edit here would go nowhere
        widget = memo;
        break;
      }
      case K::ckRadioGroup: widget = new QGroupBox(Q(layout.Caption), parent); break;
      case K::ckRadio: {
        auto* radio = new QRadioButton(Q(layout.Caption), parent);
        radio->setChecked(layout.Checked);
        widget = radio;
        break;
      }
      case K::ckCombo: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        widget = combo;
        break;
      }
      case K::ckGrid: continue;  // the dialog's only
    }
    widget->setObjectName(Q(layout.Name));
    if (layout.Kind != K::ckLabel && layout.Kind != K::ckField) {
      widget->setGeometry(layout.Left, layout.Top, layout.Width, layout.Height);
    }
    if (!layout.Hint.empty()) widget->setToolTip(Q(layout.Hint));
    fControls.emplace(std::string(layout.Name), widget);
  }
  TakeControls();
}

void TMainForm::TakeControls() {
  fItemCode = Control<QLabel>("ItemCodeField");
  fItemDescription = Control<QLabel>("ItemDescriptionField");
  fItemCount = Control<QLabel>("ItemCountField");
  fItemPrice = Control<QLabel>("ItemPriceField");
  fItemTotal = Control<QLabel>("ItemTotalField");
  fCountEntry = Control<QLineEdit>("CountEntry");
  fPriceEntry = Control<QLineEdit>("PriceEntry");
  fEditMode = Control<QCheckBox>("EditModeCheck");
  fPicture = Control<QLabel>("ItemPicture");
  fItemList = Control<QListWidget>("ItemList");
  fMoveUp = Control<QPushButton>("MoveUpButton");
  fMoveDown = Control<QPushButton>("MoveDownButton");
  fProperties = Control<QPlainTextEdit>("PropertiesBox");
  fNetTotal = Control<QLabel>("NetTotalField");
  fVat = Control<QLabel>("VatField");
  fGrossTotal = Control<QLabel>("GrossTotalField");
  fOpen = Control<QPushButton>("OpenButton");
  fAppend = Control<QPushButton>("AppendButton");
  fExtraItems = Control<QPushButton>("ExtraItemsButton");
  fExport = Control<QPushButton>("ExportButton");
  fSaveDialog = Control<QCheckBox>("SaveDialogCheck");
  fCustomerHeader = Control<QCheckBox>("CustomerHeaderCheck");
  fOfferLayout = Control<QRadioButton>("OfferLayoutRadio");
  fOrderLayout = Control<QRadioButton>("OrderLayoutRadio");
  fCustomerChoice = Control<QComboBox>("CustomerChoice");
  fDescription = Control<QLineEdit>("DescriptionEntry");
  const char* customerFields[7] = {"CustomerFirmField",    "CustomerStreetField", "CustomerCityField",
                                   "CustomerContactField", "CustomerPhoneField",  "CustomerIcoField",
                                   "CustomerDicField"};
  for (int k = 0; k < 7; ++k) fCustomerFields[k] = Control<QLabel>(customerFields[k]);

  // The selection of the price stays visible while another control has the focus.
  QPalette palette = fPriceEntry->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  fPriceEntry->setPalette(palette);
  // Room for the whole caption in the box's width.
  fSaveDialog->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
  auto* group = new QButtonGroup(Control<QGroupBox>("LayoutChoice"));
  group->addButton(fOfferLayout, app::offersheet::kOfferLayout);
  group->addButton(fOrderLayout, app::offersheet::kOrderLayout);
}

void TMainForm::ConnectHandlers() {
  for (QLineEdit* entry : {fCountEntry, fPriceEntry, fDescription}) entry->installEventFilter(this);
  // A selection by mouse or keyboard is the user's; one set from code is
  // made with the signals blocked (ShowState).
  connect(fItemList, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0) return;
    fApp.Window.ItemList.ItemIndex = row;
    Run([this] { fApp.ListBox4Click(); });
  });
  connect(fEditMode, &QCheckBox::clicked, this, [this](bool checked) {
    fApp.Window.EditModeCheck = checked;
    Run([this] { fApp.CheckBox2Click(); });
  });
  connect(fMoveUp, &QPushButton::clicked, this, [this] { Run([this] { fApp.Button16Click(); }); });
  connect(fMoveDown, &QPushButton::clicked, this, [this] { Run([this] { fApp.Button20Click(); }); });
  connect(fOpen, &QPushButton::clicked, this, [this] { Run([this] { fApp.OpenListClick(); }); });
  connect(fAppend, &QPushButton::clicked, this, [this] { Run([this] { fApp.AppendListClick(); }); });
  connect(fExtraItems, &QPushButton::clicked, this, [this] { Run([this] { fApp.Button14Click(); }); });
  connect(fExport, &QPushButton::clicked, this, [this] { Run([this] { app::ExportOffer(fApp); }); });
  connect(fSaveDialog, &QCheckBox::toggled, this, [this](bool on) { fApp.Window.SaveDialogCheck = on; });
  connect(fCustomerHeader, &QCheckBox::toggled, this, [this](bool on) { fApp.Window.CustomerHeaderCheck = on; });
  connect(fOfferLayout, &QRadioButton::toggled, this, [this](bool on) {
    fApp.Window.LayoutChoice = on ? app::offersheet::kOfferLayout : app::offersheet::kOrderLayout;
  });
  connect(fCustomerChoice, qOverload<int>(&QComboBox::activated), this,
          [this](int index) { Run([this, index] { fApp.SelectCustomer(index); }); });
  connect(fCustomerChoice->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { Run([this, text] { fApp.TypeCustomerName(S(text)); }); });
  connect(fCountEntry, &QLineEdit::textEdited, this, [this](const QString& t) { fApp.Window.CountEntry = S(t); });
  connect(fPriceEntry, &QLineEdit::textEdited, this, [this](const QString& t) { fApp.Window.PriceEntry = S(t); });
  connect(fDescription, &QLineEdit::textEdited, this,
          [this](const QString& t) { fApp.Window.DescriptionEntry = S(t); });
}

// Enter in the three entry fields runs its handler; every other key reaches the field.
bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !IsEnter(static_cast<QKeyEvent*>(event))) {
    return QWidget::eventFilter(watched, event);
  }
  if (watched == fCountEntry) {
    Run([this] { fApp.Edit12KeyPress(app::kEnterKey); });
  } else if (watched == fPriceEntry) {
    Run([this] { fApp.Edit13KeyPress(app::kEnterKey); });
  } else if (watched == fDescription) {
    Run([this] { fApp.Edit17KeyPress(app::kEnterKey); });
  } else {
    return QWidget::eventFilter(watched, event);
  }
  return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  TakeEntries();
  if (fApp.FormCloseQuery()) {
    event->accept();
  } else {
    event->ignore();
  }
}

app::TStartUpResult TMainForm::StartUp() {
  const app::TStartUpResult result = fApp.FormCreate();
  ShowState();
  return result;
}

void TMainForm::TakeEntries() {
  app::TMainWindowState& view = fApp.Window;
  view.CountEntry = S(fCountEntry->text());
  view.PriceEntry = S(fPriceEntry->text());
  view.DescriptionEntry = S(fDescription->text());
}

void TMainForm::Run(const std::function<void()>& handler) {
  TakeEntries();
  fApp.Window.Focus = app::TFocusTarget::ftNone;
  fApp.RunCommand(handler);
  ShowState();
  ApplyFocus();
}

void TMainForm::ApplyFocus() {
  QLineEdit* target = nullptr;
  switch (fApp.Window.Focus) {
    case app::TFocusTarget::ftCountEntry: target = fCountEntry; break;
    case app::TFocusTarget::ftPriceEntry: target = fPriceEntry; break;
    case app::TFocusTarget::ftDescriptionEntry: target = fDescription; break;
    case app::TFocusTarget::ftItemList: fItemList->setFocus(); return;
    case app::TFocusTarget::ftNone: return;
  }
  target->setFocus(Qt::OtherFocusReason);
  target->selectAll();
}

void TMainForm::ShowState() {
  const app::TMainWindowState& view = fApp.Window;
  fItemCode->setText(Q(view.ItemCodeField));
  fItemDescription->setText(Q(view.ItemDescriptionField));
  fItemCount->setText(Q(view.ItemCountField));
  fItemPrice->setText(Q(view.ItemPriceField));
  fItemTotal->setText(Q(view.ItemTotalField));
  SetText(fCountEntry, view.CountEntry);
  SetText(fPriceEntry, view.PriceEntry);
  {
    const QSignalBlocker block(fEditMode);
    fEditMode->setChecked(view.EditModeCheck);
  }
  ShowPicture();
  {
    const QSignalBlocker block(fItemList);
    ShowEntries(fItemList, Texts(view.ItemList.Items), [this](int i) { return fItemList->item(i)->text(); });
    fItemList->setCurrentRow(view.ItemList.ItemIndex);
  }
  const QString properties = Texts(view.PropertiesBox).join(QLatin1Char('\n'));
  if (fProperties->toPlainText() != properties) fProperties->setPlainText(properties);
  fNetTotal->setText(Q(view.NetTotalField));
  fVat->setText(Q(view.VatField));
  fGrossTotal->setText(Q(view.GrossTotalField));
  fOpen->setEnabled(view.OpenButtonEnabled);
  fAppend->setEnabled(view.AppendButtonEnabled);
  fExtraItems->setEnabled(view.ExtraItemsButtonEnabled);
  fExport->setEnabled(view.ExportButtonEnabled);
  fMoveUp->setEnabled(view.MoveUpButtonEnabled);
  fMoveDown->setEnabled(view.MoveDownButtonEnabled);
  {
    const QSignalBlocker a(fSaveDialog), b(fCustomerHeader), c(fOfferLayout), d(fOrderLayout);
    fSaveDialog->setChecked(view.SaveDialogCheck);
    fCustomerHeader->setChecked(view.CustomerHeaderCheck);
    (view.LayoutChoice == app::offersheet::kOrderLayout ? fOrderLayout : fOfferLayout)->setChecked(true);
  }
  {
    const QSignalBlocker block(fCustomerChoice);
    ShowEntries(fCustomerChoice, Texts(view.CustomerChoiceItems),
                [this](int i) { return fCustomerChoice->itemText(i); });
    if (fCustomerChoice->currentText() != Q(view.CustomerChoice)) fCustomerChoice->setEditText(Q(view.CustomerChoice));
  }
  SetText(fDescription, view.DescriptionEntry);
  const std::string* fields[7] = {&view.CustomerFirmField,    &view.CustomerStreetField, &view.CustomerCityField,
                                  &view.CustomerContactField, &view.CustomerPhoneField,  &view.CustomerIcoField,
                                  &view.CustomerDicField};
  for (int k = 0; k < 7; ++k) {
    if (fCustomerFields[k]->text() == Q(*fields[k])) continue;
    fCustomerFields[k]->setText(Q(*fields[k]));
    fCustomerFields[k]->adjustSize();
  }
}

// The picture is decoded only when another file is shown, at the smallest
// scale that still fills the box; one that does not decode keeps the previous.
void TMainForm::ShowPicture() {
  const std::string& path = fApp.Window.ItemPicture.FileName;
  if (path == fShownPicture) return;
  std::optional<app::TRgbImage> image;
  try {
    image = app::DecodeJpegToCover(fFileSystem.ReadFile(path), kPictureBox, kPictureBox);
  } catch (const std::exception&) {
    image.reset();
  }
  if (!image) return;
  fShownPicture = path;
  const QImage view(image->Pixels.data(), image->Width, image->Height, image->Width * 3, QImage::Format_RGB888);
  fPicture->setPixmap(QPixmap::fromImage(view.scaled(kPictureBox, kPictureBox, Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation)));
}

}  // namespace gui
