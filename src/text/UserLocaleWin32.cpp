// The user's regional settings on Windows: GetLocaleInfoEx of the user's
// locale, with the changes the user made in the control panel.
#include <windows.h>

#include <string>

#include "text/LocaleText.h"
#include "text/RegionalSettings.h"
#include "text/Utf16.h"

namespace text {

namespace {

// The locale item as UTF-8; empty when the system does not know it.
std::string LocaleItem(LCTYPE item) {
  wchar_t buffer[128] = {};
  const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, buffer, static_cast<int>(std::size(buffer)));
  if (n <= 1) return "";
  return ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<std::size_t>(n - 1)));
}

void SetIfGiven(std::string& field, const std::string& value) {
  if (!value.empty()) field = value;
}

}  // namespace

TRegionalSettings TRegionalSettings::FromUserLocale() {
  TRegionalSettings region;
  SetIfGiven(region.fDecimalSeparator, LocaleItem(LOCALE_SDECIMAL));
  region.fThousandSeparator = LocaleItem(LOCALE_STHOUSAND);
  if (region.fThousandSeparator == region.fDecimalSeparator) region.fThousandSeparator.clear();
  SetIfGiven(region.fDateSeparator, LocaleItem(LOCALE_SDATE));
  SetIfGiven(region.fTimeSeparator, LocaleItem(LOCALE_STIME));
  SetIfGiven(region.fShortDateFormat, WindowsLocaleFormatToRuntimeFormat(LocaleItem(LOCALE_SSHORTDATE)));
  SetIfGiven(region.fLongDateFormat, WindowsLocaleFormatToRuntimeFormat(LocaleItem(LOCALE_SLONGDATE)));
  SetIfGiven(region.fShortTimeFormat, WindowsLocaleFormatToRuntimeFormat(LocaleItem(LOCALE_SSHORTTIME)));
  SetIfGiven(region.fLongTimeFormat, WindowsLocaleFormatToRuntimeFormat(LocaleItem(LOCALE_STIMEFORMAT)));
  // A 24-hour region may have no designators at all; the record keeps its own then.
  SetIfGiven(region.fTimeAMString, LocaleItem(LOCALE_S1159));
  SetIfGiven(region.fTimePMString, LocaleItem(LOCALE_S2359));
  return region;
}

}  // namespace text
