// Form1, the program's one window on Windows: the controls, menus and colours
// of the shared description in ui/, made as Win32 windows; their messages go
// to the shared behaviour, which tells the window what to show.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "common/result.h"
#include "common/win32_handles.h"
#include "ui/form1_controls.h"
#include "ui/form1_presenter.h"
#include "ui/services.h"
#include "ui/win32/form1_brushes.h"
#include "ui/win32/menu_access_keys.h"

namespace quillet {

class Form1 : private Form1View {
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
  void FitCellMargins();
  void NameCells();
  void FitClientArea();

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK CellProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam,
                                   UINT_PTR subclass, DWORD_PTR form);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCommand(WPARAM wparam, LPARAM lparam);
  void PaintFillers(HDC dc);
  LRESULT OnControlColour(HDC dc, HWND control);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void OnColoursChanged();

  std::u16string BoxText(std::size_t control) const override;
  void SetBoxText(std::size_t control, const std::u16string& text) override;
  void SetMenuCaption(std::size_t entry, const std::u16string& caption) override;
  void EndProgram(int status) override;

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  Form1Presenter presenter_;
  int dpi_ = 0;
  Form1Brushes brushes_;
  UniqueFont cell_font_;
  UniqueFont heading_font_;
  MenuAccessKeys access_keys_;
  // By place in Form1Controls(); null for the fillers, which are painted.
  std::array<HWND, kControlCount> controls_{};
  // The cell that had the focus when the window was last deactivated.
  HWND focused_ = nullptr;
  bool cells_named_ = false;
  // What the message loop ends with; closing the window ends as Exit does.
  int exit_status_ = kExitStatus;
};

}  // namespace quillet
