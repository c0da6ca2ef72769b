#pragma once

namespace app {

// Where the printed offer's pages break. Heights are the rows' printed
// heights in pixels; a page holds its printable height. Blocks (an item with
// its property and filler rows and its picture, or the closing rows) are
// never split: a block that does not fit on the current page moves to the
// next one, whose first row is a copy of the table header.
class TOfferPages {
 public:
  // pageHeight: the printable height; headerHeight: the table header's row.
  TOfferPages(double pageHeight, double headerHeight) : fPageHeight(pageHeight), fHeaderHeight(headerHeight) {}

  // Rows that belong to no block (the customer block, the first table header).
  void AddRows(double height) { fUsed += height; }
  // Whether a block of this height must start a new page. A block taller than
  // a whole page cannot be kept together anywhere: it starts on a fresh page
  // (one without a block yet) and simply runs over.
  bool BreakBefore(double blockHeight) const {
    if (fUsed + blockHeight <= fPageHeight) return false;
    return fBlocksOnPage > 0 || blockHeight <= fPageHeight - fHeaderHeight;
  }
  // A page break: the new page starts with the header copy.
  void NewPage() {
    fUsed = fHeaderHeight;
    fBlocksOnPage = 0;
    ++fPageCount;
  }
  void AddBlock(double height) {
    fUsed += height;
    ++fBlocksOnPage;
  }
  int PageCount() const { return fPageCount; }
  double Used() const { return fUsed; }

 private:
  double fPageHeight;
  double fHeaderHeight;
  double fUsed = 0;
  int fBlocksOnPage = 0;
  int fPageCount = 1;
};

}  // namespace app
