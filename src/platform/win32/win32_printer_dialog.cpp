#include "platform/win32/win32_printer_dialog.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/win32/win32_text.h"

namespace quillet {
namespace {

// One page, no ranges, no selection; copies and collation through the
// DEVMODE, so the driver makes them. Printing to a file is left to the
// printers that do it (such as a PDF printer): the surface sends its job to
// the printer's own port.
constexpr DWORD kDialogFlags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE |
                               PD_USEDEVMODECOPIESANDCOLLATE | PD_NOWARNING;

std::string DialogFailure(DWORD error) {
  const std::string prefix = "Could not print: ";
  switch (error) {
    case PDERR_NODEFAULTPRN:
      return prefix +
             "no printer is set up on this computer. Add a printer in the Windows settings, then "
             "print again.";
    case PDERR_NODEVICES:
      return prefix +
             "no printer driver was found on this computer. Add a printer in the Windows "
             "settings, then print again.";
    case PDERR_PRINTERNOTFOUND:
      return prefix +
             "the printer chosen before is no longer there. Choose another and print "
             "again.";
    case PDERR_CREATEICFAILURE:
      return prefix +
             "the chosen printer could not be opened. Check that it is switched on and "
             "connected, then print again.";
    default: {
      char code[16];
      std::snprintf(code, sizeof code, "0x%04lX", static_cast<unsigned long>(error));
      return prefix + "the printer dialog failed (common dialog error " + code + ").";
    }
  }
}

// Some dialogs (Wine's) say nothing when there is no printer at all: they
// just close, as if dismissed.
bool AnyPrinter() {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &count);
  return needed != 0;
}

// The surface on the DC that the dialog made, named and set up as the dialog left it.
Result<std::unique_ptr<GdiPrintSurface>> SurfaceFrom(UniqueDc dc, HGLOBAL devnames,
                                                     HGLOBAL devmode) {
  if (!dc) return Status::Failure(DialogFailure(PDERR_CREATEICFAILURE));
  std::u16string name;
  if (const GlobalLockOf<DEVNAMES> names(devnames); names.data() != nullptr) {
    name = FromWide(reinterpret_cast<const wchar_t*>(names.data()) + names->wDeviceOffset);
  }
  std::vector<std::byte> settings;
  if (const GlobalLockOf<DEVMODEW> mode(devmode); mode.data() != nullptr) {
    const std::size_t size = std::size_t{mode->dmSize} + mode->dmDriverExtra;
    settings.resize(size);
    std::memcpy(settings.data(), mode.data(), size);
  }
  return std::make_unique<GdiPrintSurface>(std::move(dc), std::move(name), std::move(settings));
}

}  // namespace

PrinterChoice Win32PrinterDialog::ShowPrinter() {
  if (!AnyPrinter()) return Status::Failure(DialogFailure(PDERR_NODEFAULTPRN));
  for (bool retried = false;; retried = true) {
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_.Get();
    // The dialog may free these and give back new ones, so it takes them over.
    dialog.hDevMode = devmode_.release();
    dialog.hDevNames = devnames_.release();
    dialog.Flags = kDialogFlags;
    dialog.nCopies = 1;
    const BOOL accepted = PrintDlgW(&dialog);
    devmode_.reset(dialog.hDevMode);
    devnames_.reset(dialog.hDevNames);
    UniqueDc dc(dialog.hDC);
    if (accepted) {
      Result<std::unique_ptr<GdiPrintSurface>> surface =
          SurfaceFrom(std::move(dc), devnames_.get(), devmode_.get());
      if (!surface) return surface.status();
      return PrinterChoice(std::move(surface).value());
    }
    const DWORD error = CommDlgExtendedError();
    if (error == 0) return PrinterChoice(nullptr);  // the user dismissed it
    if (error == PDERR_PRINTERNOTFOUND && !retried) {
      // The printer of the last call has gone: start again from the default one.
      devmode_.reset();
      devnames_.reset();
      continue;
    }
    return Status::Failure(DialogFailure(error));
  }
}

}  // namespace quillet
