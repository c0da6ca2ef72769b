#include "app/WindowLayout.h"

#include <stdexcept>
#include <string>

#include "app/ExtraItemsDialog.h"

namespace app {

namespace {

using K = TControlKind;

constexpr TControlLayout kMainControls[] = {
    // Item detail.
    {"ItemCodeField", K::ckField, 8, 8, 289, 17, "Kód prvku"},
    {"ItemDescriptionField", K::ckField, 8, 31, 289, 17, "Popis prvku"},
    {"CountLabel", K::ckLabel, 8, 54, 0, 0, "Počet kusů"},
    {"ItemCountField", K::ckField, 71, 54, 34, 17, "0", {}, true},
    {"PriceLabel", K::ckLabel, 136, 56, 0, 0, "Cena za kus"},
    {"ItemPriceField", K::ckField, 204, 54, 53, 17, "0.00", {}, true},
    {"TotalLabel", K::ckLabel, 280, 54, 0, 0, "Celková cena"},
    {"ItemTotalField", K::ckField, 354, 54, 63, 17, "0.00", {}, true},
    {"CountEntry", K::ckEntry, 72, 80, 33, 21, "0",
     "V editačním režimu zadejte počet kusů a stiskněte klávesu Enter", true},
    {"PriceEntry", K::ckEntry, 204, 80, 53, 21, "0.00", "V editačním režimu zadejte cenu a stiskněte klávesu Enter",
     true},
    {"EditModeCheck", K::ckCheck, 280, 83, 97, 17, "editovat", "Přechod na editační režim - změna počtu a ceny"},
    {"ItemPicture", K::ckPicture, 23, 107, kPictureBoxSide, kPictureBoxSide, ""},
    // Item list.
    {"ItemListLabel", K::ckLabel, 424, 87, 97, 13, "Seznam kódů prvků"},
    {"ItemList", K::ckList, 358, 106, 258, 198, "",
     "Seznam kódů prvků - u vybraného prvku lze měnit počet i cenu a prvek posunovat nahoru nebo dolu"},
    {"MoveUpButton", K::ckButton, 280, 170, 75, 25, "Posun nahoru", "Posun vybraného prvku dolu v seznamu nahoru"},
    {"MoveDownButton", K::ckButton, 280, 221, 75, 25, "Posun dolu", "Posun vybraného prvku dolu v seznamu prvků"},
    {"PropertiesLabel", K::ckLabel, 424, 310, 0, 0, "Vlastnosti prvku"},
    {"PropertiesBox", K::ckMemo, 320, 333, 297, 218, "Memo1"},
    // Totals and commands.
    {"NetTotalLabel", K::ckLabel, 23, 381, 0, 0, "Celková cena bez DPH"},
    {"NetTotalField", K::ckField, 152, 377, 101, 17, "0.00", {}, true},
    {"VatLabel", K::ckLabel, 23, 404, 0, 0, "DPH 21%"},
    {"VatField", K::ckField, 152, 400, 101, 17, "0.00", {}, true},
    {"GrossTotalLabel", K::ckLabel, 23, 427, 0, 0, "Celková cena s DPH"},
    {"GrossTotalField", K::ckField, 152, 423, 101, 17, "0.00", {}, true},
    {"OpenButton", K::ckButton, 8, 446, 122, 25, "Otevřít soubor z disku",
     "Nahrání přehledu prvků ve formátu CSV jako nová cenová nabídka nebo objednávka"},
    {"AppendButton", K::ckButton, 152, 446, 121, 25, "Přidat soubor z disku",
     "Nahrání přehledu prvků ve formátu CSV a doplnění za aktuální cenovou nabídkou nebo objednávkou"},
    {"ExtraItemsButton", K::ckButton, 8, 477, 122, 25, "Zadat další prvky",
     "Doplnění dalších položek bez obrázku z aktuální cenovou nabídku nebo objednávku"},
    {"ExportButton", K::ckButton, 152, 477, 121, 25, "Export do Excelu",
     "Export aktuální cenové nabídky nebo objednávky ve formátu MS Excel a otevření souboru"},
    // Export options.
    {"SaveDialogCheck", K::ckCheck, 159, 504, 70, 25, "s dialogem",
     "Volba otevření dialogu pro zadání jména exportovaného souboru ve formátu MS Excel"},
    {"CustomerHeaderCheck", K::ckCheck, 23, 508, 110, 17, "hlavička (zákazník)",
     "Volba zobrazení hlavičky s informacemi o zákazníkovi", false, true},
    {"LayoutChoice", K::ckRadioGroup, 8, 538, 290, 40, "Provedení tabulky",
     "Volba provedení tabulky - kompletní tabulka s obrázky nebo pouze seznam prvků"},
    {"OfferLayoutRadio", K::ckRadio, 6, 18, 130, 17, "Nabídka s obrázky", {}, false, true, "LayoutChoice"},
    {"OrderLayoutRadio", K::ckRadio, 140, 18, 148, 17, "Objednávka bez obrázků", {}, false, false, "LayoutChoice"},
    // Customer and description.
    {"CustomerChoice", K::ckCombo, 124, 584, 173, 21, "Seznam zákazníků", "Výběr firmy zákazníka ze seznamu firem"},
    {"DescriptionLabel", K::ckLabel, 8, 614, 0, 0, "Popis v záhlaví při tisku"},
    {"DescriptionEntry", K::ckEntry, 8, 633, 289, 21, "Popis tabulky - nabídka nebo objednávka a firma",
     "Zadání informace o firmě, která vytvořila cenovou nabídku nebo objednávku"},
    {"CustomerFirmField", K::ckLabel, 320, 557, 0, 0, "Firma"},
    {"CustomerStreetField", K::ckLabel, 320, 576, 0, 0, "Ulice"},
    {"CustomerCityField", K::ckLabel, 319, 595, 0, 0, "PSČ - město"},
    {"CustomerContactField", K::ckLabel, 319, 614, 0, 0, "Kontaktní jméno"},
    {"CustomerPhoneField", K::ckLabel, 319, 633, 0, 0, "Kontaktní telefon"},
    {"CustomerIcoField", K::ckLabel, 319, 655, 0, 0, "IČO"},
    {"CustomerDicField", K::ckLabel, 462, 655, 0, 0, "DIČ"},
};

constexpr TControlLayout kDialogControls[] = {
    {"CountLabel", K::ckLabel, 24, 16, 86, 22, "Počet prvků:", {}, false, false, {}, 11},
    {"ExtraItemCountEntry", K::ckEntry, 112, 16, 41, 26, "0", {}, true, false, {}, 11},
    {"ExtraItemsTable", K::ckGrid, 22, 48, 841, 161, "", {}, false, false, {}, 11},
    {"ConfirmButton", K::ckButton, 760, 215, 89, 25, "Doplnit"},
};

constexpr TWindowLayout kMainWindow{"MainWindow", "Zpracování cenové nabídky", 624, 676, "Tahoma", 8, kMainControls};
constexpr TWindowLayout kDialog{"ExtraItemsDialog", TForm1::kCaption, 871, 250, "Tahoma", 8, kDialogControls};

}  // namespace

const TControlLayout& TWindowLayout::Control(std::string_view name) const {
  for (const TControlLayout& control : Controls) {
    if (control.Name == name) return control;
  }
  throw std::out_of_range("no control " + std::string(name) + " in " + std::string(Name));
}

const TWindowLayout& MainWindowLayout() { return kMainWindow; }
const TWindowLayout& ExtraItemsDialogLayout() { return kDialog; }

}  // namespace app
