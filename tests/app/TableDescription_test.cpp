#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "AppTestSupport.h"
#include "app/TableDescription.h"
#include "TestPlatform.h"

namespace {

using apptest::TAppFixture;
using apptest::TScriptedDialogs;

constexpr const char* kPath = "/lists/popis_tabulky.txt";
constexpr const char* kStored = "Zadaný popis tabulky zaznamenán na disku";

class TableDescriptionTest : public ::testing::Test {
 protected:
  TAppFixture f;

  // Types the text and presses Enter, as the window's event loop runs it.
  bool Store(const std::string& description) {
    f.Window.Window.DescriptionEntry = description;
    return f.Window.RunCommand([&] { f.Window.Edit17KeyPress('\r'); }).Ok();
  }
  // A fresh window on the same files, as after a restart.
  std::string Restart(int codePage = 1250) {
    TScriptedDialogs dialogs;
    app::TMainWindow window(f.Fs, dialogs, {apptest::kFolder, text::TRegionalSettings::Czech(), codePage});
    window.LoadDescription();
    return window.Window.DescriptionEntry;
  }
};

TEST_F(TableDescriptionTest, CzechLettersRoundTripInTheAnsiCodePage) {
  const std::string description = "Nabídka – Žluťoučký kůň, ŘEZNÍK Šťastný";
  ASSERT_TRUE(Store(description));
  const std::string bytes = f.Fs.ReadFile(kPath);
  EXPECT_EQ(bytes.size(), 41u);  // one byte a letter, CR LF
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 0x96u);   // en dash in Windows-1250
  EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0x8Eu);  // Ž
  EXPECT_EQ(f.Dialogs.Messages, (std::vector<std::string>{kStored}));
  EXPECT_EQ(Restart(), description);
}

TEST_F(TableDescriptionTest, WhatTheCodePageCannotHoldComesBackAsQuestionMark) {
  ASSERT_TRUE(Store("Cena 100 € ★ 😀 Ω"));
  EXPECT_EQ(Restart(), "Cena 100 € ? ? ?");

  // The configured code page decides: Windows-1252 has no Č.
  TScriptedDialogs dialogs;
  app::TMainWindow western(f.Fs, dialogs, {apptest::kFolder, text::TRegionalSettings::Czech(), 1252});
  western.Window.DescriptionEntry = "Čaj é";
  western.StoreDescription();
  EXPECT_EQ(f.Fs.ReadFile(kPath), "?aj \xE9\r\n");
  EXPECT_EQ(dialogs.Messages.back(),
            "Zadaný popis tabulky zaznamenán na disku; znaky Č, které soubor neudrží, byly nahrazeny otazníkem");
}

// The information box says which characters the file could not hold; what
// it can hold is stored as before.
TEST_F(TableDescriptionTest, ReplacedCharactersAreNamed) {
  ASSERT_TRUE(Store("Nabídka → Novák €"));
  EXPECT_EQ(f.Dialogs.Messages.back(),
            "Zadaný popis tabulky zaznamenán na disku; znaky →, které soubor neudrží, byly nahrazeny otazníkem");
  EXPECT_EQ(f.Fs.ReadFile(kPath), text::EncodeCodePage("Nabídka ? Novák €\r\n", 1250));
  ASSERT_TRUE(Store("Cena 100 € ★ 😀 ★"));
  EXPECT_EQ(f.Dialogs.Messages.back(),
            "Zadaný popis tabulky zaznamenán na disku; znaky ★ 😀, které soubor neudrží, byly nahrazeny otazníkem");
  ASSERT_TRUE(Store("Nabídka pro Nováka"));
  EXPECT_EQ(f.Dialogs.Messages.back(), "Zadaný popis tabulky zaznamenán na disku");
}

