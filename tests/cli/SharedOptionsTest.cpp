#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "app/MemoryFileSystem.h"
#include "cli/CustomersCommand.h"
#include "cli/ExportCommand.h"
#include "cli/ShowCommand.h"
#include "text/CodePage.h"

namespace {

using TArgs = std::vector<std::string>;

// The common options as each command parses them.
struct TParsed {
  bool Ok;
  cli::TCommonOptions Common;
  std::string Error;
};

std::vector<std::function<TParsed(const TArgs&)>> AllCommands() {
  return {
      [](const TArgs& args) {
        cli::TShowOptions o;
        std::string e;
        const bool ok = cli::ParseShowOptions(args, o, e);
        return TParsed{ok, o.Common, e};
      },
      [](const TArgs& args) {
        cli::TExportOptions o;
        std::string e;
        const bool ok = cli::ParseExportOptions(args, o, e);
        return TParsed{ok, o.Load.Common, e};
      },
      [](const TArgs& args) {
        cli::TCustomersOptions o;
        std::string e;
        const bool ok = cli::ParseCustomersOptions(args, o, e);
        return TParsed{ok, o.Common, e};
      },
  };
}

TEST(SharedOptions, EveryCommandTakesThemAlike) {
  for (const auto& parse : AllCommands()) {
    const TParsed p = parse({"--folder", "F/", "--codepage", "1252", "--decimal-separator", ",",
                             "--thousands-separator", "\u00a0", "--short-date-format", "dd.mm.yyyy",
                             "--long-time-format", "hh:nn:ss"});
    ASSERT_TRUE(p.Ok) << p.Error;
    EXPECT_EQ(p.Common.CodePage, 1252);
    const text::TRegionalSettings region = p.Common.Region();
    EXPECT_EQ(region.fDecimalSeparator, ",");
    EXPECT_EQ(region.fThousandSeparator, "\u00a0");
    EXPECT_EQ(region.fShortDateFormat, "dd.MM.yyyy");
    EXPECT_EQ(region.fDateSeparator, ".");
    EXPECT_EQ(region.fLongTimeFormat, "HH:mm:ss");
    EXPECT_EQ(region.fTimeSeparator, ":");
    const app::TMainWindowSettings settings = p.Common.WindowSettings("default");
    EXPECT_EQ(settings.ArticleListFolder, "F");
    EXPECT_EQ(settings.AnsiCodePage, 1252);

    const TParsed defaults = parse({});
    ASSERT_TRUE(defaults.Ok);
    EXPECT_EQ(defaults.Common.CodePage, 1250);
    EXPECT_EQ(defaults.Common.Region(), cli::DefaultRegion());
    EXPECT_EQ(defaults.Common.WindowSettings("default").ArticleListFolder, "default");

    for (const TArgs& bad : {TArgs{"--codepage", "65001"}, TArgs{"--codepage", "x"}, TArgs{"--codepage"},
                             TArgs{"--decimal-separator", ""}, TArgs{"--thousands-separator", ".."},
                             TArgs{"--decimal-separator", ",", "--thousands-separator", ","},
                             TArgs{"--short-date-format", "dd.qq"}, TArgs{"--long-time-format", ""},
                             TArgs{"--folder", ""}, TArgs{"--bogus"}}) {
      const TParsed p = parse(bad);
      EXPECT_FALSE(p.Ok) << bad[0];
      EXPECT_FALSE(p.Error.empty());
    }
    EXPECT_TRUE(parse({"--help"}).Common.Help);
  }
}

TEST(SharedOptions, GroupingEqualToTheNewDecimalSeparatorIsDropped) {
  cli::TCommonOptions options;
  options.DecimalSeparator = ".";
  text::TRegionalSettings expected = cli::DefaultRegion();
  if (expected.fThousandSeparator == ".") {
    EXPECT_EQ(options.Region().fThousandSeparator, "");
  }
  options.DecimalSeparator = ",";
  options.ThousandSeparator = "";
  EXPECT_EQ(options.Region().fThousandSeparator, "");
}

TEST(SharedOptions, DateTimeNotationBecomesTheRecordsNotation) {
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("dd.mm.yyyy"), "dd.MM.yyyy");
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("d.M.yyyy"), "d.M.yyyy");  // already the record's
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("hh:nn:ss"), "HH:mm:ss");
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("HH:mm:ss"), "HH:mm:ss");  // m after an hour: minutes
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("h:nn am/pm"), "h:mm AMPM");
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("d. mmmm yyyy"), "d. MMMM yyyy");
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("yyyy-mm-dd 'den' d"), "yyyy-MM-dd 'den' d");
  EXPECT_EQ(cli::RegionalFormatFromDateTimeFormat("dd.mm.yyyy t"), std::nullopt);
}

TEST(SharedOptions, CodePageDecidesHowListsRead) {
  app::TMemoryFileSystem fs;
  // 0xE8 is "č" in 1250, "è" in 1252.
  fs.AddFile("/lists/K.csv", std::string("Poř\r\n1.;A;1.00;2,00;2,00;\r\n;kr\xE8ma\r\nCelkem;;;;\r\n"));
  for (const auto& [codePage, description] : {std::pair{"1250", "krčma"}, std::pair{"1252", "krèma"}}) {
    cli::TShowOptions options;
    std::string error;
    ASSERT_TRUE(cli::ParseShowOptions({"--list", "/lists/K.csv", "--decimal-separator", ",", "--codepage", codePage,
                                       "--json"},
                                      options, error));
    std::ostringstream out, err;
    EXPECT_EQ(cli::RunShow(options, fs, out, err), 0) << out.str();
    EXPECT_NE(out.str().find(std::string("\"description\": \"") + description + "\""), std::string::npos)
        << out.str();
  }
}

}  // namespace
