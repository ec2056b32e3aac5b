// Form1, the program's one window on Qt: the controls, menus and colours of
// the shared description in ui/, drawn with widgets; their events go to the
// shared behaviour, which tells the window what to show.
#pragma once

#include <QMainWindow>

#include <array>

#include "ui/form1_controls.h"
#include "ui/form1_presenter.h"
#include "ui/menu_tree.h"
#include "ui/services.h"

class QAction;

namespace quillet {

class Form1 : public QMainWindow, private Form1View {
  Q_OBJECT

 public:
  // Builds the controls and runs the load: reads the calibration file (creating
  // it when it does not exist yet) and puts the offsets on the Print caption.
  // Its widgets are named as in the shared control list and menu tree.
  explicit Form1(Services services, QWidget* parent = nullptr);
  ~Form1() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls(QWidget* client);
  void FitCellMargins();
  void CreateMenus();
  void ApplyColours();

  std::u16string BoxText(std::size_t control) const override;
  void SetBoxText(std::size_t control, const std::u16string& text) override;
  void SetMenuCaption(std::size_t entry, const std::u16string& caption) override;
  void EndProgram(int status) override;

  // Tests and the benchmark reach the sheet behind the boxes through it
  // (tests/support/form1_access.h).
  friend struct Form1Access;

  Form1Presenter presenter_;
  std::array<QWidget*, kControlCount> controls_{};
  std::array<QAction*, kMenuEntryCount> menu_items_{};
  bool shown_before_ = false;
};

}  // namespace quillet
