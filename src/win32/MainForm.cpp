#include "win32/MainForm.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <optional>
#include <vector>

#include "app/JpegPicture.h"
#include "app/OfferExport.h"
#include "app/WindowLayout.h"

namespace win32 {

namespace {

constexpr wchar_t kWindowClass[] = L"NabidkaMainWindow";
constexpr int kFirstControlId = 100;
// A combo box's height includes its drop-down list.
constexpr int kComboListHeight = 200;

using K = app::TControlKind;

struct TControlClass {
  const wchar_t* Name;
  DWORD Style;
  DWORD ExStyle;
};

TControlClass ClassOf(const app::TControlLayout& layout) {
  const DWORD align = layout.RightAligned ? SS_RIGHT : SS_LEFT;
  const DWORD editAlign = layout.RightAligned ? ES_RIGHT : ES_LEFT;
  switch (layout.Kind) {
    case K::ckLabel: return {WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
    case K::ckField: return {WC_STATICW, align | SS_SUNKEN | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case K::ckEntry:
      return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL | editAlign, WS_EX_CLIENTEDGE};
    case K::ckCheck: return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    case K::ckPicture: return {WC_STATICW, SS_OWNERDRAW, 0};
    case K::ckList:
      return {WC_LISTBOXW, WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case K::ckButton: return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case K::ckMemo:
      return {WC_EDITW, WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE};
    case K::ckRadioGroup: return {WC_BUTTONW, BS_GROUPBOX, 0};
    case K::ckRadio: return {WC_BUTTONW, BS_AUTORADIOBUTTON, 0};
    case K::ckCombo: return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case K::ckGrid: break;
  }
  return {WC_STATICW, 0, 0};
}

std::vector<std::string> Entries(const app::TTextList& list) { return {list.begin(), list.end()}; }

// A picture decoded for the box: 32-bit top-down rows, as GDI blits them.
struct TShownPicture {
  std::string Path;
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

}  // namespace

struct TMainForm::TImpl {
  TImpl(app::TFileSystem& fileSystem, app::TDialogs& dialogs, app::TMainWindowSettings settings)
      : fFileSystem(fileSystem), fApp(fileSystem, dialogs, std::move(settings)) {}
  ~TImpl();

  app::TFileSystem& fFileSystem;
  app::TMainWindow fApp;
  TMainForm* fOwner = nullptr;
  HWND fWindow = nullptr;
  HWND fToolTips = nullptr;
  HFONT fFont = nullptr;
  UINT fDpi = 96;
  std::map<std::string, HWND, std::less<>> fControls;
  std::vector<std::wstring> fHints;  // the tool tips keep pointers to their texts
  // What each control not typed into was last given, so that showing the
  // state again asks the controls nothing (under Wine every question costs).
  std::map<HWND, std::string> fShown;
  std::map<HWND, std::vector<std::string>> fShownEntries;
  TShownPicture fPicture;
  bool fShowing = false;  // the controls are being set from the state

  void Create();
  void CreateControl(std::size_t index, const app::TControlLayout& layout);
  void AddHint(HWND control, std::string_view hint);
  HWND Get(std::string_view name) const { return fControls.find(name)->second; }
  void Place(HWND control, int left, int top, int width, int height) const;
  void FitToText(HWND control, int left, int top, int minWidth = 0, int minHeight = 0);

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR data);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Command(HWND control, int code);
  void EntryEnter(HWND entry);

  void Run(std::string_view name, const std::function<void()>& handler);
  void TakeEntries();
  void ShowState();
  void ShowEntries(HWND list, const std::vector<std::string>& entries, bool combo);
  bool ShowText(std::string_view name, const std::string& text);
  void ShowCheck(std::string_view name, bool checked);
  void ShowEnabled(std::string_view name, bool enabled);
  void ShowPicture();
  void DrawPicture(const DRAWITEMSTRUCT& item) const;
  void ApplyFocus();
};

TMainForm::TImpl::~TImpl() {
  if (fWindow) DestroyWindow(fWindow);
  if (fToolTips) DestroyWindow(fToolTips);
  if (fFont) DeleteObject(fFont);
}

void TMainForm::TImpl::Create() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = static_cast<HINSTANCE>(ModuleHandle());
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
  const app::TWindowLayout& layout = app::MainWindowLayout();
  fDpi = GetDpiForSystem();
  // A fixed dialog frame: a caption with the close button, no resizing. Not
  // WS_CLIPCHILDREN: a group box paints only its frame, and the window's
  // face must show through its inside.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  fWindow = CreateCentredWindow(kWindowClass, layout, style, exStyle, fDpi, nullptr, this);
  fFont = CreateTahoma(layout.FontPoints, fDpi);
  fToolTips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, fWindow, nullptr,
                              static_cast<HINSTANCE>(ModuleHandle()), nullptr);
  SendMessageW(fToolTips, TTM_SETMAXTIPWIDTH, 0, Scaled(400, fDpi));
  for (std::size_t i = 0; i < layout.Controls.size(); ++i) CreateControl(i, layout.Controls[i]);
  // Radio buttons belong to their group box: it shares its hint with them,
  // and lies below them, so that its frame is not painted over them.
  const app::TControlLayout& group = layout.Control("LayoutChoice");
  for (std::string_view radio : {"OfferLayoutRadio", "OrderLayoutRadio"}) AddHint(Get(radio), group.Hint);
  SetWindowPos(Get("LayoutChoice"), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  for (std::string_view entry : {"CountEntry", "PriceEntry", "DescriptionEntry"}) {
    SetWindowSubclass(Get(entry), EntryProc, 1, reinterpret_cast<DWORD_PTR>(this));
  }
}

void TMainForm::TImpl::Place(HWND control, int left, int top, int width, int height) const {
  MoveWindow(control, Scaled(left, fDpi), Scaled(top, fDpi), Scaled(width, fDpi), Scaled(height, fDpi), TRUE);
}

// A label sized to its caption, at least as large as the layout makes it:
// a caption wider than its box shows whole rather than cut.
void TMainForm::TImpl::FitToText(HWND control, int left, int top, int minWidth, int minHeight) {
  int width = 0;
  int height = 0;
  TextExtent(control, WindowText(control), width, height);
  MoveWindow(control, Scaled(left, fDpi), Scaled(top, fDpi), std::max(width, Scaled(minWidth, fDpi)),
             std::max(height, Scaled(minHeight, fDpi)), TRUE);
}

void TMainForm::TImpl::CreateControl(std::size_t index, const app::TControlLayout& layout) {
  const TControlClass controlClass = ClassOf(layout);
  int left = layout.Left;
  int top = layout.Top;
  DWORD style = WS_CHILD | WS_VISIBLE | controlClass.Style;
  if (layout.Kind == K::ckRadio) {
    // Siblings of their group box, so that their clicks reach the window.
    const app::TControlLayout& group = app::MainWindowLayout().Control(layout.Parent);
    left += group.Left;
    top += group.Top;
    if (layout.Checked) style |= WS_GROUP | WS_TABSTOP;
  }
  if (layout.Name == "CustomerChoice") style |= WS_GROUP;  // ends the radio group
  if (layout.Name == "PriceEntry") style |= ES_NOHIDESEL;  // the selection stays shown
  HWND control = CreateWindowExW(controlClass.ExStyle, controlClass.Name, Wide(layout.Caption).c_str(), style, 0, 0, 0,
                                 0, fWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                 static_cast<HINSTANCE>(ModuleHandle()), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fFont), FALSE);
  if (layout.Kind == K::ckLabel) {
    FitToText(control, left, top, layout.Width, layout.Height);
  } else {
    Place(control, left, top, layout.Width, layout.Kind == K::ckCombo ? layout.Height + kComboListHeight : layout.Height);
  }
  if (layout.Kind == K::ckCheck || layout.Kind == K::ckRadio) {
    SendMessageW(control, BM_SETCHECK, layout.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (layout.Kind == K::ckCombo) SetWindowTextW(control, Wide(layout.Caption).c_str());
  if (!layout.Hint.empty()) AddHint(control, layout.Hint);
  fControls.emplace(std::string(layout.Name), control);
}

void TMainForm::TImpl::AddHint(HWND control, std::string_view hint) {
  fHints.push_back(Wide(hint));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = fWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = fHints.back().data();
  SendMessageW(fToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // The combo box's text field is a window of its own under the pointer.
  if (HWND edit = FindWindowExW(control, nullptr, WC_EDITW, nullptr)) {
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    SendMessageW(fToolTips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

LRESULT CALLBACK TMainForm::TImpl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* impl = static_cast<TImpl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    impl->fWindow = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(impl));
  }
  auto* impl = reinterpret_cast<TImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!impl) return DefWindowProcW(window, message, wParam, lParam);
  return impl->Handle(message, wParam, lParam);
}

LRESULT TMainForm::TImpl::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (lParam != 0) Command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->hwndItem == Get("ItemPicture")) {
        DrawPicture(*item);
        return TRUE;
      }
      break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Texts and buttons on the window's face; the property lines are
      // read-only but read like a page.
      const int colour = reinterpret_cast<HWND>(lParam) == Get("PropertiesBox") ? COLOR_WINDOW : COLOR_BTNFACE;
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(colour));
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(colour));
    }
    case WM_PRINTCLIENT: {
      // Themed controls (the radio buttons, the group box) ask for the
      // window's face behind them.
      RECT client{};
      GetClientRect(fWindow, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 0;
    }
    case WM_CLOSE:
      // Unexported edits are asked about first; "Ne" keeps the window.
      TakeEntries();
      if (fApp.FormCloseQuery()) DestroyWindow(fWindow);
      return 0;
    case WM_DESTROY:
      fWindow = nullptr;
      PostQuitMessage(0);
      return 0;
    default: break;
  }
  return DefWindowProcW(fWindow, message, wParam, lParam);
}

