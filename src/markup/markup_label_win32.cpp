// GDI canvas and window procedure of the markup label.
#include "markup/markup_label_win32.h"

#include <array>
#include <memory>

#include "platform/resource_owners_win32.h"

namespace tovrik {
namespace {

constexpr char kMarkupLabelClass[] = "TJvLinkLabel";

// The label's font in each of the eight style combinations, each created on first use and kept for the
// window's life: layout and paint only select them.
class StyleFonts {
 public:
  explicit StyleFonts(HFONT baseFont) : baseFont_(baseFont) {}
  ~StyleFonts() { forget(); }

  // A new base font (the same face at another DPI): the variants are made again from it.
  void setBase(HFONT baseFont) {
    forget();
    baseFont_ = baseFont;
  }
  StyleFonts(const StyleFonts&) = delete;
  StyleFonts& operator=(const StyleFonts&) = delete;

  HFONT font(FontStyle style) {
    GdiObject<HFONT>& font = fonts_[static_cast<unsigned>(style) & 7u];
    if (!font) {
      LOGFONTA variant{};
      GetObjectA(baseFont_, sizeof variant, &variant);
      variant.lfWeight = hasStyle(style, FontStyle::Bold) ? FW_BOLD : FW_NORMAL;
      variant.lfItalic = hasStyle(style, FontStyle::Italic);
      variant.lfUnderline = hasStyle(style, FontStyle::Underline);
      font.reset(CreateFontIndirectA(&variant));
    }
    return font.get();
  }

 private:
  void forget() {
    for (GdiObject<HFONT>& font : fonts_) font.reset();
  }

  HFONT baseFont_;
  std::array<GdiObject<HFONT>, 8> fonts_;
};

// Draws through GDI with the label's style fonts; gives the device context its font back when done.
class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(HDC dc, StyleFonts& fonts)
      : dc_(dc), fonts_(fonts), previousFont_(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) {
    SetBkMode(dc_, TRANSPARENT);
  }
  ~GdiCanvas() override { SelectObject(dc_, previousFont_); }
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  TextSize measure(std::string_view text, FontStyle style) override {
    SelectObject(dc_, fonts_.font(style));
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    return {size.cx, size.cy};
  }

  void drawText(int x, int y, std::string_view text, FontStyle style, Color color) override {
    SelectObject(dc_, fonts_.font(style));
    SetTextColor(dc_, color);
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  }

  void fillRect(const Rect& area, Color color) override {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    const GdiObject<HBRUSH> brush(CreateSolidBrush(color));
    FillRect(dc_, &rect, brush.get());
  }

