#include "ui/qt/form1.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <utility>

#include "common/program_name.h"
#include "common/text_field.h"
#include "ui/flag_icon.h"
#include "ui/form1_colours.h"
#include "ui/qt/access_key_menu.h"
#include "ui/qt/accessible_decoration.h"

namespace quillet {
namespace {

// Where a control's widget keeps its place in Form1Controls().
constexpr char kControlProperty[] = "quillet_control";

// Qt scales device-independent pixels for the screen itself.
QRect ToQRect(const layout::TwipRect& rect) {
  const layout::PixelRect pixels = layout::ToPixels(rect, layout::kStandardDpi);
  return QRect(pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top);
}

QString Qs(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QFont FontOf(const layout::FontChoice& face_and_size) {
  QFont font(Qs(face_and_size.face));
  font.setPointSizeF(face_and_size.points);
  return font;
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
    : QMainWindow(parent), presenter_(services, *this) {
  setObjectName("Form1");
  setWindowTitle(Qs(kProgramName));
  QIcon icon;
  icon.addPixmap(QPixmap(kFlagIcon32));
  icon.addPixmap(QPixmap(kFlagIcon16));
  setWindowIcon(icon);

  auto* client = new QWidget(this);
  client->setObjectName("client");
  client->setAutoFillBackground(true);
  setCentralWidget(client);
  CreateControls(client);
  FitCellMargins();
  CreateMenus();
  ApplyColours();

  // The client area is fixed by the grid; the frame and menu bar come on top.
  resize(layout::TwipsToPixels(layout::kClientWidth, layout::kStandardDpi),
         layout::TwipsToPixels(layout::kClientHeight, layout::kStandardDpi) +
             menuBar()->sizeHint().height());
  presenter_.Load();
  controls_[kFirstFocusControl]->setFocus();
}

Form1::~Form1() = default;

// In list order: Qt's focus chain follows the order of creation, so the cells
// come first and Tab walks them in reading order.
void Form1::CreateControls(QWidget* client) {
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < list.size(); ++k) {
    const Form1Control& control = list[k];
    QWidget* widget = nullptr;
    switch (control.kind) {
      case ControlKind::kCell: {
        auto* box = new QLineEdit(client);
        box->setAccessibleName(Qs(control.accessible_name));
        box->setMaxLength(kAnyTextLength);
        connect(box, &QLineEdit::textChanged, this,
                [this, k](const QString& text) { presenter_.BoxEdited(k, text.toStdU16String()); });
        box->installEventFilter(this);
        widget = box;
        break;
      }
      case ControlKind::kFiller: {
        auto* filler = new QLineEdit(Qs(control.text), client);
        filler->setEnabled(false);
        filler->setFocusPolicy(Qt::NoFocus);
        // Dark bars that frame the grid: nothing for a screen reader to read or edit.
        MarkAsDecoration(filler);
        widget = filler;
        break;
      }
      case ControlKind::kHeading: {
        auto* label = new QLabel(Qs(control.text), client);
        label->setAlignment((control.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
        label->setAutoFillBackground(true);
        widget = label;
        break;
      }
    }
    widget->setObjectName(Qs(control.name));
    widget->setProperty(kControlProperty, static_cast<qulonglong>(k));
    if (control.font != nullptr) widget->setFont(FontOf(*control.font));
    widget->setGeometry(ToQRect(control.place));
    controls_[k] = widget;
  }
}

// Where a label's 7 characters do not fit between the cells' margins, the
// margins are narrowed (layout::CellTextMargins). QLineEdit keeps 2 pixels
// of its own on each side, which it does not tell; text margins add to them.
void Form1::FitCellMargins() {
  constexpr int kOwnMargin = 2;
  auto* cell = static_cast<QLineEdit*>(controls_[kFirstFocusControl]);
  QStyleOptionFrame frame;
  frame.initFrom(cell);
  frame.lineWidth = cell->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, cell);
  const int room =
      cell->style()->subElementRect(QStyle::SE_LineEditContents, &frame, cell).width() -
      2 * kOwnMargin;
  const layout::TextMargins wanted = layout::CellTextMargins(
      room, cell->fontMetrics().averageCharWidth(), {kOwnMargin, kOwnMargin});
  if (wanted == layout::TextMargins{kOwnMargin, kOwnMargin}) return;
  for (std::size_t k = 0; k < kCellBoxCount; ++k) {
    static_cast<QLineEdit*>(controls_[k])
        ->setTextMargins(wanted.left - kOwnMargin, 0, wanted.right - kOwnMargin, 0);
  }
}

void Form1::CreateMenus() {
  // QMenu and QMenuBar both take actions as widgets do.
  auto add_menu = [this](std::size_t at, QWidget* into) -> QWidget* {
    auto* menu = new AccessKeyMenu(Qs(kMenuTree[at].caption), this);
    menu->setObjectName(kMenuTree[at].name);
    menu->menuAction()->setObjectName(kMenuTree[at].name);
    into->addAction(menu->menuAction());
    menu_items_[at] = menu->menuAction();
    return menu;
  };
  // Commands on the bar itself run on a click, without opening a menu.
  auto add_command = [this](std::size_t at, QWidget* into) {
    auto* action = new QAction(Qs(kMenuTree[at].caption), into);
    action->setObjectName(kMenuTree[at].name);
    connect(action, &QAction::triggered, this, [this, at] { presenter_.MenuChosen(at); });
    into->addAction(action);
    menu_items_[at] = action;
    return true;
  };
  BuildMenuTree<QWidget*>(menuBar(), add_menu, add_command);
}

void Form1::ApplyColours() {
  const QPalette scheme = palette();
  const Rgb face = ToRgb(scheme.color(QPalette::Active, QPalette::Window));
  const Rgb text = ToRgb(scheme.color(QPalette::Active, QPalette::WindowText));
  const Form1Colours colours =
      ColoursFor({face, text, ToRgb(scheme.color(QPalette::Active, QPalette::Base)),
                  ToRgb(scheme.color(QPalette::Active, QPalette::HighlightedText)),
                  LooksHighContrast(face, text)});

  QPalette client = scheme;
  client.setColor(QPalette::Window, ToQColor(colours.background));
  centralWidget()->setPalette(client);
  QPalette heading = scheme;
  heading.setColor(QPalette::Window, ToQColor(colours.heading_background));
  heading.setColor(QPalette::WindowText, ToQColor(colours.heading_text));
  // The fillers' base, whatever their state.
  QPalette filler = scheme;
  filler.setColor(QPalette::Base, ToQColor(colours.filler));
  const Form1ControlList& list = Form1Controls();
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (list[k].kind == ControlKind::kHeading) controls_[k]->setPalette(heading);
    if (list[k].kind == ControlKind::kFiller) controls_[k]->setPalette(filler);
  }
}

void Form1::changeEvent(QEvent* event) {
  // The desktop's colour scheme changed while the program runs.
  if (event->type() == QEvent::PaletteChange) ApplyColours();
  QMainWindow::changeEvent(event);
}

void Form1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Once the window is on screen, after the event loop has drawn it.
  if (!std::exchange(shown_before_, true)) {
    QTimer::singleShot(0, this, [this] { presenter_.WindowShown(); });
  }
}

std::u16string Form1::BoxText(std::size_t control) const {
  return static_cast<const QLineEdit*>(controls_[control])->text().toStdU16String();
}

void Form1::SetBoxText(std::size_t control, const std::u16string& text) {
  static_cast<QLineEdit*>(controls_[control])->setText(Qs(text));
}

void Form1::SetMenuCaption(std::size_t entry, const std::u16string& caption) {
  menu_items_[entry]->setText(Qs(caption));
}

void Form1::EndProgram(int status) {
  QCoreApplication::exit(status);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonDblClick) {
    const QVariant control = watched->property(kControlProperty);
    const bool primary = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (control.isValid()) {
      presenter_.BoxDoubleClicked(control.toULongLong(),
                                  primary ? MouseButton::kPrimary : MouseButton::kOther);
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace quillet
