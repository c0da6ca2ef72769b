#pragma once

#include <string>
#include <vector>

#include "app/TextTables.h"

namespace app {

// A single-selection list box.
struct TListBoxState {
  TTextList Items;
  int ItemIndex = -1;  // -1: nothing selected
};

// The picture box: the JPEG file it shows (empty: none) and its size in pixels.
struct TPictureState {
  std::string FileName;
  int Width = 0;
  int Height = 0;
  bool Empty() const { return FileName.empty(); }
};

// Controls the window can give the keyboard focus to.
enum class TFocusTarget { ftNone, ftItemList, ftCountEntry, ftPriceEntry, ftDescriptionEntry };

// The main window's controls as plain state, free of any toolkit: the offer
// logic writes here, a desktop window mirrors it on screen, tests read it.
// Initial texts are those the window shows before any list is loaded.
struct TMainWindowState {
  // Item detail of the shown item.
  std::string ItemCodeField = "Kód prvku";
  std::string ItemDescriptionField = "Popis prvku";
  std::string ItemCountField = "0";
  std::string ItemPriceField = "0.00";
  std::string ItemTotalField = "0.00";
  std::string CountEntry = "0";
  std::string PriceEntry = "0.00";
  bool EditModeCheck = false;
  TPictureState ItemPicture;
  TTextList PropertiesBox{"Memo1"};

  TListBoxState ItemList;

  // Totals.
  std::string NetTotalField = "0.00";
  std::string VatField = "0.00";
  std::string GrossTotalField = "0.00";

  // Commands (buttons) that start-up or the additional items can disable.
  bool OpenButtonEnabled = true;      // "Otevřít soubor z disku"
  bool AppendButtonEnabled = true;    // "Přidat soubor z disku"
  bool ExtraItemsButtonEnabled = true;  // "Zadat další prvky"
  bool ExportButtonEnabled = true;    // "Export do Excelu"
  bool MoveUpButtonEnabled = true;    // "Posun nahoru"
  bool MoveDownButtonEnabled = true;  // "Posun dolu"

  // Export options.
  int LayoutChoice = 0;  // 0 "Nabídka s obrázky", 1 "Objednávka bez obrázků"
  bool CustomerHeaderCheck = true;
  bool SaveDialogCheck = false;

  // Customer chooser and the chosen customer's details.
  TTextList CustomerChoiceItems;
  std::string CustomerChoice = "Seznam zákazníků";
  std::string CustomerFirmField = "Firma";
  std::string CustomerStreetField = "Ulice";
  std::string CustomerCityField = "PSČ - město";
  std::string CustomerContactField = "Kontaktní jméno";
  std::string CustomerPhoneField = "Kontaktní telefon";
  std::string CustomerIcoField = "IČO";
  std::string CustomerDicField = "DIČ";

  static constexpr const char* kInitialDescription = "Popis tabulky - nabídka nebo objednávka a firma";
  std::string DescriptionEntry = kInitialDescription;

  TFocusTarget Focus = TFocusTarget::ftNone;
};

}  // namespace app
