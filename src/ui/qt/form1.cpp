#include "ui/qt/form1.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTimer>

#include <array>
#include <iterator>
#include <limits>
#include <optional>

#include "ui/flag_icon.h"
#include "ui/form1_layout.h"
#include "ui/menu_tree.h"
#include "ui/qt/access_key_menu.h"
#include "ui/qt/accessible_decoration.h"
#include "ui/readable_colours.h"

namespace quillet {
namespace {

using layout::Px;

// The system colours the grid was drawn with, in the standard scheme where the
// platform has no matching role.
const QColor kWindowBackground = Qt::white;  // active caption text

QRect ToPixels(const layout::TwipRect& rect) {
  return {Px(rect.left), Px(rect.top), Px(rect.width), Px(rect.height)};
}

QString Qs(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

Rgb ToRgb(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
          static_cast<std::uint8_t>(rgb.blue())};
}

QColor ToQColor(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

}  // namespace

Form1::Form1(Services services, QWidget* parent)
    : QMainWindow(parent),
      commands_(sheet_, services, *this),
      end_program_([] { QCoreApplication::exit(0); }) {
  setObjectName("Form1");
  setWindowTitle(Qs(layout::kWindowTitle));
  QIcon icon;
  icon.addPixmap(QPixmap(kFlagIcon32));
  icon.addPixmap(QPixmap(kFlagIcon16));
  setWindowIcon(icon);

  auto* client = new QWidget(this);
  client->setObjectName("client");
  QPalette background = client->palette();
  background.setColor(QPalette::Window, kWindowBackground);
  client->setPalette(background);
  client->setAutoFillBackground(true);
  setCentralWidget(client);

  CreateCells(client);
  CreateFillers(client);
  CreateHeadings(client);
  CreateMenus();
  ApplyColours();

  sheet_.OnLineChanged([this](int group, int index, Line line) { ShowLine(group, index, line); });

  // The client area is fixed by the grid; the frame and menu bar come on top.
  resize(Px(layout::kClientWidth), Px(layout::kClientHeight) + menuBar()->sizeHint().height());
  // At load the window is not on screen yet; a failure is shown once it is.
  if (Status loaded = commands_.Load(); !loaded) {
    QTimer::singleShot(0, this, [this, loaded] { commands_.ShowIfFailed(loaded); });
  }
  text1_[0][0]->setFocus();
}

Form1::~Form1() {
  sheet_.OnLineChanged(nullptr);
}

void Form1::CreateCells(QWidget* client) {
  QFont font(Qs(layout::kCellTypeface));
  font.setPointSizeF(layout::kCellFontPoints);
  // Created in reading order, upper line first: Qt's focus chain follows the
  // order of creation, so this is also the Tab order.
  for (int group = 1; group <= GroupCount; ++group) {
    for (int index = 0; index < CellsPerGroup; ++index) {
      for (Line line : {Line::Text1, Line::Text2}) {
        auto* box = new QLineEdit(client);
        box->setObjectName(Qs(layout::CellBoxName(group, index, line)));
        box->setAccessibleName(Qs(layout::CellAccessibleName(group, index, line)));
        box->setFont(font);
        box->setMaxLength(std::numeric_limits<int>::max());
        box->setGeometry(ToPixels(layout::CellBoxRect(group, index, line)));
        connect(box, &QLineEdit::textChanged, this,
                [this, group, index, line](const QString& text) {
                  auto typed = text.toStdU16String();
                  if (sheet_.GetText(group, index, line) != typed)
                    sheet_.SetText(group, index, line, std::move(typed));
                });
        (line == Line::Text1 ? text1_ : text2_)[group - 1][index] = box;
        box->installEventFilter(this);
      }
    }
  }
}

void Form1::CreateFillers(QWidget* client) {
  for (int k = 0; k < layout::kFillerCount; ++k) {
    auto* filler = new QLineEdit(Qs(layout::kFillerText), client);
    filler->setObjectName(Qs(layout::FillerName(k)));
    filler->setEnabled(false);
    filler->setFocusPolicy(Qt::NoFocus);
    // Dark bars that frame the grid: nothing for a screen reader to read or edit.
    MarkAsDecoration(filler);
    filler->setGeometry(ToPixels(layout::FillerRect(k)));
    fillers_ << filler;
  }
}

void Form1::CreateHeadings(QWidget* client) {
  QFont font(Qs(layout::kHeadingTypeface));
  font.setPointSizeF(layout::kHeadingFontPoints);
  for (const layout::Heading& heading : layout::kHeadings) {
    auto* label = new QLabel(Qs(heading.caption), client);
    label->setObjectName(Qs(layout::HeadingName(heading)));
    label->setFont(font);
    label->setAlignment((heading.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setGeometry(ToPixels(layout::HeadingRect(heading)));
    headings_ << label;
  }
}

void Form1::CreateMenus() {
  // The menu each entry opens, by its index in the tree; commands have none.
  std::array<QMenu*, std::size(kMenuTree)> menus{};
  for (std::size_t at = 0; at < std::size(kMenuTree); ++at) {
    const MenuEntry& entry = kMenuTree[at];
    const std::optional<std::size_t> parent = ParentOf(at);
    QAction* action = nullptr;
    if (entry.command == Command::OpenMenu) {
      auto* menu = new AccessKeyMenu(Qs(entry.caption), this);
      menu->setObjectName(entry.name);
      if (parent) {
        menus[*parent]->addMenu(menu);
      } else {
        menuBar()->addMenu(menu);
      }
      menus[at] = menu;
      action = menu->menuAction();
    } else {
      // Commands on the bar itself run on a click, without opening a menu.
      action = parent ? menus[*parent]->addAction(Qs(entry.caption))
                      : menuBar()->addAction(Qs(entry.caption));
      connect(action, &QAction::triggered, this,
              [this, command = entry.command] { commands_.Run(command); });
    }
    action->setObjectName(entry.name);
    if (entry.name == kOffsetsItemName) offsets_item_ = action;
  }
}

QLineEdit* Form1::CellBox(int group, int index, Line line) const {
  if (group < 1 || group > GroupCount || index < 0 || index >= CellsPerGroup) return nullptr;
  return (line == Line::Text1 ? text1_ : text2_)[group - 1][index];
}

QAction* Form1::MenuItem(const QString& name) const {
  for (QAction* action : findChildren<QAction*>()) {
    if (action->objectName() == name) return action;
  }
  return nullptr;
}

// The colours of the scheme in use, each checked against what it is drawn on:
// the client area stays white in every scheme, and a scheme's own pairs need
// not suit white (a dark scheme's window text is light).
void Form1::ApplyColours() {
  const QPalette scheme = palette();
  const Rgb window_text = ToRgb(scheme.color(QPalette::Active, QPalette::WindowText));

  const Rgb heading_back = ToRgb(scheme.color(QPalette::Active, QPalette::HighlightedText));
  QPalette heading = scheme;
  heading.setColor(QPalette::Window, ToQColor(heading_back));
  heading.setColor(QPalette::WindowText, ToQColor(ReadableOn(window_text, heading_back)));
  for (QLabel* label : headings_) label->setPalette(heading);

  // The fillers' base, whatever their state, in the window-text colour where
  // that shows on white.
  QPalette filler = scheme;
  filler.setColor(QPalette::Base, ToQColor(ReadableOn(window_text, ToRgb(kWindowBackground))));
  for (QLineEdit* box : fillers_) box->setPalette(filler);
}

void Form1::changeEvent(QEvent* event) {
  // The desktop's colour scheme changed while the program runs.
  if (event->type() == QEvent::PaletteChange) ApplyColours();
  QMainWindow::changeEvent(event);
}

void Form1::SetOffsetsCaption(const std::u16string& caption) {
  offsets_item_->setText(Qs(caption));
}

void Form1::EndProgram() {
  end_program_();
}

void Form1::ShowLine(int group, int index, Line line) {
  QLineEdit* box = CellBox(group, index, line);
  const QString text = Qs(sheet_.GetText(group, index, line));
  // The box the user is typing in already holds the text; leave its caret be.
  if (box != nullptr && box->text() != text) box->setText(text);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (int group = 1; group <= GroupCount; ++group) {
      for (int index = 0; index < CellsPerGroup; ++index) {
        for (Line line : {Line::Text1, Line::Text2}) {
          if (watched == CellBox(group, index, line))
            commands_.CellDoubleClicked(group, index, line);
        }
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet
