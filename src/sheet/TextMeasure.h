#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>

// Text measurement for column widths and row heights, in pixels at 96 DPI.
// The process-wide default measures with the fonts of the machine (on Linux
// the metric-compatible Liberation faces stand in for Arial, Times New Roman
// and Courier New). Tests inject their own measure.
namespace sheet {

struct TMeasuredFont {
  std::string fName = "Arial";
  double fSize = 10;  // points
  bool fBold = false;
  bool fItalic = false;
  bool fUnderline = false;
  bool fStrikeOut = false;

  auto Key() const { return std::tie(fName, fSize, fBold, fItalic); }
  bool operator<(const TMeasuredFont& other) const { return Key() < other.Key(); }
};

class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;

  // Width of the text on one line (the widest line when it holds line breaks).
  virtual double TextWidth(const TMeasuredFont& font, std::string_view text) = 0;
  // Height of one line of text in the font (ascent + descent).
  virtual double LineHeight(const TMeasuredFont& font) = 0;

  // Height of the text laid out in a box `width` pixels wide: explicit line
  // breaks start new lines, words wrap at blanks, a word wider than the box
  // stays whole on its own line.
  virtual double WrappedTextHeight(const TMeasuredFont& font, std::string_view text, double width);
  // Height of the single line "Hg".
  double TextHeight(const TMeasuredFont& font, std::string_view text = "Hg");
  // Width of "0123456789" divided by 10; cached per font behind a lock.
  double AverageDigitWidth(const TMeasuredFont& font);

 private:
  std::mutex fDigitLock;
  std::map<TMeasuredFont, double> fDigitWidths;
};

// Deterministic metrics from the font size alone, for machines without fonts:
// every character advances 0.5561 em rounded to whole pixels (Arial's digit
// width, so Arial 10 gives 7 pixels) and a line is 1.15 em, rounded up.
class TFallbackTextMeasure : public TTextMeasure {
 public:
  double TextWidth(const TMeasuredFont& font, std::string_view text) override;
  double LineHeight(const TMeasuredFont& font) override;
};

// The system's own font engine at 96 DPI, glyph advances in whole pixels:
// FreeType with hinting, fonts found through fontconfig, on POSIX systems
// (SystemTextMeasure.cpp); GDI on a memory device context on Windows
// (SystemTextMeasureWin32.cpp), the measuring the column-width and
// row-height rules were made for. Where no font loads, the fallback metrics
// apply.
class TSystemTextMeasure : public TTextMeasure {
 public:
  TSystemTextMeasure();
  ~TSystemTextMeasure() override;
  double TextWidth(const TMeasuredFont& font, std::string_view text) override;
  double LineHeight(const TMeasuredFont& font) override;
  // What the system chose for the font: the font file on POSIX systems, the
  // face name on Windows; "" when no font loaded.
  std::string ChosenFont(const TMeasuredFont& font);

 private:
  struct TImpl;
  std::unique_ptr<TImpl> fImpl;
  TFallbackTextMeasure fFallback;
};

// The process-wide measure (a TSystemTextMeasure until replaced).
TTextMeasure& DefaultTextMeasure();
// Replaces the process-wide measure; an empty pointer restores the built-in
// one. Returns the previous one.
std::shared_ptr<TTextMeasure> SetDefaultTextMeasure(std::shared_ptr<TTextMeasure> measure);

// Puts a measure in place for the lifetime of the object (tests).
class TScopedTextMeasure {
 public:
  explicit TScopedTextMeasure(std::shared_ptr<TTextMeasure> measure)
      : fPrevious(SetDefaultTextMeasure(std::move(measure))) {}
  ~TScopedTextMeasure() { SetDefaultTextMeasure(fPrevious); }
  TScopedTextMeasure(const TScopedTextMeasure&) = delete;
  TScopedTextMeasure& operator=(const TScopedTextMeasure&) = delete;

 private:
  std::shared_ptr<TTextMeasure> fPrevious;
};

// Height of a wrapped string cell as the spreadsheet writers compute it:
// the text is wrapped in round(width) - 8 pixels, divided by the height of
// "Hg" and rounded to whole lines; more than one line gives
// round(lines × fontLineHeight), otherwise fontLineHeight.
double MultiLineRowHeight(TTextMeasure& measure, const TMeasuredFont& font, std::string_view text, double width,
                          double fontLineHeight);

}  // namespace sheet
