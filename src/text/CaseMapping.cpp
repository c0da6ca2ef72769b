#include "text/CaseMapping.h"

#include <locale.h>
#include <wctype.h>

namespace text {

namespace {

// A locale object of our own, so the mapping never depends on (nor changes)
// the process locale. Without C.UTF-8 only ASCII letters change case.
locale_t CaseLocale() {
  static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return locale;
}

}  // namespace

char32_t SystemLowerCase(char32_t cp) {
  const locale_t locale = CaseLocale();
  return locale ? static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), locale)) : cp;
}

char32_t SystemUpperCase(char32_t cp) {
  const locale_t locale = CaseLocale();
  return locale ? static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), locale)) : cp;
}

}  // namespace text
