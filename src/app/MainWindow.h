#pragma once

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/Dialogs.h"
#include "app/FileSystem.h"
#include "app/MainWindowState.h"
#include "app/OfferItems.h"
#include "app/OfferWorkspace.h"
#include "text/CodePage.h"
#include "text/RegionalSettings.h"

namespace app {

// A failure of the offer's own logic, with its Czech message ("Soubor neexistuje").
class EOfferError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kFileMissingMessage = "Soubor neexistuje";
// "Soubor neexistuje: <path>".
inline std::string FileMissingMessage(const std::string& path) { return std::string(kFileMissingMessage) + ": " + path; }
inline constexpr const char* kNoWordExportMessage = "Nebyl nalezen soubor Wordu exportovaný jako .htm";
inline constexpr const char* kDescriptionFileName = "popis_tabulky.txt";
inline constexpr const char* kDescriptionStoredMessage = "Zadaný popis tabulky zaznamenán na disku";
inline constexpr const char* kCustomerListFileName = "Seznam_zakazniku.xls";
// "Obrázky ve složce … nesedí k položkám: 3 souborů .jpg (…) pro 2 položek. …"
std::string PicturesDoNotPairMessage(const std::string& folder, std::size_t files, std::size_t items);
inline constexpr const char* kDiscardChangesQuestion = "Nabídka obsahuje neexportované změny. Zahodit je?";
// A list shorter than this (header plus the four summary lines) has nothing
// the join could keep.
inline constexpr std::size_t kMinJoinableLines = 5;

// Where the main window finds its files and how it reads them.
struct TMainWindowSettings {
  std::string ArticleListFolder;
  text::TRegionalSettings Region;
  int AnsiCodePage = text::kDefaultAnsiCodePage;
};

class TMainWindow;

// The character code of Enter, the key that confirms an entry field.
inline constexpr char kEnterKey = '\r';

// What a command did: done, or failed with the message its error box shows.
struct TCommandResult {
  bool Failed = false;
  std::string Message;
  bool Ok() const { return !Failed; }
  explicit operator bool() const { return !Failed; }
};

// What start-up did, for the window (its message box, its disabled buttons)
// and the command line (its exit code) to act on.
struct TStartUpResult {
  bool ListLoaded = false;            // a list was read and its offer built
  bool PictureFolderMissing = false;  // the newest list has no picture folder: commands disabled
  bool CustomersRead = false;
  std::optional<std::string> Failure;  // the failed step's message; the steps after it did not run
  bool Ok() const { return !Failure; }
};

// Start-up steps that belong to the table description and the customer list.
// RestoreDescription defaults to LoadDescription; ReadCustomers defaults to
// CteniZakazniku followed by FillCustomerChoice.
struct TStartUpHooks {
  std::function<void(TMainWindow&)> RestoreDescription;
  std::function<void(TMainWindow&)> ReadCustomers;
};

// The main window without a toolkit: it owns the offer workspace and the
// controls' state, and runs the commands and the processing pipeline on them.
// Commands raise their failures as exceptions; RunCommand shows them in the
// error box, as the window's event loop does.
class TMainWindow {
 public:
  TMainWindow(TFileSystem& fileSystem, TDialogs& dialogs, TMainWindowSettings settings);

  TOfferWorkspace Workspace;
  TMainWindowState Window;
  TStartUpHooks Hooks;

  const TMainWindowSettings& Settings() const { return fSettings; }
  const std::string& ArticleListFolder() const { return fSettings.ArticleListFolder; }
  const text::TRegionalSettings& Region() const { return fSettings.Region; }
  TMainWindow& SetRegion(const text::TRegionalSettings& region);
  TFileSystem& FileSystem() { return fFileSystem; }
  TDialogs& Dialogs() { return fDialogs; }
  // ArticleListFolder + delimiter + "popis_tabulky.txt".
  std::string DescriptionFilePath() const;

  // Runs a command; a failure is shown in the error box and returned.
  TCommandResult RunCommand(const std::function<void()>& command);

  // --- Article lists -------------------------------------------------------
  // Reads the non-empty, folded lines of an article list into `target`.
  // Raises EInOutError when the file cannot be read; `target` is then unchanged.
  // `origins`, when given, gets each kept line's file name and line number.
  void ReadArticleList(const std::string& path, TTextList& target,
                       std::vector<TLineOrigin>* origins = nullptr) const;
  // "Kuchyne.csv, řádek 12, položka 03: " for an imported item whose lines
  // came from a file; "" when that is not known.
  std::string WhereItemIs(int item) const;

  // --- Processing pipeline -------------------------------------------------
  void PrevodSeznamu2();           // SourceLines -> ArticleGrid, ItemCount
  void VytvoritSeznamPrvku();      // ItemList, ItemStartRows, first item shown
  void CelkoveCeny();              // the list file's own totals
  void TvorbaKalkulacniTabulky();  // CalcGrid rows of the imported items
  void KalkulaceTabulky();         // item totals, sum, VAT, total with VAT
  void OfferPipeline();            // the five steps in order

  // --- Commands ------------------------------------------------------------
  static TOpenDialogOptions CsvOpenDialogOptions(const std::string& initialDir);
  // Whether the offer may be thrown away: without unexported edits, or when
  // the user answers "Ano" to kDiscardChangesQuestion.
  bool MayDiscardOffer();
  // The window is being closed: false keeps it open (and the offer as it was).
  bool FormCloseQuery() { return MayDiscardOffer(); }
  // "Otevřít soubor z disku": dialog, then OpenList.
  void OpenListClick();
  void OpenList(const std::string& path);
  // "Přidat soubor z disku": dialog, then AppendList.
  void AppendListClick();
  void AppendList(const std::string& path);
  // Joins AppendLines after SourceLines (the current summary block and the
  // appended header line are dropped). When SourceLines holds no list
  // (fewer than kMinJoinableLines lines) the appended list is taken whole.
  void PridaniSeznamu();