 private:
  HDC dc_;
  StyleFonts& fonts_;
  HFONT previousFont_;
};

struct MarkupLabelWindow {
  explicit MarkupLabelWindow(HFONT font) : fonts(font) {}
  MarkupLabel core;
  StyleFonts fonts;
  bool tracking = false;
};

MarkupLabelWindow* stateOf(HWND window) {
  return reinterpret_cast<MarkupLabelWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void invalidate(HWND window, const std::vector<Rect>& areas) {
  for (const Rect& area : areas) {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window, &rect, FALSE);
  }
}

void applyAutoHeight(HWND window, MarkupLabel& core) {
  RECT client{};
  GetClientRect(window, &client);
  if (core.appliesAutoHeight() && core.height() != client.bottom)
    SetWindowPos(window, nullptr, 0, 0, client.right, core.height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The parent draws its own client area (a picture, say) into the label's device context, shifted so
// that the part behind the label lands on it.
void paintParentBackground(HWND window, HDC dc) {
  const HWND parent = GetParent(window);
  POINT origin{0, 0};
  MapWindowPoints(window, parent, &origin, 1);
  POINT previous{};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

Point pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT CALLBACK markupLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    // The window owns its state from here on; WM_NCDESTROY frees it, also when creation fails later.
    auto& owner = *static_cast<std::unique_ptr<MarkupLabelWindow>*>(
        reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner.release()));
  }
  MarkupLabelWindow* state = stateOf(window);
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      if (state->core.transparent()) paintParentBackground(window, dc);
      {
        GdiCanvas canvas(dc, state->fonts);
        state->core.paint(canvas);
        // A pressed or lit link keeps its colour only where its own areas were invalidated; a repaint of
        // the whole control shows every link in the link colour.
        RECT client{};
        GetClientRect(window, &client);
        const RECT& area = paint.rcPaint;
        if (area.left > 0 || area.top > 0 || area.right < client.right || area.bottom < client.bottom)
          state->core.paintLinkStates(canvas);
      }
      EndPaint(window, &paint);
      applyAutoHeight(window, state->core);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // paint fills the background itself
    case WM_SIZE:
      // Also sent right after WM_CREATE, which gives the core the size the window was created with.
      state->core.setSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (!state->tracking) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        state->tracking = TrackMouseEvent(&track) != 0;
      }
      invalidate(window, state->core.mouseMove(pointOf(lParam)));
      return 0;
    case WM_MOUSELEAVE:
      state->tracking = false;
      invalidate(window, state->core.mouseLeave());
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
      invalidate(window, state->core.mouseDown(pointOf(lParam)));
      // Held on a link, the control sees the release wherever it happens, also outside its area.
      if (state->core.clickedLink() >= 0 && GetCapture() != window) SetCapture(window);
      return message == WM_XBUTTONDOWN ? TRUE : 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_XBUTTONUP:
      // Let go first, so a click handler that opens a window does not run with the mouse captured.
      if (GetCapture() == window) ReleaseCapture();
      invalidate(window, state->core.mouseUp(pointOf(lParam)));
      return message == WM_XBUTTONUP ? TRUE : 0;
    case WM_CAPTURECHANGED:
      invalidate(window, state->core.releaseActiveLink());
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        if (state->core.linkAt({cursor.x, cursor.y}) >= 0) {
          SetCursor(LoadCursorA(GetModuleHandleA(nullptr), "LINKHAND"));
          return TRUE;
        }
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      delete state;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Lays the text out again in the label's fonts and width; with automatic height the window takes its height.
void layOutAgain(HWND label, MarkupLabelWindow* state) {
  {
    const WindowDC dc(label);
    GdiCanvas canvas(dc.get(), state->fonts);
    state->core.layout(canvas);
  }
  applyAutoHeight(label, state->core);
  InvalidateRect(label, nullptr, FALSE);
}

}  // namespace

HWND createMarkupLabel(HWND parent, int left, int top, int width, int height, HFONT font) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kMarkupLabelClass, &windowClass)) {
    windowClass.lpfnWndProc = markupLabelProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kMarkupLabelClass;
    RegisterClassA(&windowClass);
  }
  auto state = std::make_unique<MarkupLabelWindow>(font);
  state->core.setColor(GetSysColor(COLOR_BTNFACE));
  state->core.setFont(FontStyle::Normal, GetSysColor(COLOR_WINDOWTEXT));
  // WM_NCCREATE takes the state out of `state`; if creation fails before that, `state` still frees it.
  return CreateWindowExA(0, kMarkupLabelClass, "", WS_CHILD | WS_VISIBLE, left, top, width, height, parent, nullptr,
                         instance, &state);
}

void setMarkupLabelCaption(HWND label, const std::string& markup) {
  MarkupLabelWindow* state = stateOf(label);
  state->core.setCaption(markup);
  SetWindowTextA(label, markup.c_str());
  layOutAgain(label, state);
}

void setMarkupLabelFont(HWND label, HFONT font) {
  MarkupLabelWindow* state = stateOf(label);
  state->fonts.setBase(font);
  // The core forgets the word widths it measured in the old font.
  state->core.setFont(FontStyle::Normal, GetSysColor(COLOR_WINDOWTEXT));
  layOutAgain(label, state);
}

MarkupLabel& markupLabelOf(HWND label) { return stateOf(label)->core; }

}  // namespace tovrik