// Enter in the count, price and description entries runs their handlers; the
// entries ask for it, so that the window's Tab handling does not take it.
LRESULT CALLBACK TMainForm::TImpl::EntryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  auto* impl = reinterpret_cast<TImpl*>(data);
  if (message == WM_GETDLGCODE && lParam != 0 && reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
    return DLGC_WANTALLKEYS | DefSubclassProc(window, message, wParam, lParam);
  }
  if (message == WM_CHAR && wParam == L'\r') {
    impl->EntryEnter(window);
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

void TMainForm::TImpl::EntryEnter(HWND entry) {
  if (entry == Get("CountEntry")) {
    Run("CountEntry Enter", [this] { fApp.Edit12KeyPress(app::kEnterKey); });
  } else if (entry == Get("PriceEntry")) {
    Run("PriceEntry Enter", [this] { fApp.Edit13KeyPress(app::kEnterKey); });
  } else {
    Run("DescriptionEntry Enter", [this] { fApp.Edit17KeyPress(app::kEnterKey); });
  }
}

void TMainForm::TImpl::Command(HWND control, int code) {
  if (fShowing) return;
  app::TMainWindowState& view = fApp.Window;
  auto checked = [control] { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; };
  if (code == BN_CLICKED) {
    if (control == Get("MoveUpButton")) {
      Run("MoveUpButton", [this] { fApp.Button16Click(); });
    } else if (control == Get("MoveDownButton")) {
      Run("MoveDownButton", [this] { fApp.Button20Click(); });
    } else if (control == Get("OpenButton")) {
      Run("OpenButton", [this] { fApp.OpenListClick(); });
    } else if (control == Get("AppendButton")) {
      Run("AppendButton", [this] { fApp.AppendListClick(); });
    } else if (control == Get("ExtraItemsButton")) {
      Run("ExtraItemsButton", [this] { fApp.Button14Click(); });
    } else if (control == Get("ExportButton")) {
      Run("ExportButton", [this] { app::ExportOffer(fApp); });
    } else if (control == Get("EditModeCheck")) {
      view.EditModeCheck = checked();
      Run("EditModeCheck", [this] { fApp.CheckBox2Click(); });
    } else if (control == Get("SaveDialogCheck")) {
      view.SaveDialogCheck = checked();
    } else if (control == Get("CustomerHeaderCheck")) {
      view.CustomerHeaderCheck = checked();
    } else if (control == Get("OfferLayoutRadio") || control == Get("OrderLayoutRadio")) {
      const bool offer = SendMessageW(Get("OfferLayoutRadio"), BM_GETCHECK, 0, 0) == BST_CHECKED;
      view.LayoutChoice = offer ? app::offersheet::kOfferLayout : app::offersheet::kOrderLayout;
    }
  } else if (code == LBN_SELCHANGE && control == Get("ItemList")) {
    const int row = static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0));
    if (row < 0) return;
    view.ItemList.ItemIndex = row;
    Run("ItemList", [this] { fApp.ListBox4Click(); });
  } else if (code == CBN_SELCHANGE && control == Get("CustomerChoice")) {
    const int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    if (index >= 0) Run("CustomerChoice", [this, index] { fApp.SelectCustomer(index); });
  } else if (code == CBN_EDITCHANGE && control == Get("CustomerChoice")) {
    const std::string typed = WindowText(control);
    Run("CustomerChoice typed", [this, typed] { fApp.TypeCustomerName(typed); });
  } else if (code == EN_CHANGE) {
    if (control == Get("CountEntry")) view.CountEntry = WindowText(control);
    if (control == Get("PriceEntry")) view.PriceEntry = WindowText(control);
    if (control == Get("DescriptionEntry")) view.DescriptionEntry = WindowText(control);
  }
}

