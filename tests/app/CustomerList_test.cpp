#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "app/CustomerList.h"
#include "sheet/Exceptions.h"
#include "text/Conversion.h"
#include "sheet/Workbook.h"
#include "sheet/Worksheet.h"
#include "xls/ExporterXLS.h"

namespace {

using apptest::TAppFixture;
using apptest::TScriptedDialogs;

const std::string kExamples = std::string(NABIDKA_SOURCE_DIR) + "/examples/pCon_article_lists";
const std::string kSampleList = kExamples + "/Seznam_zakazniku.xls";
const std::vector<std::string> kSampleFirms{"Nábytek Novák s.r.o.", "Kuchyně Dvořák, a.s.", "Interiéry Černý",
                                            "Studio \"Ložnice\" Růžička"};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void AddStrings(sheet::TExportRow& row, const std::vector<std::string>& texts) {
  for (const auto& t : texts) row.AddCellString(t);
}

// Header, a full customer with a numeric IČO, a short row, and a row wider
// than the eight used columns.
void BuildCustomers(sheet::TExportWorkSheet& ws) {
  AddStrings(ws.AddRow(), {"č.", "Firma", "Ulice", "PSČ - město", "IČO", "DIČ", "Kontakt", "Telefon"});
  sheet::TExportRow& full = ws.AddRow();
  full.AddCellNumber(1, 0);
  AddStrings(full, {"Alfa s.r.o.", "Dlouhá 1", "110 00 Praha"});
  full.AddCellNumber(25596641, 0);
  AddStrings(full, {"CZ25596641", "Eva Malá", "+420 111 222 333"});
  AddStrings(ws.AddRow(), {"2", "Beta", "Krátká 2"});
  sheet::TExportRow& wide = ws.AddRow();
  AddStrings(wide, {"3", "Gama", "", "", "", "", "", "", "poznámka"});
  wide.AddCellNumber(2.5, 1);
}

class CustomerListTest : public ::testing::Test {
 protected:
  TAppFixture f;
  app::TMainWindowState& View() { return f.Window.Window; }

