// The yardstick for the start-up benchmark: a bare Qt main window titled
// "Bare" with the 201 controls of the window's description at their places
// (162 cell boxes in Courier New, 19 disabled filler boxes, 20 headings in
// Arial), the same menu bar and client size, and nothing else: no sheet, no
// files, no colours, icons or printing of its own, as the Windows yardstick.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>

#include <array>

#include "ui/form1_layout.h"
#include "ui/menu_tree.h"

namespace {

namespace layout = quillet::layout;

QString Qs(const char16_t* text) {
  return QString::fromUtf16(text);
}

QFont FontOf(const layout::FontChoice& choice) {
  QFont font(Qs(choice.face));
  font.setPointSizeF(choice.points);
  return font;
}

void Place(QWidget* widget, const layout::TwipRect& place) {
  const layout::PixelRect pixels = layout::ToPixels(place, layout::kStandardDpi);
  widget->setGeometry(pixels.left, pixels.top, pixels.right - pixels.left,
                      pixels.bottom - pixels.top);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle("Bare");
  auto* client = new QWidget(&window);
  const QFont cell_font = FontOf(layout::kCellFont);
  const QFont heading_font = FontOf(layout::kHeadingFont);
  for (int group = 1; group <= quillet::GroupCount; ++group) {
    for (int index = 0; index < quillet::CellsPerGroup; ++index) {
      for (quillet::Line line : {quillet::Line::Text1, quillet::Line::Text2}) {
        auto* box = new QLineEdit(client);
        box->setFont(cell_font);
        Place(box, layout::CellBoxRect(group, index, line));
      }
    }
  }
  for (int k = 0; k < layout::kFillerCount; ++k) {
    auto* filler = new QLineEdit(Qs(layout::kFillerText), client);
    filler->setEnabled(false);
    Place(filler, layout::FillerRect(k));
  }
  for (const layout::Heading& heading : layout::kHeadings) {
    auto* label = new QLabel(Qs(heading.caption), client);
    label->setFont(heading_font);
    Place(label, layout::HeadingRect(heading));
  }
  // The menus that the entries of each level go into, as the tree is walked.
  std::array<QWidget*, 3> into{window.menuBar(), nullptr, nullptr};
  for (const quillet::MenuEntry& entry : quillet::kMenuTree) {
    if (entry.command == quillet::Command::kOpenMenu) {
      auto* menu = new QMenu(Qs(entry.caption), &window);
      into[entry.level]->addAction(menu->menuAction());
      into[entry.level + 1] = menu;
    } else {
      into[entry.level]->addAction(new QAction(Qs(entry.caption), into[entry.level]));
    }
  }
  window.setCentralWidget(client);
  window.resize(layout::TwipsToPixels(layout::kClientWidth, layout::kStandardDpi),
                layout::TwipsToPixels(layout::kClientHeight, layout::kStandardDpi) +
                    window.menuBar()->sizeHint().height());
  window.show();
  return QApplication::exec();
}
