#include "ui/form1.h"

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

#include <limits>

#include "calibration/calibration_entry.h"
#include "calibration/calibration_file.h"
#include "calibration/test_print.h"
#include "print/print_label.h"
#include "sheet/sheet_editing.h"
#include "ui/access_key_menu.h"
#include "ui/accessible_decoration.h"
#include "ui/flag_icon.h"
#include "ui/form1_layout.h"
#include "ui/readable_colours.h"

namespace quillet {
namespace {

using layout::Px;

// The system colours the grid was drawn with, in the standard scheme where the
// platform has no matching role.
const QColor kWindowBackground = Qt::white;  // active caption text

QRect TwipRect(int left, int top, int width, int height) {
  return {Px(left), Px(top), Px(width), Px(height)};
}

QString Qs(const std::u16string& text) {
  return QString::fromStdU16String(text);
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
    : QMainWindow(parent), services_(services), end_program_([] { QCoreApplication::exit(0); }) {
  setObjectName("Form1");
  setWindowTitle("Quillet");
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
  Load();
  text1_[0][0]->setFocus();
}

Form1::~Form1() {
  sheet_.OnLineChanged(nullptr);
}

void Form1::CreateCells(QWidget* client) {
  QFont font("Courier New");
  font.setPointSizeF(layout::kCellFontPoints);
  // Created in reading order, upper line first: Qt's focus chain follows the
  // order of creation, so this is also the Tab order.
  for (int group = 1; group <= GroupCount; ++group) {
    for (int index = 0; index < CellsPerGroup; ++index) {
      for (Line line : {Line::Text1, Line::Text2}) {
        auto* box = new QLineEdit(client);
        const int upper = line == Line::Text1 ? 1 : 2;
        box->setObjectName(QString("R%1Text%2(%3)").arg(group).arg(upper).arg(index));
        box->setAccessibleName(QString("Row %1, column %2, %3 line")
                                   .arg(group)
                                   .arg(index + 2)
                                   .arg(line == Line::Text1 ? "upper" : "lower"));
        box->setFont(font);
        box->setMaxLength(std::numeric_limits<int>::max());
        const int top = layout::kCellTop + layout::kCellPitchY * (group - 1) +
                        (line == Line::Text2 ? layout::kLine2Below : 0);
        box->setGeometry(TwipRect(layout::kCellLeft + layout::kCellPitchX * index, top,
                                  layout::kCellWidth, layout::kCellHeight));
        connect(box, &QLineEdit::textChanged, this,
                [this, group, index, line](const QString& text) {
                  auto typed = text.toStdU16String();
                  if (sheet_.GetText(group, index, line) != typed)
                    sheet_.SetText(group, index, line, std::move(typed));
                });
        (line == Line::Text1 ? text1_ : text2_)[group - 1][index] = box;
        if (line == Line::Text1) box->installEventFilter(this);
      }
    }
  }
}

void Form1::CreateFillers(QWidget* client) {
  for (int k = 0; k < layout::kFillerCount; ++k) {
    auto* filler = new QLineEdit(" ", client);
    filler->setObjectName(QString("Text1(%1)").arg(k));
    filler->setEnabled(false);
    filler->setFocusPolicy(Qt::NoFocus);
    // Dark bars that frame the grid: nothing for a screen reader to read or edit.
    MarkAsDecoration(filler);
    const int left =
        k <= 9 ? layout::kFillerColumnLeft : layout::kCellLeft + layout::kCellPitchX * (k - 10);
    const int top = k <= 8 ? layout::kCellTop + layout::kCellPitchY * k : layout::kFillerRowTop;
    filler->setGeometry(TwipRect(left, top, layout::kFillerWidth, layout::kFillerHeight));
    fillers_ << filler;
  }
}

void Form1::CreateHeadings(QWidget* client) {
  QFont font("Arial");
  font.setPointSizeF(layout::kHeadingFontPoints);
  for (const layout::Heading& heading : layout::kHeadings) {
    auto* label = new QLabel(heading.caption, client);
    label->setObjectName(QString("Label%1").arg(heading.number));
    label->setFont(font);
    label->setAlignment((heading.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setGeometry(TwipRect(heading.left, heading.top, heading.width, layout::kHeadingHeight));
    headings_ << label;
  }
}

void Form1::CreateMenus() {
  auto item = [this](QMenu* menu, const char* name, const QString& caption, auto operation) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, operation);
    return action;
  };
  auto submenu = [](auto* parent, const char* name, const QString& caption) {
    QMenu* menu = new AccessKeyMenu(caption, parent);
    parent->addMenu(menu);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    return menu;
  };
  auto command = [this](const char* name, const QString& caption, auto operation) {
    QAction* action = menuBar()->addAction(caption);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, operation);
    return action;
  };

  QMenu* file = submenu(menuBar(), "File", "&File");
  QMenu* label_list = submenu(file, "LabelList", "&LabelList");
  item(label_list, "AddToList", "&Add to LabelList.txt", &Form1::AddSheetToList);
  item(label_list, "ViewList", "&View LabelList.txt", &Form1::ViewList);
  QMenu* calibration = submenu(file, "PAdj1", "&Printer Calibration");
  item(calibration, "Ptest", "&Print test", &Form1::PrintTestPage);
  item(calibration, "PAdj", "&Enter Adjustments", &Form1::EnterNewAdjustments);
  item(file, "Printit2", "&Print", &Form1::PrintSheet);
  item(file, "Exit", "&Exit", [this] { end_program_(); });
  command("Clear", "&Clear", &Form1::ClearSheet);
  printit_ = command("Printit", "&Print (Adj =", &Form1::PrintSheet);
  command("About", "&About", &Form1::ShowAbout);
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

void Form1::Load() {
  auto start = LoadCalibrationAtStart();
  if (start) {
    SetPrintitCaption(start->caption);
  } else {
    // Not the caption the item was created with: it would look like offsets cut short.
    SetPrintitCaption(kUnreadableCaption);
    ShowLaterIfFailed(start.status());
  }
}

void Form1::SetPrintitCaption(const std::u16string& caption) {
  printit_->setText(Qs(caption));
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
        if (watched == text1_[group - 1][index]) CopyPreviousCell(sheet_, group, index);
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void Form1::ShowIfFailed(const Status& status) {
  if (!status.ok()) services_.messages.ShowError(status.message());
}

// At load the window is not on screen yet; show the message once it is.
void Form1::ShowLaterIfFailed(const Status& status) {
  if (status.ok()) return;
  QTimer::singleShot(0, this, [this, status] { ShowIfFailed(status); });
}

void Form1::PrintSheet() {
  ShowIfFailed(PrintLabel(sheet_, services_.printer_dialog).status());
}

void Form1::PrintTestPage() {
  ShowIfFailed(PrintTest(sheet_, services_.printer_dialog).status());
}

void Form1::EnterNewAdjustments() {
  auto caption = EnterAdjustments(services_.input_box);
  if (!caption) {
    ShowIfFailed(caption.status());
  } else if (caption->has_value()) {
    SetPrintitCaption(**caption);
  }  // else both boxes were cancelled: the file and so the caption stand as they are
}

void Form1::AddSheetToList() {
  ShowIfFailed(AddToLabelList(sheet_));
}

void Form1::ViewList() {
  ShowIfFailed(ViewLabelList(services_.program_starter));
}

void Form1::ClearSheet() {
  ClearIt(sheet_);
}

void Form1::ShowAbout() {
  const std::u16string text = AboutText(QuilletMaker(), services_.program_file.Query());
  services_.messages.ShowInformation(kAboutTitle, text);
}

}  // namespace quillet
