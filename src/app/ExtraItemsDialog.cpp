#include "app/ExtraItemsDialog.h"

#include "text/Conversion.h"

namespace app {

TForm1::TForm1() = default;

void TForm1::FormShow() {
  ExtraItemCountEntry = kInitialCount;
  Focus = TExtraItemsFocus::efCountEntry;
}

void TForm1::Edit1KeyPress(char key) {
  if (key != '\r') return;
  const int n = text::StrToInt(ExtraItemCountEntry);
  // A count pasted past the field's limit or its digit filter is refused
  // like any other number the field cannot hold.
  if (n < 0 || ExtraItemCountEntry.size() > kCountEntryMaxLength) {
    throw text::InvalidIntegerError(ExtraItemCountEntry);
  }
  ExtraItemsTable.SetRowCount(static_cast<std::size_t>(n) + 1);
  for (int r = 1; r <= n; ++r) ExtraItemsTable.SetCell(0, r, std::to_string(r));
  for (int c = 0; c < kColumnCount; ++c) ExtraItemsTable.SetCell(c, 0, kHeaders[c]);
  Focus = TExtraItemsFocus::efTable;
}

void TForm1::Button1Click() {
  fConfirmed = true;
  fClosed = true;
}

void TForm1::Cancel() {
  fConfirmed = false;
  fClosed = true;
}

}  // namespace app
