// The Qt implementations of everything the main window works through, made
// and wired in one place, so the program and its tests set them up alike.
#pragma once

#include "platform/qt/qt_input_box.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_printer_dialog.h"
#include "platform/qt/qt_program_file_query.h"
#include "platform/qt/qt_program_starter.h"
#include "ui/services.h"

class QWidget;

namespace quillet {

class QtServices {
 public:
  // What the window is given; the references stay valid while this object lives.
  Services ForWindow() {
    return {printer_dialog_, input_box_, messages_, program_starter_, program_file_};
  }

  // Every dialog opens over `window` and is transient for it, also when another
  // window or none is active. Until then they open over the active window.
  // `window` must outlive the dialogs' use.
  void SetOwner(QWidget* window);

 private:
  QtDialogOwner owner_;
  QtPrinterDialog printer_dialog_{owner_};
  QtInputBox input_box_{owner_};
  QtMessageBoxes messages_{owner_};
  QtProgramStarter program_starter_{messages_};
  QtProgramFileQuery program_file_;
};

}  // namespace quillet
