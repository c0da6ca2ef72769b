#include "text/RegionalSettings.h"

#include <mutex>
#include <optional>


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
