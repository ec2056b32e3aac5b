// The main window's behaviour, whatever toolkit draws it: the sheet its 162
// cell boxes mirror, the load, and what each menu item and double-click does.
// A toolkit window creates the controls and menus, passes their events here
// and draws what it is told through Form1View.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/result.h"
#include "sheet/label_sheet.h"
#include "ui/services.h"

namespace quillet {

// The program's exit status after Exit, and after the window is closed.
inline constexpr int kExitStatus = 0;

// Which mouse button made a double-click: the primary one (the left, unless
// the user has swapped them) or any other.
enum class MouseButton { kPrimary, kOther };

// What the behaviour needs of the window it runs in. Controls are known by
// their place in Form1Controls(), menu items by their entry in kMenuTree.
class Form1View {
 public:
  virtual ~Form1View() = default;
  virtual std::u16string BoxText(std::size_t control) const = 0;
  virtual void SetBoxText(std::size_t control, const std::u16string& text) = 0;
  virtual void SetMenuCaption(std::size_t entry, const std::u16string& caption) = 0;
  // Exit: the program ends with `status`, asking nothing and saving nothing.
  virtual void EndProgram(int status) = 0;
};

class Form1Presenter {
 public:
  // The services and `view` must outlive this object.
  Form1Presenter(Services services, Form1View& view);
  ~Form1Presenter();
  Form1Presenter(const Form1Presenter&) = delete;
  Form1Presenter& operator=(const Form1Presenter&) = delete;

  LabelSheet& sheet() { return sheet_; }

  // The window's load, once its controls and menus exist: reads the
  // calibration file, creating it when it does not exist yet, and sets the
  // offsets' caption. A failure waits until the window is on screen.
  void Load();
  // The window is on screen: shows what the load failed with, once.
  void WindowShown();

  // A menu item was chosen.
  void MenuChosen(std::size_t entry);
  // The user changed a cell box's text; its line of the sheet follows. A
  // box holds one line: of a paste, what comes before its first line break,
  // and the box is told so.
  void BoxEdited(std::size_t control, std::u16string text);
  // A double-click with the primary button on the upper line copies the
  // previous cell into this one; anything else does nothing (X pastes the
  // selection on a middle click, which must not land on a copy).
  void BoxDoubleClicked(std::size_t control, MouseButton button);

 private:
  void ShowLine(int group, int index, Line line);
  void ShowOffsets(std::u16string_view caption);
  void ShowIfFailed(const Status& status);
  void AddToList();
  void EnterNewAdjustments();

  Services services_;
  Form1View& view_;
  LabelSheet sheet_;
  Status load_failure_ = Status::Ok();
};

}  // namespace quillet
