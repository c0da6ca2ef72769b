#include "win32/ExtraItemsForm.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "app/MainWindow.h"
#include "app/WindowLayout.h"

namespace win32 {

namespace {

constexpr wchar_t kDialogClass[] = L"NabidkaExtraItemsDialog";
constexpr wchar_t kGridClass[] = L"NabidkaGrid";
constexpr int kCountEntryId = 101;
constexpr int kConfirmId = 102;
constexpr int kColumns = app::TForm1::kColumnCount;

int ColumnLeft(int column, UINT dpi) {
  int left = 0;
  for (int c = 0; c < column; ++c) left += app::kExtraItemsColumnWidths[c];
  return Scaled(left, dpi);
}

}  // namespace

// The table: a grid painted here, with one fixed row (the headers) and one
// fixed column (the row numbers), lines between all cells, and an edit field
// over the current cell in which the cell is typed. Tab and Enter go to the
// next cell, Shift+Tab to the one before, the arrows up and down a row.
struct TExtraItemsForm::TImpl {
  TImpl(app::TForm1& model, app::TDialogs& dialogs, HWND owner) : fModel(model), fDialogs(dialogs), fOwner(owner) {}
  ~TImpl();

  app::TForm1& fModel;
  app::TDialogs& fDialogs;
  HWND fOwner;
  HWND fWindow = nullptr;
  HWND fLabel = nullptr;
  HWND fCountEntry = nullptr;
  HWND fGrid = nullptr;
  HWND fEditor = nullptr;
  HWND fConfirm = nullptr;
  HFONT fFont = nullptr;       // the dialog's, Tahoma 8
  HFONT fLargeFont = nullptr;  // its controls', Tahoma 11
  UINT fDpi = 96;
  int fColumn = 1;
  int fRow = 1;
  int fTopRow = 1;  // the first item row shown below the fixed row
  bool fMoving = false;

  void Create();
  HWND CreateChild(const app::TControlLayout& layout, const wchar_t* className, DWORD style, DWORD exStyle, int id,
                   HWND parent);
  static LRESULT CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                  DWORD_PTR data);
  LRESULT Dialog(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Grid(UINT message, WPARAM wParam, LPARAM lParam);

  int Rows() const { return static_cast<int>(fModel.ExtraItemsTable.RowCount()); }
  int RowHeight() const { return Scaled(app::kExtraItemsRowHeight, fDpi); }
  int VisibleItemRows() const;
  void CountEntered();
  void Confirm();
  void Close(bool confirmed);
  void TakeEditor();
  void MoveTo(int column, int row);
  bool Step(int direction);
  void PlaceEditor();
  void UpdateScrollBar();
  void Paint(HDC context, const RECT& area) const;
};

TExtraItemsForm::TImpl::~TImpl() {
  if (fWindow) DestroyWindow(fWindow);
  if (fFont) DeleteObject(fFont);
  if (fLargeFont) DeleteObject(fLargeFont);
}

void TExtraItemsForm::TImpl::Create() {
  static const bool registered = [] {
    WNDCLASSEXW dialogClass{};
    dialogClass.cbSize = sizeof dialogClass;
    dialogClass.lpfnWndProc = DialogProc;
    dialogClass.hInstance = static_cast<HINSTANCE>(ModuleHandle());
    dialogClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    dialogClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    dialogClass.lpszClassName = kDialogClass;
    WNDCLASSEXW gridClass = dialogClass;
    gridClass.lpfnWndProc = GridProc;
    gridClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    gridClass.lpszClassName = kGridClass;
    return RegisterClassExW(&dialogClass) != 0 && RegisterClassExW(&gridClass) != 0;
  }();
  (void)registered;
  const app::TWindowLayout& layout = app::ExtraItemsDialogLayout();
  fDpi = GetDpiForSystem();
  // No title-bar buttons: the dialog ends with "Doplnit" (or Escape).
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  fWindow = CreateCentredWindow(kDialogClass, layout, style, exStyle, fDpi, fOwner, this);
  fFont = CreateTahoma(layout.FontPoints, fDpi);
  fLargeFont = CreateTahoma(layout.Control("ExtraItemsTable").FontPoints, fDpi);
  fLabel = CreateChild(layout.Control("CountLabel"), WC_STATICW, SS_LEFT | SS_NOPREFIX, 0, 0, fWindow);
  fCountEntry = CreateChild(layout.Control("ExtraItemCountEntry"), WC_EDITW,
                            WS_TABSTOP | ES_NUMBER | ES_RIGHT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kCountEntryId,
                            fWindow);
  SendMessageW(fCountEntry, EM_LIMITTEXT, app::TForm1::kCountEntryMaxLength, 0);
  SetWindowTextW(fCountEntry, Wide(fModel.ExtraItemCountEntry).c_str());
  fGrid = CreateChild(layout.Control("ExtraItemsTable"), kGridClass, WS_TABSTOP | WS_VSCROLL, WS_EX_CLIENTEDGE, 0,
                      fWindow);
  fEditor = CreateWindowExW(0, WC_EDITW, L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, fGrid, nullptr,
                            static_cast<HINSTANCE>(ModuleHandle()), nullptr);
  SendMessageW(fEditor, WM_SETFONT, reinterpret_cast<WPARAM>(fLargeFont), FALSE);
  fConfirm = CreateChild(layout.Control("ConfirmButton"), WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0, kConfirmId,
                         fWindow);
  for (HWND keyed : {fCountEntry, fEditor}) SetWindowSubclass(keyed, KeyProc, 1, reinterpret_cast<DWORD_PTR>(this));
  UpdateScrollBar();
}

HWND TExtraItemsForm::TImpl::CreateChild(const app::TControlLayout& layout, const wchar_t* className, DWORD style,
                                         DWORD exStyle, int id, HWND parent) {
  HWND child = CreateWindowExW(exStyle, className, Wide(layout.Caption).c_str(), WS_CHILD | WS_VISIBLE | style,
                               Scaled(layout.Left, fDpi), Scaled(layout.Top, fDpi), Scaled(layout.Width, fDpi),
                               Scaled(layout.Height, fDpi), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               static_cast<HINSTANCE>(ModuleHandle()), this);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(layout.FontPoints > 0 ? fLargeFont : fFont), FALSE);
  return child;
}

