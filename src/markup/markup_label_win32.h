// The markup label as a Win32 child window: a GDI canvas for the portable core, paint, mouse and cursor.
#pragma once

#include <windows.h>

#include <string>

#include "markup/markup_label.h"

namespace tovrik {

// Creates the label window; it owns its MarkupLabel until it is destroyed.
HWND createMarkupLabel(HWND parent, int left, int top, int width, int height, HFONT font);

// Sets the markup text, lays it out and, with automatic height, resizes the window to the text. The window's
// own text is the markup too, for whoever reads windows' texts.
void setMarkupLabelCaption(HWND label, const std::string& markup);

// A new font for the label (the same face at another DPI), kept by the caller while the label lives; the
// text is laid out again in it.
void setMarkupLabelFont(HWND label, HFONT font);

// The label's core, for its colours, transparency and link handler. A transparent label has its
// parent paint its background (WM_PRINTCLIENT) under the text.
MarkupLabel& markupLabelOf(HWND label);

}  // namespace tovrik
