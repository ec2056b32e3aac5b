// The window readable under every colour scheme, measured from its pixels, and
// what a screen reader finds in it.
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <map>

#include "ui/qt/form1_fixture.h"
#include "ui/readable_colours.h"

namespace quillet::testing {
namespace {

Rgb ToRgb(const QColor& colour) {
  return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
          static_cast<std::uint8_t>(colour.blue())};
}

Rgb At(const QImage& image, QPoint point) {
  return ToRgb(image.pixelColor(point));
}

std::string Name(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue).name().toStdString();
}

// A heading as drawn: its most common colour is the background; the text is
// whatever stands out most from it.
struct Drawn {
  Rgb background, text;
  int readable_pixels;  // pixels at kMinimumTextContrast or more from the background
};

Drawn Measure(const QImage& image, const QRect& area) {
  std::map<QRgb, int> count;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ++count[image.pixel(x, y)];
  }
  const QRgb most = std::max_element(count.begin(), count.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                    })->first;
  Drawn drawn{ToRgb(QColor(most)), {}, 0};
  double best = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const Rgb pixel = At(image, {x, y});
      const double contrast = ContrastRatio(pixel, drawn.background);
      if (contrast > best) {
        best = contrast;
        drawn.text = pixel;
      }
      if (contrast >= kMinimumTextContrast) ++drawn.readable_pixels;
    }
  }
  return drawn;
}

QPalette Scheme(QColor window, QColor text, QColor base, QColor highlight, QColor highlighted) {
  QPalette palette(text, window, window.lighter(), window.darker(), window.darker(120), text, text,
                   base, window);
  palette.setColor(QPalette::Highlight, highlight);
  palette.setColor(QPalette::HighlightedText, highlighted);
  return palette;
}

TEST_F(Form1Test, HeadingsAndFillersStayReadableUnderEveryColourScheme) {
  struct Case {
    const char* name;
    QPalette scheme;
    Rgb background, heading_back, heading_text, filler;
  };
  const Case cases[] = {
      {"standard light", QApplication::palette(), kWhite, kWhite, kBlack, kBlack},
      // Dark cells: a grey filler, which neither vanishes into the white
      // background nor looks like an empty cell.
      {"dark",
       Scheme("#2a2e32", "#fcfcfc", "#1b1e20", "#3daee9", "#fcfcfc"),
       kWhite,
       {252, 252, 252},
       kBlack,
       {0x76, 0x76, 0x76}},
      // The window follows a high-contrast scheme.
      {"high contrast black", Scheme("#000000", "#ffffff", "#000000", "#1aebff", "#000000"), kBlack,
       kBlack, kWhite, kWhite},
  };
  const QPalette original = QApplication::palette();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QApplication::setPalette(c.scheme);
    QApplication::processEvents();  // windows hear of the change through posted events
    // One window started under the scheme, one that was running when it came.
    Form1 started(ForWindow());
    for (Form1* shown : {&started, window.get()}) {
      SCOPED_TRACE(shown == &started ? "started under it" : "running");
      const QImage image = shown->centralWidget()->grab().toImage();
      ASSERT_EQ(image.size(), QSize(740, 462));
      for (const char* label : {"Label2", "Label19", "Label12"}) {
        const Drawn heading = Measure(image, shown->findChild<QLabel*>(label)->geometry());
        EXPECT_EQ(heading.background, c.heading_back) << label << " " << Name(heading.background);
        EXPECT_EQ(heading.text, c.heading_text) << label << " " << Name(heading.text);
        EXPECT_GE(heading.readable_pixels, 20) << label;
      }
      // The fillers against the client area; the middle of each.
      const Rgb background = At(image, {960 / 15 - 4, 240 / 15 + 16});
      EXPECT_EQ(background, c.background);
      for (int k = 0; k < 19; ++k) {
        const QWidget* filler = shown->findChild<QWidget*>(QString("Text1(%1)").arg(k));
        const Rgb middle = At(image, filler->geometry().center());
        EXPECT_EQ(middle, c.filler) << k << " " << Name(middle);
      }
    }
  }
  QApplication::setPalette(original);
  QApplication::processEvents();
}

TEST_F(Form1Test, AScreenReaderFindsTheNamedCellsButNotTheFillers) {
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  QAccessibleInterface* client = QAccessible::queryAccessibleInterface(window->centralWidget());
  ASSERT_NE(client, nullptr);
  int editable = 0;
  for (int k = 0; k < client->childCount(); ++k) {
    QAccessibleInterface* child = client->child(k);
    ASSERT_NE(child, nullptr) << k;
    EXPECT_EQ(client->indexOfChild(child), k);
    EXPECT_FALSE(child->object()->objectName().startsWith("Text1(")) << k;
    if (child->editableTextInterface() != nullptr) {
      ++editable;
      EXPECT_FALSE(child->text(QAccessible::Name).isEmpty()) << k;
    }
  }
  EXPECT_EQ(editable, 162);
  EXPECT_EQ(client->childCount(), 162 + 20);  // the cells and the row and column numbers

  QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(Box(3, 5, Line::Text2));
  EXPECT_EQ(cell->role(), QAccessible::EditableText);
  EXPECT_EQ(cell->text(QAccessible::Name), "Row 3, column 7, lower line");
  EXPECT_EQ(client->child(client->indexOfChild(cell)), cell);

  for (int k = 0; k < 19; ++k) {
    QWidget* filler = window->findChild<QWidget*>(QString("Text1(%1)").arg(k));
    QAccessibleInterface* decoration = QAccessible::queryAccessibleInterface(filler);
    ASSERT_NE(decoration, nullptr) << k;
    EXPECT_EQ(decoration->role(), QAccessible::Separator) << k;
    EXPECT_EQ(decoration->editableTextInterface(), nullptr) << k;
    EXPECT_EQ(decoration->textInterface(), nullptr) << k;
    // Pointing at it finds nothing to read.
    EXPECT_EQ(client->childAt(filler->mapToGlobal(filler->rect().center()).x(),
                              filler->mapToGlobal(filler->rect().center()).y()),
              nullptr)
        << k;
  }
}

}  // namespace
}  // namespace quillet::testing