LRESULT CALLBACK TExtraItemsForm::TImpl::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* impl = reinterpret_cast<TImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!impl || !impl->fWindow) return DefWindowProcW(window, message, wParam, lParam);
  return impl->Dialog(message, wParam, lParam);
}

LRESULT TExtraItemsForm::TImpl::Dialog(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kConfirmId && HIWORD(wParam) == BN_CLICKED) {
        Confirm();
      } else if (LOWORD(wParam) == IDCANCEL) {
        Close(false);  // Escape
      } else if (LOWORD(wParam) == kCountEntryId && HIWORD(wParam) == EN_CHANGE) {
        fModel.ExtraItemCountEntry = WindowText(fCountEntry);
      } else if (reinterpret_cast<HWND>(lParam) == fEditor && HIWORD(wParam) == EN_CHANGE && !fMoving) {
        TakeEditor();
      }
      return 0;
    case WM_CLOSE:
      Close(false);
      return 0;
    default: break;
  }
  return DefWindowProcW(fWindow, message, wParam, lParam);
}

LRESULT CALLBACK TExtraItemsForm::TImpl::GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* impl = reinterpret_cast<TImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!impl || !impl->fGrid) return DefWindowProcW(window, message, wParam, lParam);
  return impl->Grid(message, wParam, lParam);
}

LRESULT TExtraItemsForm::TImpl::Grid(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC context = BeginPaint(fGrid, &paint);
      Paint(context, paint.rcPaint);
      EndPaint(fGrid, &paint);
      return 0;
    }
    case WM_COMMAND:  // the editor's notifications go to the dialog
      return SendMessageW(fWindow, WM_COMMAND, wParam, lParam);
    case WM_SETFOCUS:
      if (Rows() > 1) {
        PlaceEditor();
        SetFocus(fEditor);
      }
      return 0;
    case WM_LBUTTONDOWN: {
      const int x = static_cast<short>(LOWORD(lParam));
      const int y = static_cast<short>(HIWORD(lParam));
      const int row = y < RowHeight() ? 0 : fTopRow + (y - RowHeight()) / RowHeight();
      int column = 0;
      while (column + 1 < kColumns && x >= ColumnLeft(column + 1, fDpi)) ++column;
      if (row >= 1 && row < Rows() && column >= 1) {
        MoveTo(column, row);
        SetFocus(fEditor);
      }
      return 0;
    }
    case WM_VSCROLL: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      GetScrollInfo(fGrid, SB_VERT, &info);
      int top = fTopRow;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleItemRows(); break;
        case SB_PAGEDOWN: top += VisibleItemRows(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = info.nTrackPos + 1; break;
        default: break;
      }
      fTopRow = std::clamp(top, 1, std::max(1, Rows() - VisibleItemRows()));
      UpdateScrollBar();
      PlaceEditor();
      InvalidateRect(fGrid, nullptr, TRUE);
      return 0;
    }
    case WM_MOUSEWHEEL:
      SendMessageW(fGrid, WM_VSCROLL, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
      return 0;
    default: break;
  }
  return DefWindowProcW(fGrid, message, wParam, lParam);
}

