// The window driven through its widgets, found by objectName, with real
// mouse and key events on Qt's offscreen platform, on a copy of the example.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>

#include "app/OfferExport.h"
#include "app/WindowScenarios.h"
#include "gui/ExtraItemsForm.h"
#include "gui/Fonts.h"
#include "gui/MainForm.h"
#include "gui/PlatformServices.h"
#include "gui/QtDialogs.h"
#include "gui/Translations.h"
#include "sheet/FormatRegistry.h"
#include "sheet/Workbook.h"
#include "text/CodePage.h"
#include "xls/ExporterXLS.h"
#include "xlsx/ExporterXLSX.h"

namespace {

namespace fs = std::filesystem;

const QString kExamples = QStringLiteral(NABIDKA_SOURCE_DIR "/examples/pCon_article_lists");

// Types a text key by key; characters beyond ASCII arrive as the key events
// of a keyboard layout that has them.
void TypeKeys(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

// The platform's own boxes answered without a person: messages and errors
// are recorded, the file chooser answers from a script.
class TRecordingDialogs : public gui::TQtDialogs {
 public:
  QStringList Messages;
  QStringList Errors;
  std::optional<std::string> NextFile;
  void ShowMessage(const std::string& message) override { Messages << QString::fromStdString(message); }
  void ShowError(const std::string& message) override { Errors << QString::fromStdString(message); }
  std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override {
    ++FileDialogs;
    return std::exchange(NextFile, {});
  }
  QStringList Opened;  // the shell's "open" requests
  void OpenWithShell(const std::string& file, const std::string&) override { Opened << QString::fromStdString(file); }
  std::deque<bool> Answers;
  QStringList Questions;
  int FileDialogs = 0;
  bool AskYesNo(const std::string& question) override {
    Questions << QString::fromStdString(question);
    if (Answers.empty()) return false;
    const bool yes = Answers.front();
    Answers.pop_front();
    return yes;
  }
};

// A window on a fresh copy of the example folder.
struct TSession {
  QTemporaryDir Dir;
  QString Folder;
  app::TDiskFileSystem Disk;
  TRecordingDialogs Dialogs;
  std::unique_ptr<gui::TMainForm> Form;
  QStringList& Opened = Dialogs.Opened;

  explicit TSession(bool startUp = true, const std::function<void(const QString&)>& prepare = {}) {
    Folder = Dir.path() + QStringLiteral("/pCon_article_lists");
    fs::copy(kExamples.toStdString(), Folder.toStdString(), fs::copy_options::recursive);
    if (prepare) prepare(Folder);
    app::TMainWindowSettings settings{Folder.toStdString(), text::TRegionalSettings::Czech(), 1250};
    Form = std::make_unique<gui::TMainForm>(Disk, Dialogs, settings);
    Dialogs.SetParentWidget(Form.get());
    app::InstallDesktopServices(Dialogs);
    if (startUp) Form->StartUp();
    Form->show();
  }
  ~TSession() {
    sheet::SetShellOpen(nullptr);
    sheet::SetSaveDialogFactory(nullptr);
    sheet::SetProgressWindowFactory(nullptr);
  }

  template <class T>
  T* Get(const char* name) const {
    T* widget = Form->findChild<T*>(QString::fromUtf8(name));
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  QString Text(const char* name) const {
    if (auto* label = Form->findChild<QLabel*>(QString::fromUtf8(name))) return label->text();
    return Get<QLineEdit>(name)->text();
  }
  void Click(const char* button) { QTest::mouseClick(Get<QPushButton>(button), Qt::LeftButton); }
  void ClickEntry(int row) {
    QListWidget* list = Get<QListWidget>("ItemList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
  }
  void Type(const char* entry, const QString& text, bool enter = true) {
    QLineEdit* edit = Get<QLineEdit>(entry);
    edit->selectAll();
    TypeKeys(edit, text);
    if (enter) QTest::keyClick(edit, Qt::Key_Return);
  }
  QStringList Entries() const {
    QStringList entries;
    QListWidget* list = Get<QListWidget>("ItemList");
    for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
    return entries;
  }
};

// Runs `body` on the modal widget of type T once it is shown.
template <class T>
void WhenShown(const std::function<void(T*)>& body) {
  QTimer::singleShot(0, [body] {
    T* shown = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!shown) {
      WhenShown<T>(body);  // not up yet
      return;
    }
    body(shown);
  });
}


// The shared scenarios' user in the Qt window: real mouse and key events on
// the widgets; the dialogs answered when they are shown.
class TQtDialogDriver : public scenario::TDialogDriver {
 public:
  explicit TQtDialogDriver(gui::TExtraItemsForm* dialog) : fDialog(dialog) {}
  void Type(std::string_view control, const std::string& text) override {
    auto* edit = fDialog->findChild<QLineEdit*>(Name(control));
    edit->selectAll();
    TypeKeys(edit, QString::fromStdString(text));
  }
  void Key(std::string_view control, scenario::TKey key) override {
    QTest::keyClick(fDialog->findChild<QWidget*>(Name(control)), key == scenario::TKey::kEnter ? Qt::Key_Return
                                                                   : key == scenario::TKey::kTab  ? Qt::Key_Tab
                                                                                                  : Qt::Key_Down);
  }
  // As the grid takes a cell typed into it.
  void TypeCell(const std::string& text) override { Table()->currentItem()->setText(QString::fromStdString(text)); }
  void NextCell() override { QTest::keyClick(Table(), Qt::Key_Tab); }
  void Click(std::string_view button) override {
    QTest::mouseClick(fDialog->findChild<QPushButton*>(Name(button)), Qt::LeftButton);
  }

 private:
  static QString Name(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }
  QTableWidget* Table() const { return fDialog->findChild<QTableWidget*>(QStringLiteral("ExtraItemsTable")); }
  gui::TExtraItemsForm* fDialog;
};

std::vector<std::string> Strings(const QStringList& list) {
  std::vector<std::string> out;
  for (const QString& entry : list) out.push_back(entry.toStdString());
  return out;
}

class TQtDriver : public scenario::TWindowDriver {
 public:
  explicit TQtDriver(TSession& session) : s(session) {}
  app::TMainWindow& App() override { return s.Form->App(); }
  std::string Folder() override { return s.Folder.toStdString(); }
  std::string Text(std::string_view control) override {
    QWidget* widget = Widget(control);
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text().toStdString();
    if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText().toStdString();
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) return memo->toPlainText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
    return {};
  }
  std::vector<std::string> Entries(std::string_view control) override {
    std::vector<std::string> entries;
    if (auto* combo = qobject_cast<QComboBox*>(Widget(control))) {
      for (int i = 0; i < combo->count(); ++i) entries.push_back(combo->itemText(i).toStdString());
      return entries;
    }
    auto* list = qobject_cast<QListWidget*>(Widget(control));
    for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text().toStdString());
    return entries;
  }
  int Selected(std::string_view list) override { return qobject_cast<QListWidget*>(Widget(list))->currentRow(); }
  bool Enabled(std::string_view control) override { return Widget(control)->isEnabled(); }
  bool Checked(std::string_view control) override { return qobject_cast<QAbstractButton*>(Widget(control))->isChecked(); }
  std::string Focused() override {
    QWidget* focus = s.Form->focusWidget();
    if (focus && qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
    return focus ? focus->objectName().toStdString() : "";
  }
  bool PictureShown() override { return !s.Get<QLabel>("ItemPicture")->pixmap().isNull(); }

  void Click(std::string_view control) override { QTest::mouseClick(Widget(control), Qt::LeftButton); }
  void ClickEntry(std::string_view, int index) override { s.ClickEntry(index); }
  void Key(std::string_view control, scenario::TKey key) override {
    QTest::keyClick(Widget(control), key == scenario::TKey::kEnter ? Qt::Key_Return
                                     : key == scenario::TKey::kTab  ? Qt::Key_Tab
                                                                    : Qt::Key_Down);
  }
  void Type(std::string_view control, const std::string& text) override {
    QWidget* widget = Widget(control);
    QLineEdit* edit = qobject_cast<QLineEdit*>(widget);
    if (auto* combo = qobject_cast<QComboBox*>(widget)) edit = combo->lineEdit();
    edit->selectAll();
    TypeKeys(edit, QString::fromStdString(text));
  }
  void ChooseEntry(std::string_view control, int index) override {
    auto* combo = qobject_cast<QComboBox*>(Widget(control));
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
  }

  void AnswerOpenFile(std::optional<std::string> path) override { s.Dialogs.NextFile = std::move(path); }
  void AnswerSaveDialog(std::optional<std::string> path, int filterIndex) override {
    WhenShown<QFileDialog>([path, filterIndex](QFileDialog* dialog) {
      if (!path) {
        dialog->reject();
        return;
      }
      dialog->selectNameFilter(dialog->nameFilters().value(filterIndex - 1));
      dialog->selectFile(QString::fromStdString(*path));
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept takes the chosen name
    });
  }
  void WithExtraItemsDialog(std::function<void(scenario::TDialogDriver&)> user) override {
    WhenShown<gui::TExtraItemsForm>([user](gui::TExtraItemsForm* dialog) {
      TQtDialogDriver driver(dialog);
      user(driver);
    });
  }
  std::vector<std::string> Messages() override { return Strings(s.Dialogs.Messages); }
  std::vector<std::string> Errors() override { return Strings(s.Dialogs.Errors); }
  std::vector<std::string> Opened() override { return Strings(s.Opened); }
  std::vector<std::string> Questions() override { return Strings(s.Dialogs.Questions); }
  int FileDialogsShown() override { return s.Dialogs.FileDialogs; }
  void AnswerQuestion(bool yes) override { s.Dialogs.Answers.push_back(yes); }
  void CloseWindow() override { s.Form->close(); }
  bool WindowOpen() override { return s.Form->isVisible(); }

 private:
  QWidget* Widget(std::string_view name) {
    return s.Get<QWidget>(std::string(name).c_str());
  }
  TSession& s;
};

struct TControl {
  const char* Name;
  QRect Geometry;  // an empty size: a label sized to its text
  const char* Text;
  const char* Hint;
};

}  // namespace

class TWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    gui::EnsureTahoma();
    xlsx::RegisterXlsxFormat();
    xls::RegisterXlsFormat();
  }

  void MainWindowLayout() {
    TSession s(false);
    QCOMPARE(s.Form->windowTitle(), QStringLiteral("Zpracování cenové nabídky"));
    QCOMPARE(s.Form->size(), QSize(624, 676));
    QCOMPARE(s.Form->minimumSize(), s.Form->maximumSize());
    QVERIFY(!(s.Form->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(s.Form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(s.Form->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(s.Form->font().pointSize(), 8);
    const TControl controls[] = {
        {"ItemCodeField", {8, 8, 289, 17}, "Kód prvku", nullptr},
        {"ItemDescriptionField", {8, 31, 289, 17}, "Popis prvku", nullptr},
        {"CountLabel", {8, 54, 0, 0}, "Počet kusů", nullptr},
        {"ItemCountField", {71, 54, 34, 17}, "0", nullptr},
        {"PriceLabel", {136, 56, 0, 0}, "Cena za kus", nullptr},
        {"ItemPriceField", {204, 54, 53, 17}, "0.00", nullptr},
        {"TotalLabel", {280, 54, 0, 0}, "Celková cena", nullptr},
        {"ItemTotalField", {354, 54, 63, 17}, "0.00", nullptr},
        {"CountEntry", {72, 80, 33, 21}, "0", "V editačním režimu zadejte počet kusů a stiskněte klávesu Enter"},
        {"PriceEntry", {204, 80, 53, 21}, "0.00", "V editačním režimu zadejte cenu a stiskněte klávesu Enter"},
        {"EditModeCheck", {280, 83, 97, 17}, "editovat", "Přechod na editační režim - změna počtu a ceny"},
        {"ItemPicture", {23, 107, 250, 250}, "", nullptr},
        {"ItemListLabel", {424, 87, 97, 13}, "Seznam kódů prvků", nullptr},
        {"ItemList", {358, 106, 258, 198}, nullptr,
         "Seznam kódů prvků - u vybraného prvku lze měnit počet i cenu a prvek posunovat nahoru nebo dolu"},
        {"MoveUpButton", {280, 170, 75, 25}, "Posun nahoru", "Posun vybraného prvku dolu v seznamu nahoru"},
        {"MoveDownButton", {280, 221, 75, 25}, "Posun dolu", "Posun vybraného prvku dolu v seznamu prvků"},
        {"PropertiesLabel", {424, 310, 0, 0}, "Vlastnosti prvku", nullptr},
        {"PropertiesBox", {320, 333, 297, 218}, "Memo1", nullptr},
        {"NetTotalLabel", {23, 381, 0, 0}, "Celková cena bez DPH", nullptr},
        {"NetTotalField", {152, 377, 101, 17}, "0.00", nullptr},
        {"VatLabel", {23, 404, 0, 0}, "DPH 21%", nullptr},
        {"VatField", {152, 400, 101, 17}, "0.00", nullptr},
        {"GrossTotalLabel", {23, 427, 0, 0}, "Celková cena s DPH", nullptr},
        {"GrossTotalField", {152, 423, 101, 17}, "0.00", nullptr},
        {"OpenButton", {8, 446, 122, 25}, "Otevřít soubor z disku",
         "Nahrání přehledu prvků ve formátu CSV jako nová cenová nabídka nebo objednávka"},
        {"AppendButton", {152, 446, 121, 25}, "Přidat soubor z disku",
         "Nahrání přehledu prvků ve formátu CSV a doplnění za aktuální cenovou nabídkou nebo objednávkou"},
        {"ExtraItemsButton", {8, 477, 122, 25}, "Zadat další prvky",
         "Doplnění dalších položek bez obrázku z aktuální cenovou nabídku nebo objednávku"},
        {"ExportButton", {152, 477, 121, 25}, "Export do Excelu",
         "Export aktuální cenové nabídky nebo objednávky ve formátu MS Excel a otevření souboru"},
        {"SaveDialogCheck", {159, 504, 70, 25}, "s dialogem",
         "Volba otevření dialogu pro zadání jména exportovaného souboru ve formátu MS Excel"},
        {"CustomerHeaderCheck", {23, 508, 110, 17}, "hlavička (zákazník)",
         "Volba zobrazení hlavičky s informacemi o zákazníkovi"},
        {"LayoutChoice", {8, 538, 290, 40}, "Provedení tabulky",
         "Volba provedení tabulky - kompletní tabulka s obrázky nebo pouze seznam prvků"},
        {"CustomerChoice", {124, 584, 173, 21}, "Seznam zákazníků", "Výběr firmy zákazníka ze seznamu firem"},
        {"DescriptionLabel", {8, 614, 0, 0}, "Popis v záhlaví při tisku", nullptr},
        {"DescriptionEntry", {8, 633, 289, 21}, "Popis tabulky - nabídka nebo objednávka a firma",
         "Zadání informace o firmě, která vytvořila cenovou nabídku nebo objednávku"},
        {"CustomerFirmField", {320, 557, 0, 0}, "Firma", nullptr},
        {"CustomerStreetField", {320, 576, 0, 0}, "Ulice", nullptr},
        {"CustomerCityField", {319, 595, 0, 0}, "PSČ - město", nullptr},
        {"CustomerContactField", {319, 614, 0, 0}, "Kontaktní jméno", nullptr},
        {"CustomerPhoneField", {319, 633, 0, 0}, "Kontaktní telefon", nullptr},
        {"CustomerIcoField", {319, 655, 0, 0}, "IČO", nullptr},
        {"CustomerDicField", {462, 655, 0, 0}, "DIČ", nullptr},
    };
    for (const TControl& c : controls) {
      QWidget* widget = s.Get<QWidget>(c.Name);
      const QByteArray name(c.Name);
      if (c.Geometry.isEmpty()) {  // sized to its caption; the text starts at the position
        QCOMPARE(widget->x(), c.Geometry.x());
        QCOMPARE(widget->y() + widget->contentsMargins().top(), c.Geometry.y());
      } else {
        QVERIFY2(widget->geometry() == c.Geometry, name);
      }
      if (c.Hint) QVERIFY2(widget->toolTip() == QString::fromUtf8(c.Hint), name);
      QVERIFY2(widget->isEnabled(), name);
      if (!c.Text) continue;
      QString text;
      if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
      if (auto* edit = qobject_cast<QLineEdit*>(widget)) text = edit->text();
      if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
      if (auto* box = qobject_cast<QGroupBox*>(widget)) text = box->title();
      if (auto* combo = qobject_cast<QComboBox*>(widget)) text = combo->currentText();
      if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) text = memo->toPlainText();
      QVERIFY2(text == QString::fromUtf8(c.Text), name + ": " + text.toUtf8());
    }
    QCOMPARE(qobject_cast<QLabel*>(s.Get<QLabel>("ItemTotalField"))->alignment() & Qt::AlignRight, Qt::AlignRight);
    QCOMPARE(s.Get<QLabel>("ItemCodeField")->frameShadow(), QFrame::Sunken);
    QVERIFY(s.Get<QCheckBox>("CustomerHeaderCheck")->isChecked());
    QVERIFY(!s.Get<QCheckBox>("SaveDialogCheck")->isChecked());
    QVERIFY(!s.Get<QCheckBox>("EditModeCheck")->isChecked());
    QVERIFY(s.Get<QRadioButton>("OfferLayoutRadio")->isChecked());
    QCOMPARE(s.Get<QRadioButton>("OrderLayoutRadio")->text(), QStringLiteral("Objednávka bez obrázků"));
    QVERIFY(s.Get<QComboBox>("CustomerChoice")->isEditable());
    const QPalette price = s.Get<QLineEdit>("PriceEntry")->palette();
    QCOMPARE(price.color(QPalette::Inactive, QPalette::Highlight), price.color(QPalette::Active, QPalette::Highlight));
  }

  void ExtraItemsDialogLayout() {
    app::TForm1 model;
    model.FormShow();
    TRecordingDialogs dialogs;
    gui::TExtraItemsForm form(model, dialogs);
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Zadání dalších prvků do kalkulace"));
    QCOMPARE(form.size(), QSize(871, 250));
    QVERIFY(!(form.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(form.windowFlags() & Qt::WindowSystemMenuHint));
    auto* count = form.findChild<QLineEdit*>(QStringLiteral("ExtraItemCountEntry"));
    auto* table = form.findChild<QTableWidget*>(QStringLiteral("ExtraItemsTable"));
    auto* confirm = form.findChild<QPushButton*>(QStringLiteral("ConfirmButton"));
    auto* label = form.findChild<QLabel*>(QStringLiteral("CountLabel"));
    QVERIFY(count && table && confirm && label);
    QCOMPARE(label->geometry(), QRect(24, 16, 86, 22));
    QCOMPARE(label->text(), QStringLiteral("Počet prvků:"));
    QCOMPARE(label->font().pointSize(), 11);
    QCOMPARE(count->geometry(), QRect(112, 16, 41, 26));
    QCOMPARE(count->text(), QStringLiteral("0"));
    QCOMPARE(count->font().pointSize(), 11);
    QVERIFY(count->alignment() & Qt::AlignRight);
    QCOMPARE(table->geometry(), QRect(22, 48, 841, 161));
    QCOMPARE(table->font().pointSize(), 11);
    QCOMPARE(table->columnCount(), 5);
    const int widths[] = {30, 161, 392, 50, 98};
    for (int c = 0; c < 5; ++c) QCOMPARE(table->columnWidth(c), widths[c]);
    QCOMPARE(table->verticalHeader()->defaultSectionSize(), 24);
    QVERIFY(table->tabKeyNavigation());
    QCOMPARE(confirm->geometry(), QRect(760, 215, 89, 25));
    QCOMPARE(confirm->text(), QStringLiteral("Doplnit"));
    QCOMPARE(form.focusWidget(), count);

    // Digits only; Enter sizes the table and writes the header.
    count->selectAll();
    QTest::keyClicks(count, QStringLiteral("x3-"));
    QCOMPARE(count->text(), QStringLiteral("3"));
    QTest::keyClick(count, Qt::Key_Return);
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("Položka"));
    QCOMPARE(table->item(3, 0)->text(), QStringLiteral("3"));
    QVERIFY(!(table->item(0, 2)->flags() & Qt::ItemIsEditable));
    QVERIFY(table->item(1, 2)->flags() & Qt::ItemIsEditable);
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(model.Closed());
    QVERIFY(!model.Confirmed());
  }

  void StartUpShowsFirstItem() {
    TSession s;
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("01. KH-60-D"));
    QCOMPARE(s.Entries().size(), 10);
    QCOMPARE(s.Get<QListWidget>("ItemList")->currentRow(), 0);
    QVERIFY(!s.Get<QLabel>("ItemPicture")->pixmap().isNull());
    QCOMPARE(s.Text("NetTotalField"), QStringLiteral("45974,00"));
    QCOMPARE(s.Text("VatField"), QStringLiteral("9655,00"));
    QCOMPARE(s.Text("GrossTotalField"), QStringLiteral("55629,00"));
    QVERIFY(s.Get<QPlainTextEdit>("PropertiesBox")->toPlainText().startsWith(QStringLiteral("Šířka: 600 mm\n")));
    QCOMPARE(s.Get<QComboBox>("CustomerChoice")->currentText(), QStringLiteral("Nábytek Novák s.r.o."));
    QCOMPARE(s.Text("CustomerFirmField"), QStringLiteral("Firma"));  // set, not chosen
    QVERIFY(s.Dialogs.Errors.isEmpty());
  }

  void SelectionByMouseAndKeyboard() {
    TSession s;
    const QPixmap first = s.Get<QLabel>("ItemPicture")->pixmap();
    s.ClickEntry(2);
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("03. KD-60-DR"));
    QCOMPARE(s.Text("ItemDescriptionField"), QStringLiteral("Dolní skříňka pod dřez 60 cm"));
    QCOMPARE(s.Text("ItemTotalField"), QStringLiteral("4120,00"));
    QVERIFY(s.Get<QLabel>("ItemPicture")->pixmap().toImage() != first.toImage());
    QCOMPARE(s.Form->App().Window.ItemPicture.FileName, (s.Folder + "/Kuchyne_soubory/image005.jpg").toStdString());
    QListWidget* list = s.Get<QListWidget>("ItemList");
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("04. PD-3000-DUB"));
    // Edit mode: every selection puts the focus into the count entry.
    QTest::mouseClick(s.Get<QCheckBox>("EditModeCheck"), Qt::LeftButton);
    QCOMPARE(s.Form->focusWidget(), s.Get<QLineEdit>("CountEntry"));
    QTest::keyClick(s.Get<QLineEdit>("CountEntry"), Qt::Key_Return);
    QCOMPARE(s.Form->focusWidget(), s.Get<QLineEdit>("PriceEntry"));
    s.ClickEntry(5);
    QCOMPARE(s.Form->focusWidget(), s.Get<QLineEdit>("CountEntry"));
  }

  void CountAndPriceEntry() {
    TSession s;
    s.ClickEntry(1);  // KD-80-S, 1 × 7850
    s.Type("CountEntry", QStringLiteral("3"), false);
    QCOMPARE(s.Text("ItemTotalField"), QStringLiteral("7850,00"));  // not confirmed: only the field changed
    QCOMPARE(s.Text("ItemCountField"), QStringLiteral("1"));
    QTest::keyClick(s.Get<QLineEdit>("CountEntry"), Qt::Key_Return);
    QCOMPARE(s.Text("ItemCountField"), QStringLiteral("3"));
    QCOMPARE(s.Text("ItemTotalField"), QStringLiteral("23550,00"));
    QCOMPARE(s.Text("NetTotalField"), QStringLiteral("61674,00"));
    s.Type("PriceEntry", QStringLiteral("7000"));
    QCOMPARE(s.Text("PriceEntry"), QStringLiteral("7000,00"));
    QCOMPARE(s.Text("ItemTotalField"), QStringLiteral("21000,00"));
    QCOMPARE(s.Form->App().Workspace.EditedItemLine, std::string("2.;KD-80-S;3.00;7000,00;21 000,00;"));
  }

  void MovesKeepPictures() {
    TSession s;
    s.ClickEntry(2);
    const std::string picture = s.Form->App().Window.ItemPicture.FileName;
    s.Click("MoveUpButton");
    QCOMPARE(s.Entries().mid(0, 3),
             (QStringList{QStringLiteral("01. KH-60-D"), QStringLiteral("02. KD-60-DR"), QStringLiteral("03. KD-80-S")}));
    QCOMPARE(s.Get<QListWidget>("ItemList")->currentRow(), 1);
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("02. KD-60-DR"));
    QCOMPARE(s.Form->App().Window.ItemPicture.FileName, picture);
    QCOMPARE(s.Form->App().Workspace.ItemImagePaths.Get(1), picture);
    s.Click("MoveDownButton");
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("03. KD-60-DR"));
    QCOMPARE(s.Form->App().Workspace.ItemImagePaths.Get(2), picture);
  }

  void ExtraItemsThroughTheDialog() {
    TSession s;
    WhenShown<gui::TExtraItemsForm>([](gui::TExtraItemsForm* dialog) {
      auto* count = dialog->findChild<QLineEdit*>(QStringLiteral("ExtraItemCountEntry"));
      auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("ExtraItemsTable"));
      count->selectAll();
      QTest::keyClicks(count, QStringLiteral("2"));
      QTest::keyClick(count, Qt::Key_Return);
      const char* rows[2][4] = {{"DOPR", "Doprava a montáž", "1", "1500,00"}, {"SLEVA", "Sleva", "1", "-500,00"}};
      for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 4; ++c) table->item(r + 1, c + 1)->setText(QString::fromUtf8(rows[r][c]));
      }
      QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("ConfirmButton")), Qt::LeftButton);
    });
    s.Click("ExtraItemsButton");
    QCOMPARE(s.Entries().mid(10), (QStringList{QStringLiteral("11. DOPR"), QStringLiteral("12. SLEVA")}));
    QVERIFY(!s.Get<QPushButton>("MoveUpButton")->isEnabled());
    QVERIFY(!s.Get<QPushButton>("MoveDownButton")->isEnabled());
    QCOMPARE(s.Text("NetTotalField"), QStringLiteral("46974,00"));
    s.ClickEntry(10);
    QCOMPARE(s.Text("ItemDescriptionField"), QStringLiteral("Doprava a montáž"));
  }

  void CustomerAndDescription() {
    TSession s;
    QComboBox* combo = s.Get<QComboBox>("CustomerChoice");
    QVERIFY(combo->count() >= 2);
    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    const app::TTextGrid& grid = s.Form->App().Workspace.CustomerGrid;
    QCOMPARE(s.Text("CustomerFirmField"), QString::fromStdString(grid.Cell(1, 2)));
    QCOMPARE(s.Text("CustomerStreetField"), QString::fromStdString(grid.Cell(2, 2)));
    QCOMPARE(s.Text("CustomerCityField"), QString::fromStdString(grid.Cell(3, 2)));
    QCOMPARE(s.Text("CustomerIcoField"), QString::fromStdString(grid.Cell(4, 2)));
    QCOMPARE(s.Text("CustomerDicField"), QString::fromStdString(grid.Cell(5, 2)));
    QCOMPARE(s.Text("CustomerContactField"), QString::fromStdString(grid.Cell(6, 2)));
    QCOMPARE(s.Text("CustomerPhoneField"), QString::fromStdString(grid.Cell(7, 2)));
    // Typing a name that is no entry shows the header row.
    combo->lineEdit()->selectAll();
    TypeKeys(combo->lineEdit(), QStringLiteral("Nikdo"));
    QCOMPARE(s.Text("CustomerFirmField"), QString::fromStdString(grid.Cell(1, 0)));

    s.Type("DescriptionEntry", QStringLiteral("Nabídka – Nábytek Praha"));
    QCOMPARE(s.Dialogs.Messages, QStringList{QStringLiteral("Zadaný popis tabulky zaznamenán na disku")});
    std::ifstream stored((s.Folder + "/popis_tabulky.txt").toStdString(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(stored)), {});
    QCOMPARE(QString::fromStdString(text::DecodeCodePage(bytes, 1250)), QStringLiteral("Nabídka – Nábytek Praha\r\n"));
  }

  void ExportWithoutDialog() {
    TSession s;
    s.ClickEntry(1);
    s.Type("CountEntry", QStringLiteral("2"));
    s.Click("ExportButton");
    QVERIFY2(s.Dialogs.Errors.isEmpty(), qPrintable(s.Dialogs.Errors.join('\n')));
    const QString written = s.Folder + QStringLiteral("/Kuchyne.xlsx");
    QVERIFY(fs::exists(written.toStdString()));
    QCOMPARE(s.Opened, QStringList{written});
    QCOMPARE(s.Text("ItemCodeField"), QStringLiteral("10. DR-GR-150"));  // the export stepped through the items
  }

  void ExportThroughTheSaveDialog() {
    TSession s;
    QTest::mouseClick(s.Get<QCheckBox>("SaveDialogCheck"), Qt::LeftButton);
    QVERIFY(s.Form->App().Window.SaveDialogCheck);
    WhenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    s.Click("ExportButton");
    QVERIFY(s.Dialogs.Errors.isEmpty());
    QVERIFY(s.Opened.isEmpty());
    QVERIFY(!fs::exists((s.Folder + "/Kuchyne.xlsx").toStdString()));

    const QString chosen = s.Dir.path() + QStringLiteral("/offer.ods");
    QString filter;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      filter = dialog->nameFilters().value(0);
      dialog->selectNameFilter(dialog->nameFilters().value(0));
      dialog->selectFile(chosen);
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept takes the chosen name
    });
    s.Click("ExportButton");
    QVERIFY2(s.Dialogs.Errors.isEmpty(), qPrintable(s.Dialogs.Errors.join('\n')));
    QCOMPARE(filter, QStringLiteral("Excel 2007 (*.xlsx *.xlsm *.xltx *.xltm)"));
    const QString saved = s.Dir.path() + QStringLiteral("/offer.xlsx");
    QVERIFY(fs::exists(saved.toStdString()));
    QVERIFY(!fs::exists(chosen.toStdString()));
    QCOMPARE(s.Opened, QStringList{saved});
    QCOMPARE(sheet::DefaultFilterIndex(), 1);
  }

  void ListWithoutPictureFolder() {
    TSession s(true, [](const QString& folder) {
      fs::remove_all((folder + "/Kuchyne_soubory").toStdString());
    });
    QCOMPARE(s.Dialogs.Messages, QStringList{QStringLiteral("Nebyl nalezen soubor Wordu exportovaný jako .htm")});
    for (const char* button :
         {"OpenButton", "AppendButton", "ExtraItemsButton", "ExportButton", "MoveUpButton", "MoveDownButton"}) {
      QVERIFY2(!s.Get<QPushButton>(button)->isEnabled(), button);
    }
    QVERIFY(s.Entries().isEmpty());
  }

  void FailingCommandShowsError() {
    TSession s;
    s.Type("PriceEntry", QStringLiteral("dvanáct"));
    QCOMPARE(s.Dialogs.Errors, QStringList{QStringLiteral("'dvanáct' is not a valid floating point value")});
    QCOMPARE(s.Text("ItemPriceField"), QStringLiteral("3490,00"));
    // Opening a list that has gone: the system's own message.
    s.Dialogs.NextFile = (s.Folder + "/Zmizela.csv").toStdString();
    s.Click("OpenButton");
    QCOMPARE(s.Dialogs.Errors.last(), QStringLiteral("Soubor neexistuje: ") + s.Folder + QStringLiteral("/Zmizela.csv"));
  }

  // Qt's own dialogs speak the user's language: with the Czech translation
  // the save dialog says "Uložit" and a question "Ano" and "Ne". The dialog
  // is kept as a picture in the screenshots folder.
  void CzechQtDialogs() {
    if (!gui::InstallQtTranslations(*qApp, QLocale(QLocale::Czech, QLocale::CzechRepublic))) {
      QSKIP("Qt's Czech translation (qt6-translations-l10n) is not installed");
    }
    const QString folder = QStringLiteral(NABIDKA_BINARY_DIR "/screenshots");
    QDir().mkpath(folder);
    QString accept;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      if (auto* box = dialog->findChild<QDialogButtonBox*>()) accept = box->button(QDialogButtonBox::Save)
                                                                          ? box->button(QDialogButtonBox::Save)->text()
                                                                          : box->button(QDialogButtonBox::Open)->text();
      dialog->grab().save(folder + QStringLiteral("/save-dialog-cs.png"));
      dialog->reject();
    });
    gui::TQtSaveDialog save(nullptr);
    save.fFilter = "Excel 2007 (*.xlsx)|*.xlsx";
    QVERIFY(!save.Execute());
    QCOMPARE(accept.remove(QLatin1Char('&')), QStringLiteral("Uložit"));
    QStringList buttons;
    WhenShown<QMessageBox>([&](QMessageBox* box) {
      for (QAbstractButton* button : box->buttons()) buttons << button->text().remove(QLatin1Char('&'));
      box->reject();
    });
    gui::TQtDialogs dialogs;
    dialogs.AskYesNo("Nabídka obsahuje neexportované změny. Zahodit je?");
    QVERIFY2(buttons.contains(QStringLiteral("Ano")) && buttons.contains(QStringLiteral("Ne")),
             qPrintable(buttons.join(QLatin1Char(','))));
  }

  // The scenarios the Windows window plays too.
  void SharedScenarios_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < scenario::Scenarios().size(); ++i) {
      QTest::newRow(scenario::Scenarios()[i].Name) << static_cast<int>(i);
    }
  }
  void SharedScenarios() {
    QFETCH(int, index);
    const scenario::TScenario& played = scenario::Scenarios()[static_cast<std::size_t>(index)];
    TSession s(true, [&played](const QString& folder) {
      if (played.Prepare) played.Prepare(fs::path(folder.toStdString()));
    });
    TQtDriver driver(s);
    scenario::TChecks checks;
    played.Run(driver, checks);
    QVERIFY2(checks.Failures.empty(), checks.Report().c_str());
  }

  // The pictures README shows: the window with an item selected, and the dialog.
  void Screenshots() {
    TSession s;
    s.ClickEntry(2);
    // NABIDKA_SCREENSHOTS=docs renews README's pictures.
    const QString folder = qEnvironmentVariableIsEmpty("NABIDKA_SCREENSHOTS")
                               ? QStringLiteral(NABIDKA_BINARY_DIR "/screenshots")
                               : qEnvironmentVariable("NABIDKA_SCREENSHOTS");
    QDir().mkpath(folder);
    QVERIFY(s.Form->grab().save(folder + QStringLiteral("/window.png")));
    app::TForm1 model;
    model.FormShow();
    model.ExtraItemCountEntry = "2";
    model.Edit1KeyPress(app::kEnterKey);
    model.ExtraItemsTable.SetCell(1, 1, "DOPR").SetCell(2, 1, "Doprava a montáž").SetCell(3, 1, "1").SetCell(4, 1, "1500,00");
    gui::TExtraItemsForm dialog(model, s.Dialogs);
    dialog.show();
    QVERIFY(dialog.grab().save(folder + QStringLiteral("/extra-items-dialog.png")));
  }
};

QTEST_MAIN(TWindowTest)
#include "WindowTest.moc"
