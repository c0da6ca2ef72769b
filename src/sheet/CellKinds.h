#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sheet/Cell.h"
#include "sheet/Font.h"

// The cell kinds. Each has a static ClassInfo (its "cell class") used by
// FindCreateCell, AddCellCustom and Transform.
namespace sheet {

#define SHEET_CELL_KIND(Kind)                                         \
 public:                                                              \
  static const TExportCellClassInfo ClassInfo;                        \
  TExportCellClass Class() const override { return &ClassInfo; }      \
  Kind() = default;

// Gap filler and span placeholder; writing a non-empty text turns it into a string cell.
class TExportCellEmpty : public TExportCell {
  SHEET_CELL_KIND(TExportCellEmpty)
  TExportCellType CellType() const override { return ectEmpty; }
  std::string SqlText() const override { return {}; }
  void SetSqlText(const std::string& aText) override;
  bool IsEmptyForTrim() const override { return true; }
};

class TExportCellString : public TExportCell {
  SHEET_CELL_KIND(TExportCellString)
  TExportCellType CellType() const override { return ectString; }
  const std::string& Text() const { return fText; }
  // Stores the text; CR LF switches wrapping on; 256+ characters force shared
  // strings; rich-text runs are discarded.
  TExportCellString& SetText(const std::string& aText);
  bool UseSharedStrings() const { return fUseSharedStrings; }
  // Always true for texts longer than 255 characters.
  TExportCellString& SetUseSharedStrings(bool aUse);
  const std::vector<TRichTextRun>& RichTextTags() const;
  // Runs whose texts together are the cell's text (readers); keeps fText in step.
  TExportCellString& SetRichText(std::vector<TRichTextRun> aRuns);
  const std::string& HyperLink() const { return fHasExtras ? ExtrasIfAny()->fHyperLink : EmptyText(); }
  const std::string& HyperLinkHint() const { return fHasExtras ? ExtrasIfAny()->fHyperLinkHint : EmptyText(); }
  TExportCellString& SetHyperLink(const std::string& aLink, const std::string& aHint = {});
  std::string SqlText() const override { return fText; }
  void SetSqlText(const std::string& aText) override { SetText(aText); }
  bool IsEmptyForTrim() const override;
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;

 private:
  std::string fText;
};

// Base of the kinds holding a Double value.
class TExportCellCustomNumber : public TExportCell {
 public:
  double Value() const { return fValue; }
  // Also sets ValueAssigned.
  TExportCellCustomNumber& SetValue(double aValue);
  bool EmptyIfZero() const { return fEmptyIfZero; }
  TExportCellCustomNumber& SetEmptyIfZero(bool v) { fEmptyIfZero = v; return *this; }
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;

 protected:
  TExportCellCustomNumber() = default;
  void AssignValueFrom(const TExportCell& aFrom) override;
  double fValue = 0;
};

class TExportCellNumber : public TExportCellCustomNumber {
  SHEET_CELL_KIND(TExportCellNumber)
  TExportCellType CellType() const override { return ectNumber; }
  TDecimalPlaces DecimalPlaces() const { return fDecimalPlaces; }
  // -1 (general) also sets IntegerDigits 1.
  TExportCellNumber& SetDecimalPlaces(TDecimalPlaces aDecimalPlaces);
  TIntegerDigits IntegerDigits() const { return fIntegerDigits; }
  // Above 1 while DecimalPlaces is -1 sets DecimalPlaces 0.
  TExportCellNumber& SetIntegerDigits(TIntegerDigits aIntegerDigits);
  bool ThousandSep() const { return fThousandSep; }
  TExportCellNumber& SetThousandSep(bool v) { fThousandSep = v; return *this; }
  bool NegativeRed() const { return fNegativeRed; }
  TExportCellNumber& SetNegativeRed(bool v) { fNegativeRed = v; return *this; }
  TExportCellNumber& SetValue(double aValue) { TExportCellCustomNumber::SetValue(aValue); return *this; }
  // General notation, at most 15 significant digits, "." separator; parses "." or ",".
  std::string SqlText() const override;
  void SetSqlText(const std::string& aText) override;
  // The explicit format, or "0.00;\-0.00"-style code built from the fields.
  std::string ExcelNumberFormatForWriter() const override;
  void SetKindDefaultAlignment() override;
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;
  // Digits part of the built format code ("#,##0.00").
  std::string BuiltDigitsFormat() const;
};

class TExportCellPercent : public TExportCellNumber {
  SHEET_CELL_KIND(TExportCellPercent)
  TExportCellType CellType() const override { return ectPercent; }
  std::string ExcelNumberFormatForWriter() const override;
};

class TExportCellCurrency : public TExportCellNumber {
  SHEET_CELL_KIND(TExportCellCurrency)
  TExportCellType CellType() const override { return ectCurrency; }
  const std::string& CurrencyStr() const { return fCurrencyStr; }
  TExportCellCurrency& SetCurrencyStr(const std::string& v) { fCurrencyStr = v; return *this; }
  TExportCellCurrencyPosition CurrencyPos() const { return fCurrencyPos; }
  TExportCellCurrency& SetCurrencyPos(TExportCellCurrencyPosition v) { fCurrencyPos = v; return *this; }

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;