// Runs a handler as the event loop does: the entries' texts go into the
// state first, a failure is shown in the error box, the state is shown after.
void TMainForm::TImpl::Run(std::string_view name, const std::function<void()>& handler) {
  const auto start = std::chrono::steady_clock::now();
  TakeEntries();
  fApp.Window.Focus = app::TFocusTarget::ftNone;
  fApp.RunCommand(handler);
  ShowState();
  ApplyFocus();
  if (fOwner->OnHandled) {
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    fOwner->OnHandled(name, took.count());
  }
}

void TMainForm::TImpl::TakeEntries() {
  app::TMainWindowState& view = fApp.Window;
  view.CountEntry = WindowText(Get("CountEntry"));
  view.PriceEntry = WindowText(Get("PriceEntry"));
  view.DescriptionEntry = WindowText(Get("DescriptionEntry"));
}

void TMainForm::TImpl::ApplyFocus() {
  HWND target = nullptr;
  switch (fApp.Window.Focus) {
    case app::TFocusTarget::ftCountEntry: target = Get("CountEntry"); break;
    case app::TFocusTarget::ftPriceEntry: target = Get("PriceEntry"); break;
    case app::TFocusTarget::ftDescriptionEntry: target = Get("DescriptionEntry"); break;
    case app::TFocusTarget::ftItemList: SetFocus(Get("ItemList")); return;
    case app::TFocusTarget::ftNone: return;
  }
  SetFocus(target);
  SendMessageW(target, EM_SETSEL, 0, -1);
}

