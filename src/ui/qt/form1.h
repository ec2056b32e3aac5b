// Form1, the program's one window: the grid of 162 label boxes that mirror the
// sheet, the dark fillers and numbers around it, and the menus that run the
// operations.
#pragma once

#include <QList>
#include <QMainWindow>

#include <array>
#include <functional>

#include "sheet/label_sheet.h"
#include "ui/form1_commands.h"
#include "ui/services.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;

namespace quillet {

// Built from the shared description in ui/: the layout, the menu tree and
// the commands they run.
class Form1 : public QMainWindow, private WindowActions {
  Q_OBJECT

 public:
  // Builds the controls and runs the load: reads the calibration file (creating
  // it when it does not exist yet) and puts the offsets on the Print caption.
  explicit Form1(Services services, QWidget* parent = nullptr);
  ~Form1() override;

  LabelSheet& sheet() { return sheet_; }
  QLineEdit* CellBox(int group, int index, Line line) const;
  // The menu item by its name: "File", "AddToList", "Printit", ...
  QAction* MenuItem(const QString& name) const;

  // What Exit does; the program quits its event loop with status 0.
  void SetEndProgram(std::function<void()> end_program) { end_program_ = std::move(end_program); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CreateCells(QWidget* client);
  void CreateFillers(QWidget* client);
  void CreateHeadings(QWidget* client);
  void CreateMenus();
  void ApplyColours();
  void ShowLine(int group, int index, Line line);

  void SetOffsetsCaption(const std::u16string& caption) override;
  void EndProgram() override;

  LabelSheet sheet_;
  Form1Commands commands_;
  // [group-1][index] for each line.
  std::array<std::array<QLineEdit*, CellsPerGroup>, GroupCount> text1_{};
  std::array<std::array<QLineEdit*, CellsPerGroup>, GroupCount> text2_{};
  QList<QLineEdit*> fillers_;
  QList<QLabel*> headings_;
  QAction* offsets_item_ = nullptr;
  std::function<void()> end_program_;
};

}  // namespace quillet
