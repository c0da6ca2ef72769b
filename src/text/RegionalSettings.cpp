#include "text/RegionalSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <mutex>
#include <optional>

#include "text/CodePage.h"
#include "text/LocaleText.h"

namespace text {

TRegionalSettings TRegionalSettings::English() { return TRegionalSettings{}; }

TRegionalSettings TRegionalSettings::Czech() {
  TRegionalSettings region;
  region.fDecimalSeparator = ",";
  region.fThousandSeparator = "\u00A0";
  region.fDateSeparator = ".";
  region.fTimeSeparator = ":";
  region.fShortDateFormat = "d.M.yyyy";
  region.fLongDateFormat = "d. MMMM yyyy";
  region.fShortTimeFormat = "H:mm";
  region.fLongTimeFormat = "H:mm:ss";
  region.fTimeAMString = "dop.";
  region.fTimePMString = "odp.";
  return region;
}

// The locale is opened as an object of its own and queried with
// nl_langinfo_l, so the process locale (LC_NUMERIC above all, which the C
// library's number functions obey) never changes, not even for a moment.
TRegionalSettings TRegionalSettings::FromUserLocale() {
  locale_t locale = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (locale == static_cast<locale_t>(nullptr)) return English();
  }
  const std::string codeset = nl_langinfo_l(CODESET, locale);
  auto query = [&](nl_item item) { return LocaleTextToUtf8(nl_langinfo_l(item, locale), codeset); };
  TLocaleData data;
  data.fDecimalPoint = query(RADIXCHAR);
  data.fThousandsSeparator = query(THOUSEP);
  data.fDateFormat = query(D_FMT);
  data.fTimeFormat = query(T_FMT);
  data.fAm = query(AM_STR);
  data.fPm = query(PM_STR);
  freelocale(locale);
  return RegionalSettingsFromLocaleData(data);
}

namespace {

std::mutex gProcessMutex;
std::optional<TRegionalSettings> gProcessRegion;

}  // namespace

TRegionalSettings ProcessRegionalSettings() {
  const std::lock_guard lock(gProcessMutex);
  if (!gProcessRegion) gProcessRegion = TRegionalSettings::FromUserLocale();
  return *gProcessRegion;
}

void SetProcessRegionalSettings(const TRegionalSettings& region) {
  const std::lock_guard lock(gProcessMutex);
  gProcessRegion = region;
}

}  // namespace text
