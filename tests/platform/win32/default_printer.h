// The default printer with its default settings, as the print dialog gives it
// when the user just presses Print, got without a dialog: for the tools and
// tests that print with no one to press anything.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/win32_handles.h"
#include "platform/win32/win32_text.h"

namespace quillet::testing {

// What a GdiPrintSurface on a printer is made from.
struct DefaultPrinter {
  UniqueDc dc;
  std::u16string name;
  std::vector<std::byte> devmode;
};

// None when no printer is set up.
inline std::optional<DefaultPrinter> FindDefaultPrinter() {
  PRINTDLGW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDC | PD_RETURNDEFAULT;
  const BOOL found = PrintDlgW(&dialog);
  const UniqueGlobal devmode(dialog.hDevMode);
  const UniqueGlobal devnames(dialog.hDevNames);
  DefaultPrinter printer{UniqueDc(dialog.hDC), {}, {}};
  if (!found || !printer.dc) return std::nullopt;
  if (const GlobalLockOf<DEVNAMES> names(devnames.get()); names.data() != nullptr)
    printer.name = FromWide(reinterpret_cast<const wchar_t*>(names.data()) + names->wDeviceOffset);
  if (const GlobalLockOf<DEVMODEW> mode(devmode.get()); mode.data() != nullptr) {
    printer.devmode.resize(std::size_t{mode->dmSize} + mode->dmDriverExtra);
    std::memcpy(printer.devmode.data(), mode.data(), printer.devmode.size());
  }
  return printer;
}

}  // namespace quillet::testing
