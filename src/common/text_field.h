// What every one-line field of the program's windows and boxes takes: text of
// any length. A cell keeps a label whole for the list, and an answer is read
// whole, never cut where a toolkit's default limit lies (32767 in Qt, 30000
// in a Windows edit box).
#pragma once

namespace quillet {

// The most a toolkit's one-line field is told to take.
inline constexpr int kAnyTextLength = 0x7FFFFFFE;

}  // namespace quillet