// Enter in the count entry; Tab, Enter and the arrows in the cell editor.
LRESULT CALLBACK TExtraItemsForm::TImpl::KeyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
  auto* impl = reinterpret_cast<TImpl*>(data);
  const bool editor = window == impl->fEditor;
  if (message == WM_GETDLGCODE && lParam != 0) {
    const WPARAM key = reinterpret_cast<const MSG*>(lParam)->wParam;
    if (key == VK_RETURN || (editor && (key == VK_TAB || key == VK_UP || key == VK_DOWN))) {
      return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wParam, lParam);
    }
  }
  if (message == WM_CHAR && (wParam == L'\r' || (editor && wParam == L'\t'))) return 0;
  if (message == WM_KEYDOWN) {
    if (!editor && wParam == VK_RETURN) {
      impl->CountEntered();
      return 0;
    }
    if (editor && (wParam == VK_RETURN || wParam == VK_TAB)) {
      const bool back = wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0;
      // Past the table's last or first cell the focus goes on to the dialog's next control.
      if (!impl->Step(back ? -1 : 1)) SetFocus(back ? impl->fCountEntry : impl->fConfirm);
      return 0;
    }
    if (editor && (wParam == VK_UP || wParam == VK_DOWN)) {
      impl->MoveTo(impl->fColumn, std::clamp(impl->fRow + (wParam == VK_UP ? -1 : 1), 1, impl->Rows() - 1));
      return 0;
    }
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

int TExtraItemsForm::TImpl::VisibleItemRows() const {
  RECT client{};
  GetClientRect(fGrid, &client);
  return std::max(1, static_cast<int>((client.bottom - RowHeight()) / RowHeight()));
}

void TExtraItemsForm::TImpl::CountEntered() {
  fModel.ExtraItemCountEntry = WindowText(fCountEntry);
  try {
    fModel.Edit1KeyPress(app::kEnterKey);
  } catch (const std::exception& error) {
    fDialogs.ShowError(error.what());
    return;
  }
  fTopRow = 1;
  UpdateScrollBar();
  InvalidateRect(fGrid, nullptr, TRUE);
  if (fModel.Focus == app::TExtraItemsFocus::efTable && Rows() > 1) {
    MoveTo(1, 1);
    SetFocus(fEditor);
  }
}

void TExtraItemsForm::TImpl::Confirm() {
  // A cell still being typed in counts, as the grid takes it on leaving.
  TakeEditor();
  fModel.ExtraItemCountEntry = WindowText(fCountEntry);
  fModel.Button1Click();
  Close(true);
}

void TExtraItemsForm::TImpl::Close(bool confirmed) {
  if (!confirmed) fModel.Cancel();
  if (fOwner) EnableWindow(fOwner, TRUE);
  ShowWindow(fWindow, SW_HIDE);
}

void TExtraItemsForm::TImpl::TakeEditor() {
  if (Rows() > 1 && fRow < Rows()) fModel.ExtraItemsTable.SetCell(fColumn, fRow, WindowText(fEditor));
}

void TExtraItemsForm::TImpl::MoveTo(int column, int row) {
  TakeEditor();
  fColumn = column;
  fRow = row;
  if (fRow < fTopRow) fTopRow = fRow;
  if (fRow >= fTopRow + VisibleItemRows()) fTopRow = fRow - VisibleItemRows() + 1;
  UpdateScrollBar();
  PlaceEditor();
  InvalidateRect(fGrid, nullptr, TRUE);
}

bool TExtraItemsForm::TImpl::Step(int direction) {
  int column = fColumn + direction;
  int row = fRow;
  if (column >= kColumns) {
    column = 1;
    ++row;
  } else if (column < 1) {
    column = kColumns - 1;
    --row;
  }
  if (row < 1 || row >= Rows()) {
    TakeEditor();
    return false;
  }
  MoveTo(column, row);
  return true;
}

void TExtraItemsForm::TImpl::PlaceEditor() {
  const bool shown = Rows() > 1 && fRow >= fTopRow && fRow < fTopRow + VisibleItemRows();
  fMoving = true;
  SetWindowTextW(fEditor, Wide(fModel.ExtraItemsTable.Cell(fColumn, fRow)).c_str());
  fMoving = false;
  const int left = ColumnLeft(fColumn, fDpi) + 2;
  const int top = RowHeight() * (1 + fRow - fTopRow) + 2;
  MoveWindow(fEditor, left, top, Scaled(app::kExtraItemsColumnWidths[fColumn], fDpi) - 3, RowHeight() - 3, TRUE);
  ShowWindow(fEditor, shown ? SW_SHOW : SW_HIDE);
  SendMessageW(fEditor, EM_SETSEL, 0, -1);
}

void TExtraItemsForm::TImpl::UpdateScrollBar() {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(0, Rows() - 2);
  info.nPage = static_cast<UINT>(VisibleItemRows());
  info.nPos = fTopRow - 1;
  SetScrollInfo(fGrid, SB_VERT, &info, TRUE);
}

void TExtraItemsForm::TImpl::Paint(HDC context, const RECT& area) const {
  FillRect(context, &area, GetSysColorBrush(COLOR_WINDOW));
  const HGDIOBJ previousFont = SelectObject(context, fLargeFont);
  HPEN line = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  const HGDIOBJ previousPen = SelectObject(context, line);
  SetBkMode(context, TRANSPARENT);
  const int rowHeight = RowHeight();
  const int shownRows = std::min(Rows(), fTopRow + VisibleItemRows() + 1);
  for (int row = 0, y = 0; row < shownRows; row = row == 0 ? fTopRow : row + 1, y += rowHeight) {
    for (int column = 0; column < kColumns; ++column) {
      RECT cell{ColumnLeft(column, fDpi), y, ColumnLeft(column + 1, fDpi), y + rowHeight};
      if (row == 0 || column == 0) FillRect(context, &cell, GetSysColorBrush(COLOR_BTNFACE));
      MoveToEx(context, cell.left, cell.bottom - 1, nullptr);
      LineTo(context, cell.right - 1, cell.bottom - 1);
      LineTo(context, cell.right - 1, cell.top - 1);
      RECT textBox{cell.left + 3, cell.top, cell.right - 3, cell.bottom};
      const std::wstring text = Wide(fModel.ExtraItemsTable.Cell(column, row));
      DrawTextW(context, text.c_str(), static_cast<int>(text.size()), &textBox,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
  }
  SelectObject(context, previousPen);
  DeleteObject(line);
  SelectObject(context, previousFont);
}

TExtraItemsForm::TExtraItemsForm(app::TForm1& model, app::TDialogs& dialogs, THandle owner)
    : fImpl(std::make_unique<TImpl>(model, dialogs, owner)) {
  fImpl->Create();
}

TExtraItemsForm::~TExtraItemsForm() = default;

void TExtraItemsForm::Show() {
  TImpl& impl = *fImpl;
  SetWindowTextW(impl.fCountEntry, Wide(impl.fModel.ExtraItemCountEntry).c_str());
  if (impl.fOwner) EnableWindow(impl.fOwner, FALSE);
  ShowWindow(impl.fWindow, SW_SHOWNORMAL);
  if (impl.fModel.Focus == app::TExtraItemsFocus::efCountEntry) {
    SetFocus(impl.fCountEntry);
    SendMessageW(impl.fCountEntry, EM_SETSEL, 0, -1);
  }
}

void TExtraItemsForm::ShowModal() {
  Show();
  MSG message;
  while (!Closed()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // the program ends: pass it on
      fImpl->Close(false);
      break;
    }
    if (IsDialogMessageW(fImpl->fWindow, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (fImpl->fOwner) SetActiveWindow(fImpl->fOwner);
}

bool TExtraItemsForm::Closed() const { return fImpl->fModel.Closed(); }
THandle TExtraItemsForm::Handle() const { return fImpl->fWindow; }

THandle TExtraItemsForm::Control(std::string_view name) const {
  if (name == "ExtraItemCountEntry") return fImpl->fCountEntry;
  if (name == "ExtraItemsTable") return fImpl->fGrid;
  if (name == "ConfirmButton") return fImpl->fConfirm;
  if (name == "CountLabel") return fImpl->fLabel;
  return nullptr;
}

THandle TExtraItemsForm::CellEditor() const { return fImpl->fEditor; }

void TExtraItemsForm::CurrentCell(int& column, int& row) const {
  column = fImpl->fColumn;
  row = fImpl->fRow;
}

}  // namespace win32
