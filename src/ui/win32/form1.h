// Form1, the program's one window on Windows: the grid of 162 label boxes that
// mirror the sheet, the dark fillers and numbers around it, and the menus that
// run the operations. Built from the shared description in ui/; the code here
// only wires Windows messages to the operations.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "common/result.h"
#include "common/win32_handles.h"
#include "sheet/label_sheet.h"
#include "ui/form1_commands.h"
#include "ui/form1_layout.h"
#include "ui/services.h"
#include "ui/win32/form1_colours.h"
#include "ui/win32/menu_access_keys.h"

namespace quillet {

class Form1 : private WindowActions {
 public:
  // Creates the window, hidden, with its controls and menus, and runs the
  // load: reads the calibration file (creating it when it does not exist
  // yet) and puts the offsets on the Print caption. `icon` names the program
  // icon among `instance`'s resources (0 for the system's).
  static Result<std::unique_ptr<Form1>> Create(HINSTANCE instance, Services services, int icon);
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  // Null once the window is gone.
  HWND hwnd() const { return hwnd_; }

  // Shows the window with the focus in R1Text1(0); a failure of the load is
  // shown once it is on screen.
  void Show(int show_command);

 private:
  Form1(HINSTANCE instance, Services services);
  Status CreateWindowAndControls(int icon);
  Status CreateControls();
  void PlaceControls();
  void FitClientArea();
  void ShowLine(int group, int index, Line line);
  HWND CellBox(int group, int index, Line line) const;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK CellProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR subclass, DWORD_PTR form);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(WPARAM wparam, LPARAM lparam);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnColoursChanged();

  void SetOffsetsCaption(const std::u16string& caption) override;
  void EndProgram() override;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  LabelSheet sheet_;
  Form1Commands commands_;
  Status loaded_ = Status::Ok();
  int dpi_ = 0;
  Form1Colours colours_;
  UniqueFont cell_font_;
  UniqueFont heading_font_;
  MenuAccessKeys access_keys_;
  // [group-1][index] for each line.
  std::array<std::array<HWND, CellsPerGroup>, GroupCount> text1_{};
  std::array<std::array<HWND, CellsPerGroup>, GroupCount> text2_{};
  std::array<HWND, layout::kFillerCount> fillers_{};
  std::array<HWND, std::size(layout::kHeadings)> headings_{};
  // The cell that had the focus when the window was last deactivated.
  HWND focused_ = nullptr;
};

}  // namespace quillet