// Refills a list or combo box only when its entries changed, so that showing
// the state again keeps its scroll position.
void TMainForm::TImpl::ShowEntries(HWND list, const std::vector<std::string>& entries, bool combo) {
  auto [shown, added] = fShownEntries.try_emplace(list);
  if (!added && shown->second == entries) return;
  shown->second = entries;
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& entry : entries) {
    SendMessageW(list, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry).c_str()));
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

// A text shown on a control nobody types into, only when it changed; true then.
bool TMainForm::TImpl::ShowText(std::string_view name, const std::string& text) {
  HWND control = Get(name);
  auto [shown, added] = fShown.try_emplace(control);
  if (!added && shown->second == text) return false;
  shown->second = text;
  SetWindowTextW(control, Wide(text).c_str());
  return true;
}

// A check mark or radio dot set only when it changes: setting it draws the button.
void TMainForm::TImpl::ShowCheck(std::string_view name, bool checked) {
  HWND button = Get(name);
  if ((SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked) return;
  SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TMainForm::TImpl::ShowEnabled(std::string_view name, bool enabled) {
  HWND control = Get(name);
  if (static_cast<bool>(IsWindowEnabled(control)) != enabled) EnableWindow(control, enabled);
}

void TMainForm::TImpl::ShowState() {
  fShowing = true;
  const app::TMainWindowState& view = fApp.Window;
  ShowText("ItemCodeField", view.ItemCodeField);
  ShowText("ItemDescriptionField", view.ItemDescriptionField);
  ShowText("ItemCountField", view.ItemCountField);
  ShowText("ItemPriceField", view.ItemPriceField);
  ShowText("ItemTotalField", view.ItemTotalField);
  SetWindowTextIfChanged(Get("CountEntry"), view.CountEntry);
  SetWindowTextIfChanged(Get("PriceEntry"), view.PriceEntry);
  ShowCheck("EditModeCheck", view.EditModeCheck);
  ShowPicture();
  ShowEntries(Get("ItemList"), Entries(view.ItemList.Items), false);
  HWND itemList = Get("ItemList");
  if (SendMessageW(itemList, LB_GETCURSEL, 0, 0) != view.ItemList.ItemIndex) {
    SendMessageW(itemList, LB_SETCURSEL, static_cast<WPARAM>(view.ItemList.ItemIndex), 0);
  }
  std::string properties;
  for (const std::string& line : view.PropertiesBox) properties += (properties.empty() ? "" : "\r\n") + line;
  // Hidden while its text changes: a visible multi-line field lays itself out
  // and draws again for every change (10-20 ms a selection under Wine). One
  // that has the focus keeps it, and shows.
  HWND propertiesBox = Get("PropertiesBox");
  const bool hide = fShown[propertiesBox] != properties && GetFocus() != propertiesBox;
  if (hide) ShowWindow(propertiesBox, SW_HIDE);
  ShowText("PropertiesBox", properties);
  if (hide) ShowWindow(propertiesBox, SW_SHOWNA);
  ShowText("NetTotalField", view.NetTotalField);
  ShowText("VatField", view.VatField);
  ShowText("GrossTotalField", view.GrossTotalField);
  ShowEnabled("OpenButton", view.OpenButtonEnabled);
  ShowEnabled("AppendButton", view.AppendButtonEnabled);
  ShowEnabled("ExtraItemsButton", view.ExtraItemsButtonEnabled);
  ShowEnabled("ExportButton", view.ExportButtonEnabled);
  ShowEnabled("MoveUpButton", view.MoveUpButtonEnabled);
  ShowEnabled("MoveDownButton", view.MoveDownButtonEnabled);
  ShowCheck("SaveDialogCheck", view.SaveDialogCheck);
  ShowCheck("CustomerHeaderCheck", view.CustomerHeaderCheck);
  const bool order = view.LayoutChoice == app::offersheet::kOrderLayout;
  ShowCheck("OfferLayoutRadio", !order);
  ShowCheck("OrderLayoutRadio", order);
  ShowEntries(Get("CustomerChoice"), Entries(view.CustomerChoiceItems), true);
  SetWindowTextIfChanged(Get("CustomerChoice"), view.CustomerChoice);
  SetWindowTextIfChanged(Get("DescriptionEntry"), view.DescriptionEntry);
  const std::pair<const char*, const std::string*> customer[7] = {
      {"CustomerFirmField", &view.CustomerFirmField},     {"CustomerStreetField", &view.CustomerStreetField},
      {"CustomerCityField", &view.CustomerCityField},     {"CustomerContactField", &view.CustomerContactField},
      {"CustomerPhoneField", &view.CustomerPhoneField},   {"CustomerIcoField", &view.CustomerIcoField},
      {"CustomerDicField", &view.CustomerDicField}};
  for (const auto& [name, text] : customer) {
    if (!ShowText(name, *text)) continue;
    const app::TControlLayout& layout = app::MainWindowLayout().Control(name);
    FitToText(Get(name), layout.Left, layout.Top);
    InvalidateRect(fWindow, nullptr, TRUE);  // a shorter text leaves the longer one's end behind
  }
  fShowing = false;
}

// The picture is decoded only when another file is shown, at the smallest
// scale that still fills the box; one that does not decode keeps the previous.
void TMainForm::TImpl::ShowPicture() {
  const std::string& path = fApp.Window.ItemPicture.FileName;
  if (path == fPicture.Path) return;
  std::optional<app::TRgbImage> image;
  try {
    image = app::DecodeJpegToCover(fFileSystem.ReadFile(path), app::kPictureBoxSide, app::kPictureBoxSide);
  } catch (const std::exception&) {
    image.reset();
  }
  if (!image) return;
  TShownPicture picture{path, image->Width, image->Height, {}};
  picture.Pixels.resize(static_cast<std::size_t>(image->Width) * static_cast<std::size_t>(image->Height));
  for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
    const std::uint8_t* rgb = &image->Pixels[i * 3];
    picture.Pixels[i] = static_cast<std::uint32_t>(rgb[0]) << 16 | static_cast<std::uint32_t>(rgb[1]) << 8 | rgb[2];
  }
  fPicture = std::move(picture);
  InvalidateRect(Get("ItemPicture"), nullptr, FALSE);
}

// Stretched to the box, as the picture box of the window shows it.
void TMainForm::TImpl::DrawPicture(const DRAWITEMSTRUCT& item) const {
  const RECT& box = item.rcItem;
  if (fPicture.Pixels.empty()) {
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_BTNFACE));
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = fPicture.Width;
  info.bmiHeader.biHeight = -fPicture.Height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  StretchDIBits(item.hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, 0, 0, fPicture.Width,
                fPicture.Height, fPicture.Pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

TMainForm::TMainForm(app::TFileSystem& fileSystem, app::TDialogs& dialogs, app::TMainWindowSettings settings)
    : fImpl(std::make_unique<TImpl>(fileSystem, dialogs, std::move(settings))) {
  fImpl->fOwner = this;
  fImpl->Create();
  ShowState();
}

TMainForm::~TMainForm() = default;

app::TStartUpResult TMainForm::StartUp() {
  const app::TStartUpResult result = fImpl->fApp.FormCreate();
  ShowState();
  return result;
}

void TMainForm::Show() {
  ShowWindow(fImpl->fWindow, SW_SHOWNORMAL);
  UpdateWindow(fImpl->fWindow);
}

THandle TMainForm::Handle() const { return fImpl->fWindow; }
THandle TMainForm::Control(std::string_view name) const { return fImpl->Get(name); }
app::TMainWindow& TMainForm::App() { return fImpl->fApp; }
void TMainForm::ShowState() { fImpl->ShowState(); }
std::string TMainForm::ShownPicture() const { return fImpl->fPicture.Path; }

std::string TMainForm::Hint(std::string_view name) const {
  wchar_t text[1024] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = fImpl->fWindow;
  tool.uId = reinterpret_cast<UINT_PTR>(fImpl->Get(name));
  tool.lpszText = text;
  SendMessageW(fImpl->fToolTips, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
  return Utf8(text);
}

bool TMainForm::TakeMessage(void* message) {
  return fImpl->fWindow && IsDialogMessageW(fImpl->fWindow, static_cast<MSG*>(message));
}

}  // namespace win32
