// What the main window's menu items and double-clicks do, whatever toolkit
// draws the window: each runs its operation on the sheet through the outside
// services and shows the failure's message, if any, in a message box.
#pragma once

#include <string>

#include "common/result.h"
#include "sheet/label_sheet.h"
#include "ui/menu_tree.h"
#include "ui/services.h"

namespace quillet {

// What an operation needs of the window it runs in.
class WindowActions {
 public:
  virtual ~WindowActions() = default;
  // The caption of the item named kOffsetsItemName.
  virtual void SetOffsetsCaption(const std::u16string& caption) = 0;
  // Exit: the program ends with status 0, asking nothing and saving nothing.
  virtual void EndProgram() = 0;
};

class Form1Commands {
 public:
  // `sheet`, the services and `window` must outlive this object.
  Form1Commands(LabelSheet& sheet, Services services, WindowActions& window)
      : sheet_(sheet), services_(services), window_(window) {}

  // The window's load: reads the calibration file, creating it when it does
  // not exist yet, and sets the offsets' caption. A failure is given back
  // rather than shown, for the window shows it once it is on screen.
  Status Load();

  // A menu item was chosen.
  void Run(Command command);

  // A cell box was double-clicked: the upper line copies the previous cell
  // into this one; the lower line does nothing.
  void CellDoubleClicked(int group, int index, Line line);

  void ShowIfFailed(const Status& status);

 private:
  void EnterNewAdjustments();

  LabelSheet& sheet_;
  Services services_;
  WindowActions& window_;
};

}  // namespace quillet
