#include "ui/components.h"

#include <commctrl.h>
#include <olectl.h>

#include <cstring>

#include "ui/gbk.h"
#include "ui/resource_ids.h"

namespace cdk::ui {
namespace {

COLORREF ToColorRef(Colour rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Null for the default GUI font, which the system owns.
FontGuard MakeFont(const FontSpec& font) {
  if (font.is_default_gui_font()) return FontGuard();
  std::wstring face = GbkToWide(font.face);
  // The faces are Chinese fonts: asking for the GB2312 character set keeps a
  // Chinese-capable substitute where the named face is missing.
  return FontGuard(CreateFontW(-font.char_height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE, GB2312_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               face.c_str()));
}

void ApplyFont(HWND hwnd, const FontGuard& font) {
  HGDIOBJ chosen = font ? static_cast<HGDIOBJ>(font.get()) : GetStockObject(DEFAULT_GUI_FONT);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
}

DWORD ChildStyle(const ComponentSpec& layout_row) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;  // siblings clip: the earlier one stays on top
  if (layout_row.flags & kShown) style |= WS_VISIBLE;
  if (!(layout_row.flags & kEnabled)) style |= WS_DISABLED;
  if (layout_row.flags & kTabStop) style |= WS_TABSTOP;
  return style;
}

HWND CreateChild(const wchar_t* window_class, DWORD ex_style, DWORD style, const std::wstring& text,
                 const ComponentSpec& layout_row, size_t index, const BuildContext& context) {
  return CreateWindowExW(ex_style, window_class, text.c_str(), style, layout_row.x, layout_row.y, layout_row.width, layout_row.height,
                         context.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(index))),
                         context.instance, nullptr);
}

// The JPEG resource decoded by OLE; empty when it is missing or undecodable
// (the box then shows its background only).
ComPtr<IPicture> LoadPicture(HINSTANCE instance) {
  ComPtr<IPicture> picture;
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(CDK_IDR_PICTURE), MAKEINTRESOURCEW(10) /*RT_RCDATA*/);
  HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  DWORD size = resource ? SizeofResource(instance, resource) : 0;
  if (!bytes || size == 0) return picture;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!copy) return picture;
  void* target = GlobalLock(copy);
  if (!target) {
    GlobalFree(copy);
    return picture;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(copy);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, stream.Receive()))) {  // the stream frees `copy`
    GlobalFree(copy);
    return picture;
  }
  OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                 reinterpret_cast<void**>(picture.Receive()));
  return picture;
}

}  // namespace

HBRUSH Label::Colour(HDC dc) const {
  SetTextColor(dc, ToColorRef(layout_row_.text_colour));
  SetBkMode(dc, TRANSPARENT);
  return GetSysColorBrush(COLOR_BTNFACE);
}

EditField::EditField(HWND hwnd, const ComponentSpec& layout_row, FontGuard font)
    : hwnd_(hwnd), layout_row_(layout_row), font_(std::move(font)), background_(CreateSolidBrush(ToColorRef(layout_row.back_colour))) {}

Text EditField::GetText() const {
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  length = GetWindowTextW(hwnd_, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(length > 0 ? length : 0));
  if (wide == set_wide_) return set_bytes_;
  return WideToGbk(wide);
}

void EditField::SetText(TextView text) {
  std::wstring wide = GbkToWide(text);
  set_bytes_.assign(text);
  set_wide_ = wide;
  SetWindowTextW(hwnd_, wide.c_str());
}

HBRUSH EditField::Colour(HDC dc) const {
  SetTextColor(dc, ToColorRef(layout_row_.text_colour));
  SetBkColor(dc, ToColorRef(layout_row_.back_colour));
  return background_.get();
}

void PictureBox::Draw(const DRAWITEMSTRUCT& item) const {
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
  OLE_HANDLE handle = 0;
  SHORT type = PICTYPE_NONE;
  if (!picture_ || FAILED(picture_->get_Type(&type)) || type != PICTYPE_BITMAP ||
      FAILED(picture_->get_Handle(&handle))) {
    return;
  }
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
  BITMAP info;
  if (!GetObjectW(bitmap, sizeof info, &info)) return;
  MemoryDc source(item.hDC, bitmap);
  if (!source.get()) return;
  BitBlt(item.hDC, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
}

void Timer::SetPeriod(int32_t milliseconds) {
  if (milliseconds < 0) milliseconds = 0;
  if (milliseconds == period_) return;
  if (period_ > 0) KillTimer(owner_, id_);
  period_ = milliseconds;
  if (period_ > 0 && !SetTimer(owner_, id_, static_cast<UINT>(period_), nullptr)) period_ = 0;
}

std::unique_ptr<Component> BuildComponent(const ComponentSpec& layout_row, size_t index, const BuildContext& context) {
  switch (layout_row.kind) {
    case ComponentKind::kLabel: {
      // One line, left, vertically centred, clipped; no '&' prefixes.
      DWORD style = ChildStyle(layout_row) | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX;
      HWND hwnd = CreateChild(L"STATIC", 0, style, GbkToWide(layout_row.text), layout_row, index, context);
      if (!hwnd) return nullptr;
      FontGuard font = MakeFont(layout_row.font);
      ApplyFont(hwnd, font);
      return std::make_unique<Label>(hwnd, layout_row, std::move(font));
    }
    case ComponentKind::kEditField: {
      DWORD style = ChildStyle(layout_row) | ES_AUTOHSCROLL | (layout_row.align == TextAlign::kCentre ? ES_CENTER : ES_LEFT);
      HWND hwnd = CreateChild(L"EDIT", WS_EX_CLIENTEDGE, style, L"", layout_row, index, context);
      if (!hwnd) return nullptr;
      SendMessageW(hwnd, EM_LIMITTEXT, 0, 0);  // 0: the system's maximum
      FontGuard font = MakeFont(layout_row.font);
      ApplyFont(hwnd, font);
      return std::make_unique<EditField>(hwnd, layout_row, std::move(font));
    }
    case ComponentKind::kHiddenTextField:
      return std::make_unique<HiddenTextField>();
    case ComponentKind::kPictureBox: {
      HWND hwnd = CreateChild(L"STATIC", 0, ChildStyle(layout_row) | SS_OWNERDRAW, L"", layout_row, index, context);
      if (!hwnd) return nullptr;
      return std::make_unique<PictureBox>(hwnd, LoadPicture(context.instance));
    }
    case ComponentKind::kStatusBar: {
      // Stays where it is put: not docked, not resized, no sizing grip.
      DWORD style = ChildStyle(layout_row) | SBT_TOOLTIPS | CCS_NOPARENTALIGN | CCS_NORESIZE;
      HWND hwnd = CreateChild(STATUSCLASSNAMEW, 0, style, L"", layout_row, index, context);
      if (!hwnd) return nullptr;
      ApplyFont(hwnd, FontGuard());
      auto edges = StatusBarRightEdges();
      SendMessageW(hwnd, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
      for (size_t part = 0; part < kStatusBarParts.size(); ++part) {
        std::wstring text = GbkToWide(kStatusBarParts[part].text);
        std::wstring tip = GbkToWide(kStatusBarParts[part].tip);
        SendMessageW(hwnd, SB_SETTEXTW, part /* | 0: sunken, no icon */, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(hwnd, SB_SETTIPTEXTW, part, reinterpret_cast<LPARAM>(tip.c_str()));
      }
      return std::make_unique<StatusBar>(hwnd);
    }
    case ComponentKind::kTimer:
      return std::make_unique<Timer>(context.parent, static_cast<UINT_PTR>(ControlId(index)));
  }
  return nullptr;
}

}  // namespace cdk::ui