TEST_F(TableDescriptionTest, OnlyEnterStoresAndTheTextIsKeptAsTyped) {
  f.Window.Window.DescriptionEntry = "nic";
  f.Window.Edit17KeyPress('a');
  f.Window.Edit17KeyPress('\n');
  EXPECT_FALSE(f.Fs.FileExists(kPath));
  EXPECT_TRUE(f.Dialogs.Messages.empty());

  ASSERT_TRUE(Store("  mezery  "));
  EXPECT_EQ(Restart(), "  mezery  ");
  ASSERT_TRUE(Store(""));
  EXPECT_EQ(f.Fs.ReadFile(kPath), "\r\n");
  EXPECT_EQ(Restart(), "");
}

TEST_F(TableDescriptionTest, LoadingTakesTheFirstLineOrKeepsTheInitialText) {
  EXPECT_EQ(Restart(), "Popis tabulky - nabídka nebo objednávka a firma");
  f.Fs.AddFile(kPath, text::EncodeCodePage("první řádek\r\ndruhý\r\n", 1250));
  EXPECT_EQ(Restart(), "první řádek");
  f.Fs.AddFile(kPath, "unix\nline\n");
  EXPECT_EQ(Restart(), "unix");
  f.Fs.AddFile(kPath, "");
  EXPECT_EQ(Restart(), "");
  f.Fs.AddFile(kPath, text::EncodeCodePage("bez konce řádku", 1250));
  EXPECT_EQ(Restart(), "bez konce řádku");
}

TEST_F(TableDescriptionTest, FailedWriteKeepsTheStoredDescription) {
  ASSERT_TRUE(Store("Nabídka Novák"));
  const std::string before = f.Fs.ReadFile(kPath);
  f.Dialogs.Messages.clear();

  f.Fs.SetNotWritable(kPath);
  EXPECT_FALSE(Store("Objednávka Dvořák"));
  EXPECT_EQ(f.Dialogs.Errors, (std::vector<std::string>{"File access denied: " + f.PathOf("popis_tabulky.txt")}));
  EXPECT_TRUE(f.Dialogs.Messages.empty());  // no confirmation for a failed store
  EXPECT_EQ(f.Fs.ReadFile(kPath), before);
  EXPECT_EQ(Restart(), "Nabídka Novák");

  TScriptedDialogs dialogs;
  app::TMemoryFileSystem noFolder;
  app::TMainWindow window(noFolder, dialogs, {"/missing", text::TRegionalSettings::Czech(), 1250});
  window.Window.DescriptionEntry = "x";
  window.RunCommand([&] { window.Edit17KeyPress('\r'); });
  EXPECT_EQ(dialogs.Errors,
            (std::vector<std::string>{"I/O error 3: " + app::JoinPath("/missing", "popis_tabulky.txt")}));
  EXPECT_TRUE(dialogs.Messages.empty());
}

TEST(TableDescriptionDisk, StoresOverAnExistingFileOnDisk) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("nabidka-description-" + std::to_string(nabidkatest::ProcessId()));
  fs::create_directories(dir);
  { std::ofstream(dir / "popis_tabulky.txt", std::ios::binary) << "stary popis\r\n"; }
  app::TDiskFileSystem disk;
  TScriptedDialogs dialogs;
  app::TMainWindow window(disk, dialogs, {dir.string(), text::TRegionalSettings::Czech(), 1250});
  window.LoadDescription();
  EXPECT_EQ(window.Window.DescriptionEntry, "stary popis");
  window.Window.DescriptionEntry = "Nový popis – Kuchyně";
  window.Edit17KeyPress('\r');
  std::string bytes;
  {
    std::ifstream in(dir / "popis_tabulky.txt", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  EXPECT_EQ(bytes, text::EncodeCodePage("Nový popis – Kuchyně\r\n", 1250));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left

  // A folder that is not there is a missing path, on disk as in memory.
  app::TMainWindow elsewhere(disk, dialogs, {(dir / "missing").string(), text::TRegionalSettings::Czech(), 1250});
  elsewhere.RunCommand([&] { elsewhere.Edit17KeyPress('\r'); });
  EXPECT_EQ(dialogs.Errors, (std::vector<std::string>{"I/O error 3: " + (dir / "missing" / "popis_tabulky.txt").string()}));
  fs::remove_all(dir);
}

}  // namespace