 private:
  std::string fCurrencyStr;
  TExportCellCurrencyPosition fCurrencyPos = ecpBefore;
};

class TExportCellScientific : public TExportCellNumber {
  SHEET_CELL_KIND(TExportCellScientific)
  int ExponentDigits() const { return fExponentDigits; }
  // Clamped to 1 ... 3.
  TExportCellScientific& SetExponentDigits(int v);

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;

 private:
  int fExponentDigits = 2;
};

class TExportCellFraction : public TExportCellNumber {
  SHEET_CELL_KIND(TExportCellFraction)
  int FractionDigits() const { return fFractionDigits; }
  // Clamped to 1 ... 4.
  TExportCellFraction& SetFractionDigits(int v);

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;

 private:
  int fFractionDigits = 1;
};

// Date serial (days since 30 December 1899 plus the day fraction); the format
// is the cell's ExcelNumberFormat and decides date, time or both.
class TExportCellDateTime : public TExportCellCustomNumber {
  SHEET_CELL_KIND(TExportCellDateTime)
  TExportCellType CellType() const override;
  TExportCellDateTime& SetValue(double aValue) { TExportCellCustomNumber::SetValue(aValue); return *this; }
  // "yyyy-mm-dd", "hh:nn:ss" or both, by CellType.
  std::string SqlText() const override;
  void SetSqlText(const std::string& aText) override;
  void SetKindDefaultAlignment() override;
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;
};

class TExportCellDate : public TExportCellDateTime {
  SHEET_CELL_KIND(TExportCellDate)
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;
};

class TExportCellDateTimeWS : public TExportCellDateTime {
  SHEET_CELL_KIND(TExportCellDateTimeWS)
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;
};

class TExportCellTime : public TExportCellDateTime {
  SHEET_CELL_KIND(TExportCellTime)
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;
};

class TExportCellTimeWS : public TExportCellTime {
  SHEET_CELL_KIND(TExportCellTimeWS)
  void AssignNewCellProperties(TExportWorkSheet& aSheet) override;
};

class TExportCellBoolean : public TExportCellCustomNumber {
  SHEET_CELL_KIND(TExportCellBoolean)
  TExportCellType CellType() const override { return ectBoolean; }
  bool AsBoolean() const { return fValue != 0; }
  TExportCellBoolean& SetAsBoolean(bool v) { SetValue(v ? 1 : 0); return *this; }
  TExportCellBooleanValueType ValueType() const { return fValueType; }
  TExportCellBoolean& SetValueType(TExportCellBooleanValueType v) { fValueType = v; return *this; }
  // "True" / "False"; writing accepts true/false/1/0 in any case.
  std::string SqlText() const override;
  void SetSqlText(const std::string& aText) override;

 protected:
  void AssignValueFrom(const TExportCell& aFrom) override;

 private:
  TExportCellBooleanValueType fValueType = btBoolean;
};

#undef SHEET_CELL_KIND

}  // namespace sheet