  void UseModel() {
    sheet::TExportWorkbook workbook;
    BuildCustomers(workbook.AddWorkSheet("Zákazníci"));
    f.Window.Workspace.CustomerGrid = app::CustomerGridFrom(workbook.WorkSheets().Get(0), f.Window.Region());
    f.Window.FillCustomerChoice();
  }
  void ExpectCaptions() {
    const app::TMainWindowState initial;
    EXPECT_EQ(View().CustomerFirmField, initial.CustomerFirmField);
    EXPECT_EQ(View().CustomerStreetField, initial.CustomerStreetField);
    EXPECT_EQ(View().CustomerCityField, initial.CustomerCityField);
    EXPECT_EQ(View().CustomerContactField, initial.CustomerContactField);
    EXPECT_EQ(View().CustomerPhoneField, initial.CustomerPhoneField);
    EXPECT_EQ(View().CustomerIcoField, initial.CustomerIcoField);
    EXPECT_EQ(View().CustomerDicField, initial.CustomerDicField);
  }
};

TEST_F(CustomerListTest, GridAndChooserFromAModelInMemory) {
  UseModel();
  const app::TTextGrid& grid = f.Window.Workspace.CustomerGrid;
  EXPECT_EQ(grid.RowCount(), 4u);
  EXPECT_EQ(grid.ColCount(), 10u);  // the widest row
  EXPECT_EQ(grid.Cell(1, 0), "Firma");
  EXPECT_EQ(grid.Cell(0, 1), "1");
  EXPECT_EQ(grid.Cell(4, 1), "25596641");  // displayed text, not a raw double
  EXPECT_EQ(grid.Cell(9, 3), "2,5");       // the window's regional settings
  EXPECT_EQ(grid.Cell(7, 2), "");
  EXPECT_EQ(View().CustomerChoiceItems, (app::TTextList{"Alfa s.r.o.", "Beta", "Gama"}));
  EXPECT_EQ(View().CustomerChoice, "Alfa s.r.o.");
  ExpectCaptions();  // showing the first firm is not a choice
}

TEST_F(CustomerListTest, HeaderOnlyOrEmptyWorksheetOffersNobody) {
  for (int rows : {1, 0}) {
    sheet::TExportWorkbook workbook;
    sheet::TExportWorkSheet& ws = workbook.AddWorkSheet("Zákazníci");
    if (rows == 1) AddStrings(ws.AddRow(), {"č.", "Firma", "Ulice"});
    f.Window.Workspace.CustomerGrid = app::CustomerGridFrom(ws, f.Window.Region());
    f.Window.FillCustomerChoice();
    EXPECT_EQ(f.Window.Workspace.CustomerGrid.RowCount(), 1u);
    EXPECT_EQ(f.Window.Workspace.CustomerGrid.ColCount(), rows == 1 ? 3u : 1u);
    EXPECT_TRUE(View().CustomerChoiceItems.Empty());
    EXPECT_EQ(View().CustomerChoice, "");
  }
}

TEST_F(CustomerListTest, ChoosingFillsTheFieldsFromTheRightRow) {
  UseModel();
  f.Window.SelectCustomer(0);
  EXPECT_EQ(View().CustomerChoice, "Alfa s.r.o.");
  EXPECT_EQ(View().CustomerFirmField, "Alfa s.r.o.");
  EXPECT_EQ(View().CustomerStreetField, "Dlouhá 1");
  EXPECT_EQ(View().CustomerCityField, "110 00 Praha");
  EXPECT_EQ(View().CustomerIcoField, "25596641");
  EXPECT_EQ(View().CustomerDicField, "CZ25596641");
  EXPECT_EQ(View().CustomerContactField, "Eva Malá");
  EXPECT_EQ(View().CustomerPhoneField, "+420 111 222 333");

  // A short row: the missing columns show empty texts, nothing of the previous customer stays.
  f.Window.SelectCustomer(1);
  EXPECT_EQ(View().CustomerFirmField, "Beta");
  EXPECT_EQ(View().CustomerStreetField, "Krátká 2");
  EXPECT_EQ(View().CustomerCityField, "");
  EXPECT_EQ(View().CustomerIcoField, "");
  EXPECT_EQ(View().CustomerPhoneField, "");

  // A typed name selects the entry it names (case aside), or none: the header row.
  f.Window.TypeCustomerName("GAMA");
  EXPECT_EQ(View().CustomerChoice, "GAMA");
  EXPECT_EQ(View().CustomerFirmField, "Gama");
  f.Window.TypeCustomerName("Nová firma");
  EXPECT_EQ(View().CustomerFirmField, "Firma");
  EXPECT_EQ(View().CustomerIcoField, "IČO");
  EXPECT_EQ(View().CustomerContactField, "Kontakt");

  EXPECT_THROW(f.Window.SelectCustomer(3), text::EListError);
}

TEST_F(CustomerListTest, ReadsTheSampleWorkbook) {
  f.Fs.AddFile("/lists/Seznam_zakazniku.xls", ReadBytes(kSampleList));
  f.Window.CteniZakazniku();
  f.Window.FillCustomerChoice();
  const app::TTextGrid& grid = f.Window.Workspace.CustomerGrid;
  EXPECT_EQ(grid.RowCount(), 5u);
  EXPECT_EQ(grid.ColCount(), 8u);
  EXPECT_EQ(grid.Cell(3, 0), "PSČ - město");
  EXPECT_EQ(View().CustomerChoiceItems.Entries(), kSampleFirms);
  EXPECT_EQ(View().CustomerChoice, kSampleFirms[0]);

  f.Window.SelectCustomer(2);  // a row without DIČ and telephone, IČO stored as a number
  EXPECT_EQ(View().CustomerCityField, "370 01 České Budějovice");
  EXPECT_EQ(View().CustomerIcoField, "12345");
  EXPECT_EQ(View().CustomerDicField, "");
  EXPECT_EQ(View().CustomerContactField, "Lukáš Černý");
  EXPECT_EQ(View().CustomerPhoneField, "");
}

TEST_F(CustomerListTest, StartUpFillsTheChooserAfterTheOffer) {
  f.AddList("K.csv", apptest::ListLines({{"A1"}}));
  f.AddPictureFolder("K_soubory", 2);
  f.Fs.AddFile("/lists/Seznam_zakazniku.xls", ReadBytes(kSampleList));
  f.Window.FormCreate();
  EXPECT_TRUE(f.Dialogs.Errors.empty());
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A1"}));
  EXPECT_EQ(View().CustomerChoiceItems.Count(), 4u);
  EXPECT_EQ(View().CustomerChoice, kSampleFirms[0]);
  ExpectCaptions();
}

TEST_F(CustomerListTest, MissingOrBrokenListIsShownAndTheWindowStillWorks) {
  f.AddList("K.csv", apptest::ListLines({{"A1"}}));
  f.AddPictureFolder("K_soubory", 2);
  f.Window.FormCreate();
  EXPECT_EQ(f.Dialogs.Errors,
            (std::vector<std::string>{"Cannot open file \"" + f.PathOf("Seznam_zakazniku.xls") +
                                      "\". No such file or directory"}));
  EXPECT_EQ(f.Items(), (std::vector<std::string>{"01. A1"}));  // the offer was loaded before
  EXPECT_EQ(View().CustomerChoice, "Seznam zákazníků");
  EXPECT_TRUE(View().CustomerChoiceItems.Empty());
  ExpectCaptions();

  // Customers read earlier stay when a later reading fails half-way.
  f.Fs.AddFile("/lists/Seznam_zakazniku.xls", ReadBytes(kSampleList));
  f.Window.CteniZakazniku();
  f.Fs.AddFile("/lists/Seznam_zakazniku.xls", "not a workbook at all");
  EXPECT_FALSE(f.Window.RunCommand([&] { f.Window.CteniZakazniku(); }));
  EXPECT_EQ(f.Window.Workspace.CustomerGrid.RowCount(), 5u);

  f.Fs.SetUnreadable("/lists/Seznam_zakazniku.xls");
  try {
    f.Window.CteniZakazniku();
    ADD_FAILURE() << "an unreadable list was read";
  } catch (const sheet::EExportFileException& error) {
    EXPECT_EQ(std::string(error.what()),
              "Cannot open file \"" + f.PathOf("Seznam_zakazniku.xls") + "\". Permission denied");
  }
  EXPECT_THROW(f.Window.ReadCustomerList("/lists/zakaznici.pdf"), sheet::EExportFileNameException);
}

// The real disk and the model's own LoadFromFile give the same customers.
TEST(CustomerListDisk, ExampleFolderThroughTheDiskAndLoadFromFile) {
  app::TDiskFileSystem disk;
  TScriptedDialogs dialogs;
  app::TMainWindow window(disk, dialogs, {kExamples, text::TRegionalSettings::Czech(), 1250});
  window.FormCreate();
  EXPECT_TRUE(dialogs.Errors.empty()) << dialogs.Errors.front();
  EXPECT_EQ(window.Window.CustomerChoiceItems.Entries(), kSampleFirms);

  xls::RegisterXlsFormat();
  sheet::TExportWorkbook workbook;
  ASSERT_TRUE(workbook.LoadFromFile(kSampleList));
  const app::TTextGrid direct = app::CustomerGridFrom(workbook.WorkSheets().Get(0), window.Region());
  ASSERT_EQ(direct.RowCount(), window.Workspace.CustomerGrid.RowCount());
  for (std::ptrdiff_t r = 0; r < 5; ++r) {
    for (std::ptrdiff_t c = 0; c < 8; ++c) EXPECT_EQ(direct.Cell(c, r), window.Workspace.CustomerGrid.Cell(c, r));
  }
}

}  // namespace