  // --- Picture folders -----------------------------------------------------
  // "<base name>_soubory" for a list file name.
  static std::string ImageFolderNameFor(const std::string& csvFileName);
  // Offer variant, steps 1-3: names and lists the folder. True when found.
  bool FindImageFolder(const std::string& csvFileName);
  // Offer variant, steps 4-5: picture names and ItemImagePaths (replaced).
  void TakeImageFiles();
  // Both together, as the open command uses them.
  bool AssociateImageFolder(const std::string& csvFileName);
  // Append variant: ItemImagePaths is extended.
  bool AssociateAppendImageFolder(const std::string& csvFileName);
  // After loading or appending: a message when `files` .jpg files (every
  // other one a picture) cannot pair with `items` items.
  void WarnIfPicturesDoNotPair(const std::string& folder, std::size_t files, std::size_t items);
  int ImportedItems() const;

  // --- Start-up ------------------------------------------------------------
  // The five start-up steps; an error is shown and ends the start-up.
  TStartUpResult FormCreate();
  void LoadDescription();      // default step 1
  void ListArticleFolder();    // step 2
  // Step 3. False when the newest list has no picture folder: then nothing is
  // loaded, the six commands are disabled and the message is shown.
  bool VyberZpracovaniPoslednihoSouboru();

  // --- Table description (TableDescription.cpp) ----------------------------
  // Enter (13) in DescriptionEntry stores it; other keys pass unchanged.
  void Edit17KeyPress(char key);
  // Writes DescriptionEntry and CR LF in the ANSI code page (what it cannot
  // hold becomes "?"), replacing the file only once the new one is complete,
  // then confirms with a message.
  void StoreDescription();

  // --- Customer list (CustomerList.cpp) ------------------------------------
  // ArticleListFolder + delimiter + "Seznam_zakazniku.xls".
  std::string CustomerListFilePath() const;
  // Reads the customer list into CustomerGrid (step 4).
  void CteniZakazniku();
  // The same for another customer list file.
  void ReadCustomerList(const std::string& path);
  // Chooser entries from CustomerGrid; its text the first firm (step 5).
  void FillCustomerChoice();
  // The customer fields from CustomerGrid row selectedIndex + 1 (-1 when the
  // typed text selects no entry: the header row).
  void ComboBox1Change(int selectedIndex);
  // The user picks entry `index` (0-based) of the chooser.
  void SelectCustomer(int index);
  // The user types a text: an entry equal to it without regard to case is
  // selected, otherwise none is.
  void TypeCustomerName(const std::string& name);

  // --- Item detail (ItemDetail.cpp) ----------------------------------------
  // Loads a JPEG into ItemPicture when the file exists and decodes; otherwise
  // the picture keeps what it showed.
  bool ShowPicture(const std::string& path);
  // The user changed the selection of ItemList (mouse or keyboard): the
  // detail view shows the selected item from CalcGrid. A selection set from
  // code does not run it.
  void ListBox4Click();
  // The user selects entry `index`: the selection, then ListBox4Click.
  void SelectItem(int index);

  // --- Count and price (ItemEditing.cpp) -----------------------------------
  // Keys in CountEntry and PriceEntry: Enter confirms the entry, every other
  // key reaches the field unchanged.
  void Edit12KeyPress(char key);
  void Edit13KeyPress(char key);
  // Enter in CountEntry: the count into CalcGrid, the item total and the
  // totals recalculated, the item line rebuilt.
  void CountEntered();
  // Enter in PriceEntry: the same for the unit price, with the count the
  // entry holds (confirmed or not).
  void PriceEntered();
  // "editovat" clicked: when it became checked, the focus goes to CountEntry.
  void CheckBox2Click();
  // The item line an edit writes: «3.;K-100;2.00;12,50;0 025,00;».
  std::string EditedLine(int item, const std::string& count, float price, float total) const;

  // --- Reordering (ItemMoves.cpp) ------------------------------------------
  void Button16Click();  // "Posun nahoru"
  void Button20Click();  // "Posun dolu"

  // --- Additional items (ExtraItems.cpp) -----------------------------------
  // "Zadat další prvky": the dialog, then its rows appended as extra items.
  void Button14Click();

 private:
  void AlignImagePathsForAppend();
  void JoinOrigins(std::size_t keptCurrent, std::size_t firstAppended);
  bool IsKnownSubFolder(const std::string& name) const;
  void ShowFirstItem();
  void ClearItemDetail();
  void ShowPropertyLines(const TItemBlock& block);
  void ShowMovedItem(int item);
  void MoveSelectedItem(int step);
  void ExchangeBlocks(int upper, bool selectedIsLower);
  void ExchangeImagePaths(int upper);
  void AddExtraItems(const TTextGrid& rows);
  void MoveFocusIfEditing(TFocusTarget target);
  void StoreEditedLine(int item, std::string line);
  void FinishItemEdit(int item, std::int32_t count, const std::string& countText, float price, TFocusTarget next);

  TFileSystem& fFileSystem;
  TDialogs& fDialogs;
  TMainWindowSettings fSettings;
};

}  // namespace app
