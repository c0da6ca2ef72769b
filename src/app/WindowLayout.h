#pragma once

#include <span>
#include <string_view>

// The windows' controls as data: kind, place, caption, hint and tab order of
// every control of the main window and of the additional-items dialog, read
// by each binding (the Qt window, the Windows one) to build its widgets.
// Positions and sizes are pixels at 96 DPI inside the client area.
namespace app {

enum class TControlKind {
  ckLabel,       // static text; a width of 0 sizes it to its caption
  ckField,       // sunken static text
  ckEntry,       // one-line edit field
  ckCheck,       // check box
  ckPicture,     // picture stretched to its box
  ckList,        // single-selection list
  ckButton,      // command button
  ckMemo,        // multi-line text with a vertical scroll bar
  ckRadioGroup,  // framed group of radio buttons (its caption the frame's)
  ckRadio,       // radio button, placed inside its group
  ckCombo,       // combo box with an editable text
  ckGrid,        // editable grid (the dialog's table)
};

struct TControlLayout {
  std::string_view Name;
  TControlKind Kind;
  int Left, Top, Width, Height;
  std::string_view Caption;  // initial text
  std::string_view Hint = {};  // tool tip
  bool RightAligned = false;
  bool Checked = false;          // check boxes and radio buttons
  std::string_view Parent = {};  // the radio group of a radio button
  int FontPoints = 0;            // 0: the window's font

  // Controls the Tab key stops at, in the order they are listed.
  bool TakesFocus() const {
    return Kind == TControlKind::ckEntry || Kind == TControlKind::ckCheck || Kind == TControlKind::ckList ||
           Kind == TControlKind::ckButton || Kind == TControlKind::ckMemo || Kind == TControlKind::ckRadio ||
           Kind == TControlKind::ckCombo || Kind == TControlKind::ckGrid;
  }
};

struct TWindowLayout {
  std::string_view Name;
  std::string_view Caption;
  int ClientWidth, ClientHeight;
  std::string_view FontName;
  int FontPoints;
  // Listed in creation order, which is the tab order too.
  std::span<const TControlLayout> Controls;

  // The control of that name; throws std::out_of_range when there is none.
  const TControlLayout& Control(std::string_view name) const;
};

// "Zpracování cenové nabídky": 624 × 676, Tahoma 8.
const TWindowLayout& MainWindowLayout();
// "Zadání dalších prvků do kalkulace": 871 × 250, Tahoma 8, its controls Tahoma 11.
const TWindowLayout& ExtraItemsDialogLayout();

// The dialog's table: column widths and row height.
inline constexpr int kExtraItemsColumnWidths[5] = {30, 161, 392, 50, 98};
inline constexpr int kExtraItemsRowHeight = 24;
// The picture box's side: pictures are decoded at the scale that covers it.
inline constexpr int kPictureBoxSide = 250;

}  // namespace app
