// SendKeysApi: the keystroke engine that types a key string through a key sink, and the window finder
// that looks a top-level window up by a part of its title.
#pragma once

#include <string_view>

#include "platform/key_sink.h"
#include "platform/top_level_windows.h"

namespace tovrik {

// Types the key string (syntax: + ^ % modifiers, ( ) groups, ~ Enter, {NAME count} braced keys) into
// whatever has the keyboard focus. In wait mode the keyboard messages of this thread's own queue are
// dispatched after every key event. True when the end of the string was reached; false for an empty
// string or a "{" without "}". A repeat count that is not integer text raises ConversionError.
// However it ends, no modifier key that it pressed is left down.
bool sendKeys(std::string_view keys, bool waitMode, KeySink& sink);

// Looks for the window whose whole title is the text, else for the first top-level window whose title
// (its first 79 characters) holds the text, ASCII case aside; with activate, restores it and brings it
// to the foreground. On success the last found window handle holds it. An error while looking (a window
// text that cannot be read, memory) is a miss: false, and the last found window handle stays as it was.
bool findWindowByTitle(TopLevelWindows& windows, std::string_view text, bool activate);

// The window the finder found last in this process; 0 until it finds one.
WindowHandle lastFoundWindowHandle();
// Back to the start-of-process state, for tests that run many commands in one process.
void forgetLastFoundWindowHandle();

}  // namespace tovrik
