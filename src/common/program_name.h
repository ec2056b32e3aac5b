// The program's name, as its window, its dialogs and its About box show it.
#pragma once

namespace quillet {

inline constexpr char16_t kProgramName[] = u"Quillet";

}  // namespace quillet
