// GDI canvas and window procedure of the markup label.
#include "markup/link_label_win32.h"

#include <array>
#include <memory>

namespace tovrik {
namespace {

constexpr char kLinkLabelClass[] = "TJvLinkLabel";

// Draws through GDI with the label's font in each of the eight style combinations (created on first use).
class GdiCanvas final : public ICanvas {
 public:
  GdiCanvas(HDC dc, HFONT baseFont) : dc_(dc), previousFont_(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) {
    GetObjectA(baseFont, sizeof base_, &base_);
    SetBkMode(dc_, TRANSPARENT);
  }
  ~GdiCanvas() override {
    SelectObject(dc_, previousFont_);
    for (HFONT font : fonts_)
      if (font) DeleteObject(font);
  }
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  TextSize measure(std::string_view text, FontStyle style) override {
    select(style);
    SIZE size{};
    GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &size);
    if (text.empty()) {
      TEXTMETRICA metrics{};
      GetTextMetricsA(dc_, &metrics);
      size.cy = metrics.tmHeight;
    }
    return {size.cx, size.cy};
  }

  void drawText(int x, int y, std::string_view text, FontStyle style, Color color) override {
    select(style);
    SetTextColor(dc_, color);
    TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  }

  void fillRect(const Rect& area, Color color) override {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    const HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc_, &rect, brush);
    DeleteObject(brush);
  }

 private:
  void select(FontStyle style) {
    HFONT& font = fonts_[static_cast<unsigned>(style) & 7u];
    if (!font) {
      LOGFONTA variant = base_;
      variant.lfWeight = hasStyle(style, FontStyle::Bold) ? FW_BOLD : FW_NORMAL;
      variant.lfItalic = hasStyle(style, FontStyle::Italic);
      variant.lfUnderline = hasStyle(style, FontStyle::Underline);
      font = CreateFontIndirectA(&variant);
    }
    SelectObject(dc_, font);
  }

  HDC dc_;
  HFONT previousFont_;
  LOGFONTA base_{};
  std::array<HFONT, 8> fonts_{};
};

struct LinkLabelWindow {
  TJvCustomLinkLabel core;
  HFONT font = nullptr;
  bool tracking = false;
};

LinkLabelWindow* stateOf(HWND window) {
  return reinterpret_cast<LinkLabelWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void invalidate(HWND window, const std::vector<Rect>& areas) {
  for (const Rect& area : areas) {
    const RECT rect{area.left, area.top, area.right, area.bottom};
    InvalidateRect(window, &rect, FALSE);
  }
}

void applyAutoHeight(HWND window, TJvCustomLinkLabel& core) {
  RECT client{};
  GetClientRect(window, &client);
  if (core.appliesAutoHeight() && core.height() != client.bottom)
    SetWindowPos(window, nullptr, 0, 0, client.right, core.height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point pointOf(LPARAM lParam) {
  return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

LRESULT CALLBACK linkLabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LinkLabelWindow* state = stateOf(window);
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window, &paint);
      if (state) {
        GdiCanvas canvas(dc, state->font);
        state->core.paint(canvas);
      }
      EndPaint(window, &paint);
      if (state) applyAutoHeight(window, state->core);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // paint fills the background itself
    case WM_SIZE:
      if (state) state->core.setSize(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_MOUSEMOVE:
      if (state) {
        if (!state->tracking) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
          state->tracking = TrackMouseEvent(&track) != 0;
        }
        invalidate(window, state->core.mouseMove(pointOf(lParam)));
      }
      return 0;
    case WM_MOUSELEAVE:
      if (state) {
        state->tracking = false;
        invalidate(window, state->core.mouseLeave());
      }
      return 0;
    case WM_LBUTTONDOWN:
      if (state) invalidate(window, state->core.mouseDown(pointOf(lParam)));
      return 0;
    case WM_LBUTTONUP:
      if (state) invalidate(window, state->core.mouseUp(pointOf(lParam)));
      return 0;
    case WM_SETCURSOR:
      if (state && LOWORD(lParam) == HTCLIENT) {
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
      delete state;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

HWND createLinkLabel(HWND parent, int left, int top, int width, int height, HFONT font) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kLinkLabelClass, &windowClass)) {
    windowClass.lpfnWndProc = linkLabelProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kLinkLabelClass;
    RegisterClassA(&windowClass);
  }
  const HWND window = CreateWindowExA(0, kLinkLabelClass, "", WS_CHILD | WS_VISIBLE, left, top, width, height,
                                      parent, nullptr, instance, nullptr);
  auto state = std::make_unique<LinkLabelWindow>();
  state->font = font;
  state->core.setSize(width, height);
  state->core.setColor(GetSysColor(COLOR_BTNFACE));
  state->core.setFont(FontStyle::Normal, GetSysColor(COLOR_WINDOWTEXT));
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
  return window;
}

TJvCustomLinkLabel& linkLabelOf(HWND label) { return stateOf(label)->core; }

void setLinkLabelCaption(HWND label, const std::string& markup) {
  LinkLabelWindow* state = stateOf(label);
  state->core.setCaption(markup);
  const HDC dc = GetDC(label);
  {
    GdiCanvas canvas(dc, state->font);
    state->core.layout(canvas);
  }
  ReleaseDC(label, dc);
  applyAutoHeight(label, state->core);
  InvalidateRect(label, nullptr, FALSE);
}

}  // namespace tovrik
