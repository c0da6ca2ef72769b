// Display texts of cells and number formats applied to cells: the bridge
// between the cell kinds and the cell-text and number-format functions.
#include <cmath>

#include "sheet/CellKinds.h"
#include "sheet/CellText.h"
#include "sheet/NumberFormat.h"
#include "text/RegionalSettings.h"

namespace sheet {

namespace {

TNumberFormatRec RecordOf(const TExportCellNumber& aCell) {
  TNumberFormatRec rec;
  rec.DecimalPlaces = aCell.DecimalPlaces();
  rec.IntegerDigits = aCell.IntegerDigits();
  rec.ThousandSep = aCell.ThousandSep();
  rec.NegativeRed = aCell.NegativeRed();
  if (const auto* sci = dynamic_cast<const TExportCellScientific*>(&aCell)) rec.ExponentDigits = sci->ExponentDigits();
  if (const auto* fr = dynamic_cast<const TExportCellFraction*>(&aCell)) rec.FractionDigits = fr->FractionDigits();
  if (const auto* cur = dynamic_cast<const TExportCellCurrency*>(&aCell)) {
    rec.CurrencyStr = cur->CurrencyStr();
    rec.CurrencyPos = cur->CurrencyPos();
  }
  return rec;
}

void ApplyRecord(TExportCell& aCell, const TNumberFormatRec& aRec) {
  auto* number = dynamic_cast<TExportCellNumber*>(&aCell);
  if (!number) return;
  number->SetDecimalPlaces(aRec.DecimalPlaces);
  number->SetIntegerDigits(aRec.IntegerDigits);
  number->SetThousandSep(aRec.ThousandSep);
  number->SetNegativeRed(aRec.NegativeRed);
  if (auto* sci = dynamic_cast<TExportCellScientific*>(number)) sci->SetExponentDigits(aRec.ExponentDigits);
  if (auto* fr = dynamic_cast<TExportCellFraction*>(number)) fr->SetFractionDigits(aRec.FractionDigits);
  if (auto* cur = dynamic_cast<TExportCellCurrency*>(number)) {
    cur->SetCurrencyStr(aRec.CurrencyStr);
    cur->SetCurrencyPos(aRec.CurrencyPos);
  }
}

TExportCellClass ClassOfKind(TNumberFormatKind aKind) {
  switch (aKind) {
    case TNumberFormatKind::nfkString: return CellClass<TExportCellString>();
    case TNumberFormatKind::nfkNumber: return CellClass<TExportCellNumber>();
    case TNumberFormatKind::nfkPercent: return CellClass<TExportCellPercent>();
    case TNumberFormatKind::nfkCurrency: return CellClass<TExportCellCurrency>();
    case TNumberFormatKind::nfkScientific: return CellClass<TExportCellScientific>();
    case TNumberFormatKind::nfkFraction: return CellClass<TExportCellFraction>();
    case TNumberFormatKind::nfkDateTime: return CellClass<TExportCellDateTime>();
    default: return nullptr;
  }
}

}  // namespace

std::string TExportCell::FormattedText(const text::TRegionalSettings* aSettings) const {
  if (const auto* s = dynamic_cast<const TExportCellString*>(this)) return s->Text();
  const auto* numeric = dynamic_cast<const TExportCellCustomNumber*>(this);
  if (!numeric) return {};
  const double value = numeric->Value();
  if (std::isnan(value) || (value == 0 && (!fValueAssigned || numeric->EmptyIfZero()))) return {};
  const text::TRegionalSettings region = aSettings ? *aSettings : text::ProcessRegionalSettings();
  if (const auto* b = dynamic_cast<const TExportCellBoolean*>(this)) return FormatBooleanValue(b->AsBoolean());
  if (dynamic_cast<const TExportCellDateTime*>(this)) return FormatDateTimeValue(value, ExcelNumberFormat(), region);
  const auto* number = dynamic_cast<const TExportCellNumber*>(this);
  if (!number) return {};
  const TNumberFormatRec rec = RecordOf(*number);
  if (IsKind<TExportCellPercent>()) return FormatPercentValue(value, rec, region);
  if (IsKind<TExportCellCurrency>()) return FormatCurrencyValue(value, rec, region);
  if (IsKind<TExportCellScientific>()) return FormatScientificValue(value, rec, region);
  if (IsKind<TExportCellFraction>()) return FormatFractionValue(value, rec);
  return FormatNumberValue(value, rec, region);
}

void TExportCell::SetFormattedText(const std::string& aText) {
  if (dynamic_cast<TExportCellString*>(this) || dynamic_cast<TExportCellEmpty*>(this) ||
      dynamic_cast<TExportCellBoolean*>(this)) {
    SetSqlText(aText);
    return;
  }
  auto* numeric = dynamic_cast<TExportCellCustomNumber*>(this);
  if (!numeric) return;
  const text::TRegionalSettings region = text::ProcessRegionalSettings();
  double value = 0;
  bool ok = false;
  if (dynamic_cast<TExportCellDateTime*>(this))
    ok = TryParseDateTimeText(aText, value, region);
  else if (IsKind<TExportCellPercent>())
    ok = TryParsePercentText(aText, value, region);
  else
    ok = TryParseNumberText(aText, value, region);
  if (ok) {
    numeric->SetValue(value);
  } else {
    numeric->SetValue(0);
    fValueAssigned = false;
  }
}

TExportCell& TExportCell::SetExcelNumberFormat(const std::string& aFormat, bool aParse) {
  StoreExcelNumberFormat(aFormat);
  if (aParse) {
    TNumberFormatRec rec;
    AnalyzeNumberFormat(aFormat, rec);
    ApplyRecord(*this, rec);
  }
  return *this;
}

TExportCell& TExportCell::SetExcelNumberFormatAndTransform(const std::string& aFormat) {
  const TExportCellClass target = ClassOfKind(AnalyzeNumberFormat(aFormat));
  if (!target || target == Class() || !Row()) return SetExcelNumberFormat(aFormat, true);
  const bool wasNumeric = dynamic_cast<TExportCellCustomNumber*>(this) != nullptr;
  const bool hadValue = fValueAssigned;
  const std::string text = SqlText();
  TExportCell& cell = Transform(target);  // frees this cell
  const bool isNumeric = dynamic_cast<TExportCellCustomNumber*>(&cell) != nullptr;
  if (hadValue && !(wasNumeric && isNumeric)) cell.SetSqlText(text);
  return cell.SetExcelNumberFormat(aFormat, true);
}

}  // namespace sheet
