#pragma once

#include <ctime>
#include <map>
#include <string>

#include "sheet/TextMeasure.h"
#include "sheet/Workbook.h"
#include "xlsx/ExporterXLSX.h"
#include "xlsx/ZipReader.h"

namespace xlsxtest {

inline std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 2025 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 10;
  return t;
}

inline std::string SaveBytes(sheet::TExportWorkbook& workbook, bool threaded = true) {
  xlsx::TExporterXLSX exporter;
  exporter.SetClock(FixedClock).SetThreaded(threaded);
  xlsx::TMemoryStream out;
  exporter.SaveWorkbook(workbook, out);
  return out.Data();
}

inline std::map<std::string, std::string> SaveParts(sheet::TExportWorkbook& workbook) {
  return ReadZipMap(SaveBytes(workbook));
}

// Text metrics that do not depend on the machine's fonts (Arial 10: 7-pixel digits).
class TFixedMeasure {
 public:
  TFixedMeasure() : fScope(std::make_shared<sheet::TFallbackTextMeasure>()) {}

 private:
  sheet::TScopedTextMeasure fScope;
};

}  // namespace xlsxtest
