// The user's regional settings on POSIX systems: the C library's locale data.
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include "text/LocaleText.h"
#include "text/RegionalSettings.h"
#include "text/Utf8.h"

namespace text {

std::string LocaleTextToUtf8(std::string_view text, const std::string& codeset) {
  if (codeset.empty() || codeset == "UTF-8" || codeset == "ANSI_X3.4-1968") return SanitizeUtf8(text);
  iconv_t cd = iconv_open("UTF-8", codeset.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return SanitizeUtf8(text);
  std::string out(text.size() * 4 + 4, '\0');
  std::string in(text);
  char* inPtr = in.data();
  std::size_t inLeft = in.size();
  char* outPtr = out.data();
  std::size_t outLeft = out.size();
  const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return SanitizeUtf8(text);
  out.resize(out.size() - outLeft);
  return out;
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

}  // namespace text
