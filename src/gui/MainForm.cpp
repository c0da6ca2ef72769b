#include "gui/MainForm.h"

#include <QButtonGroup>
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
#include "gui/Convert.h"
#include "gui/Fonts.h"

namespace gui {

namespace {

constexpr int kPictureBox = 250;
constexpr int kAccentRoom = 3;

bool IsEnter(const QKeyEvent* key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }

// A text field that shows a text only when it differs, so that setting the
// state again keeps the cursor and the selection of a field being edited.
void SetText(QLineEdit* edit, const std::string& text) {
  const QString value = Q(text);
  if (edit->text() != value) edit->setText(value);
}

QFrame::Shape SunkenShape() { return QFrame::Panel; }

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
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(QStringLiteral("Zpracování cenové nabídky"));
  setFixedSize(624, 676);
  setFont(TahomaFont(8));
  BuildDetailArea();
  BuildItemListArea();
  BuildTotalsAndCommands();
  BuildExportOptions();
  BuildCustomerArea();
  ConnectHandlers();
  ShowState();
  if (QScreen* screen = QGuiApplication::primaryScreen()) move(screen->availableGeometry().center() - rect().center());
}

TMainForm::~TMainForm() = default;

QLabel* TMainForm::AddLabel(const char* name, const char* caption, int left, int top, int width, int height) {
  auto* label = new QLabel(QString::fromUtf8(caption), this);
  label->setObjectName(QString::fromUtf8(name));
  if (width < 0) {
    // The accents of capitals (Č, Š) rise above the font's ascent; a label
    // as tall as its text would cut them off, so the label starts a little
    // higher and its text stays where the layout puts it.
    label->setContentsMargins(0, kAccentRoom, 0, 0);
    label->move(left, top - kAccentRoom);
    label->adjustSize();
  } else {
    label->setGeometry(left, top, width, height);
  }
  return label;
}

QLabel* TMainForm::AddField(const char* name, const char* caption, int left, int top, int width, int height,
                            bool right) {
  QLabel* field = AddLabel(name, caption, left, top, width, height);
  field->setFrameShape(SunkenShape());
  field->setFrameShadow(QFrame::Sunken);
  field->setAlignment((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  return field;
}

QPushButton* TMainForm::AddButton(const char* name, const char* caption, const char* hint, int left, int top,
                                  int width) {
  auto* button = new QPushButton(QString::fromUtf8(caption), this);
  button->setObjectName(QString::fromUtf8(name));
  button->setGeometry(left, top, width, 25);
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

void TMainForm::BuildDetailArea() {
  fItemCode = AddField("ItemCodeField", "Kód prvku", 8, 8, 289, 17, false);
  fItemDescription = AddField("ItemDescriptionField", "Popis prvku", 8, 31, 289, 17, false);
  AddLabel("CountLabel", "Počet kusů", 8, 54);
  fItemCount = AddField("ItemCountField", "0", 71, 54, 34, 17, true);
  AddLabel("PriceLabel", "Cena za kus", 136, 56);
  fItemPrice = AddField("ItemPriceField", "0.00", 204, 54, 53, 17, true);
  AddLabel("TotalLabel", "Celková cena", 280, 54);
  fItemTotal = AddField("ItemTotalField", "0.00", 354, 54, 63, 17, true);

  fCountEntry = new QLineEdit(QStringLiteral("0"), this);
  fCountEntry->setObjectName(QStringLiteral("CountEntry"));
  fCountEntry->setGeometry(72, 80, 33, 21);
  fCountEntry->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fCountEntry->setToolTip(QStringLiteral("V editačním režimu zadejte počet kusů a stiskněte klávesu Enter"));

  fPriceEntry = new QLineEdit(QStringLiteral("0.00"), this);
  fPriceEntry->setObjectName(QStringLiteral("PriceEntry"));
  fPriceEntry->setGeometry(204, 80, 53, 21);
  fPriceEntry->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fPriceEntry->setToolTip(QStringLiteral("V editačním režimu zadejte cenu a stiskněte klávesu Enter"));
  // The selection stays visible while another control has the focus.
  QPalette palette = fPriceEntry->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  fPriceEntry->setPalette(palette);

  fEditMode = new QCheckBox(QStringLiteral("editovat"), this);
  fEditMode->setObjectName(QStringLiteral("EditModeCheck"));
  fEditMode->setGeometry(280, 83, 97, 17);
  fEditMode->setToolTip(QStringLiteral("Přechod na editační režim - změna počtu a ceny"));

  fPicture = new QLabel(this);
  fPicture->setObjectName(QStringLiteral("ItemPicture"));
  fPicture->setGeometry(23, 107, kPictureBox, kPictureBox);
  fPicture->setScaledContents(true);
}

void TMainForm::BuildItemListArea() {
  AddLabel("ItemListLabel", "Seznam kódů prvků", 424, 87, 97, 13);
  fItemList = new QListWidget(this);
  fItemList->setObjectName(QStringLiteral("ItemList"));
  fItemList->setGeometry(358, 106, 258, 198);
  fItemList->setSelectionMode(QAbstractItemView::SingleSelection);
  fItemList->setToolTip(QStringLiteral(
      "Seznam kódů prvků - u vybraného prvku lze měnit počet i cenu a prvek posunovat nahoru nebo dolu"));
  fMoveUp = AddButton("MoveUpButton", "Posun nahoru", "Posun vybraného prvku dolu v seznamu nahoru", 280, 170, 75);
  fMoveDown = AddButton("MoveDownButton", "Posun dolu", "Posun vybraného prvku dolu v seznamu prvků", 280, 221, 75);
  AddLabel("PropertiesLabel", "Vlastnosti prvku", 424, 310);
  fProperties = new QPlainTextEdit(QStringLiteral("Memo1"), this);
  fProperties->setObjectName(QStringLiteral("PropertiesBox"));
  fProperties->setGeometry(320, 333, 297, 218);
  fProperties->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  fProperties->setReadOnly(true);  // the lines come from the list; an edit here would go nowhere
}

void TMainForm::BuildTotalsAndCommands() {
  AddLabel("NetTotalLabel", "Celková cena bez DPH", 23, 381);
  fNetTotal = AddField("NetTotalField", "0.00", 152, 377, 101, 17, true);
  AddLabel("VatLabel", "DPH 21%", 23, 404);
  fVat = AddField("VatField", "0.00", 152, 400, 101, 17, true);
  AddLabel("GrossTotalLabel", "Celková cena s DPH", 23, 427);
  fGrossTotal = AddField("GrossTotalField", "0.00", 152, 423, 101, 17, true);
  fOpen = AddButton("OpenButton", "Otevřít soubor z disku",
                    "Nahrání přehledu prvků ve formátu CSV jako nová cenová nabídka nebo objednávka", 8, 446, 122);
  fAppend = AddButton("AppendButton", "Přidat soubor z disku",
                      "Nahrání přehledu prvků ve formátu CSV a doplnění za aktuální cenovou nabídkou nebo objednávkou",
                      152, 446, 121);
  fExtraItems = AddButton("ExtraItemsButton", "Zadat další prvky",
                          "Doplnění dalších položek bez obrázku z aktuální cenovou nabídku nebo objednávku", 8, 477,
                          122);
  fExport = AddButton("ExportButton", "Export do Excelu",
                      "Export aktuální cenové nabídky nebo objednávky ve formátu MS Excel a otevření souboru", 152, 477,
                      121);
}

void TMainForm::BuildExportOptions() {
  fSaveDialog = new QCheckBox(QStringLiteral("s dialogem"), this);
  fSaveDialog->setObjectName(QStringLiteral("SaveDialogCheck"));
  fSaveDialog->setGeometry(159, 504, 70, 25);
  // Room for the whole caption in the box's width.
  fSaveDialog->setStyleSheet(QStringLiteral("QCheckBox { spacing: 2px; }"));
  fSaveDialog->setToolTip(
      QStringLiteral("Volba otevření dialogu pro zadání jména exportovaného souboru ve formátu MS Excel"));
  fCustomerHeader = new QCheckBox(QStringLiteral("hlavička (zákazník)"), this);
  fCustomerHeader->setObjectName(QStringLiteral("CustomerHeaderCheck"));
  fCustomerHeader->setGeometry(23, 508, 110, 17);
  fCustomerHeader->setToolTip(QStringLiteral("Volba zobrazení hlavičky s informacemi o zákazníkovi"));

  auto* layout = new QGroupBox(QStringLiteral("Provedení tabulky"), this);
  layout->setObjectName(QStringLiteral("LayoutChoice"));
  layout->setGeometry(8, 538, 290, 40);
  layout->setToolTip(
      QStringLiteral("Volba provedení tabulky - kompletní tabulka s obrázky nebo pouze seznam prvků"));
  fOfferLayout = new QRadioButton(QStringLiteral("Nabídka s obrázky"), layout);
  fOfferLayout->setObjectName(QStringLiteral("OfferLayoutRadio"));
  fOfferLayout->setGeometry(6, 18, 130, 17);
  fOrderLayout = new QRadioButton(QStringLiteral("Objednávka bez obrázků"), layout);
  fOrderLayout->setObjectName(QStringLiteral("OrderLayoutRadio"));
  fOrderLayout->setGeometry(140, 18, 148, 17);
  auto* group = new QButtonGroup(layout);
  group->addButton(fOfferLayout, app::offersheet::kOfferLayout);
  group->addButton(fOrderLayout, app::offersheet::kOrderLayout);
}

void TMainForm::BuildCustomerArea() {
  fCustomerChoice = new QComboBox(this);
  fCustomerChoice->setObjectName(QStringLiteral("CustomerChoice"));
  fCustomerChoice->setGeometry(124, 584, 173, 21);
  fCustomerChoice->setEditable(true);
  fCustomerChoice->setInsertPolicy(QComboBox::NoInsert);
  fCustomerChoice->setToolTip(QStringLiteral("Výběr firmy zákazníka ze seznamu firem"));

  AddLabel("DescriptionLabel", "Popis v záhlaví při tisku", 8, 614);
  fDescription = new QLineEdit(this);
  fDescription->setObjectName(QStringLiteral("DescriptionEntry"));
  fDescription->setGeometry(8, 633, 289, 21);
  fDescription->setToolTip(QStringLiteral("Zadání informace o firmě, která vytvořila cenovou nabídku nebo objednávku"));

  struct TPlace {
    const char* Name;
    int Left, Top;
  };
  const TPlace places[7] = {{"CustomerFirmField", 320, 557},   {"CustomerStreetField", 320, 576},
                            {"CustomerCityField", 319, 595},   {"CustomerContactField", 319, 614},
                            {"CustomerPhoneField", 319, 633},  {"CustomerIcoField", 319, 655},
                            {"CustomerDicField", 462, 655}};
  for (int k = 0; k < 7; ++k) fCustomerFields[k] = AddLabel(places[k].Name, "", places[k].Left, places[k].Top);
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
