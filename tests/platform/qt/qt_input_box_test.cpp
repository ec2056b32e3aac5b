#include "platform/qt/qt_input_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>

#include "calibration/calibration_entry.h"

namespace quillet {
namespace {

// What the user does with the box once it is open.
using Action = std::function<void(QInputDialog&)>;

QLineEdit& Field(QInputDialog& dialog) {
  return *dialog.findChild<QLineEdit*>();
}

void Press(QInputDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

// Waits (inside the box's own event loop) for the modal input dialog, notes
// whether it came and what its field held, then plays `action` on it.
struct Opened {
  bool found = false;
  QString initial_text;
};

void WhenOpen(Opened& opened, Action action, int attempts_left = 500) {
  QTimer::singleShot(10, [&opened, action, attempts_left] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (attempts_left > 0) WhenOpen(opened, action, attempts_left - 1);
      return;
    }
    opened = {true, Field(*dialog).text()};
    action(*dialog);
  });
}

// The prompt as plain lines, whatever the calibration file put into it: the
// box keeps a width of about 80 characters with its buttons in view, and its
// field is named by its prompt.
TEST(QtInputBox, ShowsThePromptLinesAsPlainTextInABoxOfOneShape) {
  struct Case {
    std::u16string prompt;
    QString label;  // whole, or how it starts when `whole` is false
    bool whole;
  };
  const Case cases[] = {
      {u"Enter LEFT/RIGHT Adjustment in Inches\rPositive to move RIGHT - Negative to move "
       u"LEFT\r\rEXAMPLE: .25 to move 1/4 inch RIGHT\r\r(Currently  .3)",
       "Enter LEFT/RIGHT Adjustment in Inches\nPositive to move RIGHT - Negative to move "
       "LEFT\n\nEXAMPLE: .25 to move 1/4 inch RIGHT\n\n(Currently  .3)",
       true},
      {u"(Currently <b>x</b>&y)", "(Currently <b>x</b>&y)", true},
      // Whatever the file holds, as the calibration entry asks with it.
      {LeftRightPrompt(std::u16string(1 << 20, u'W')), "", false},
      {LeftRightPrompt(std::u16string(u"1\n2\0003\t4", 8) + std::u16string(300, u'\n')), "", false},
      {LeftRightPrompt(u"a " + std::u16string(5000, u'\u2030') + u" b"), "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.prompt.size());
    QtDialogOwner owner;
    QtInputBox input(owner);
    Opened opened;
    WhenOpen(opened, [&](QInputDialog& dialog) {
      EXPECT_EQ(dialog.windowTitle(), "Quillet");
      const QString label = dialog.labelText();
      if (c.whole) {
        EXPECT_EQ(label, c.label);
      } else {
        EXPECT_TRUE(label.startsWith("Enter LEFT/RIGHT Adjustment in Inches\n"));
        EXPECT_FALSE(label.contains(QChar(0)) || label.contains('\t'));
      }
      const auto* text = dialog.findChild<QLabel*>();
      EXPECT_EQ(text->textFormat(), Qt::PlainText);
      EXPECT_EQ(text->buddy(), nullptr);  // "&" is no access key
      EXPECT_EQ(Field(dialog).accessibleName(), label);
      EXPECT_LE(dialog.width(), QFontMetrics(dialog.font()).averageCharWidth() * 90);
      EXPECT_TRUE(dialog.screen()->availableGeometry().contains(dialog.frameGeometry()));
      const auto* buttons = dialog.findChild<QDialogButtonBox*>();
      EXPECT_EQ(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
      for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        const QPushButton* button = buttons->button(which);
        EXPECT_TRUE(button->isVisible() && dialog.rect().contains(QRect(
                                               button->mapTo(&dialog, QPoint()), button->size())));
      }
      dialog.reject();
    });
    EXPECT_EQ(input.Ask(c.prompt), std::nullopt);
    ASSERT_TRUE(opened.found);
    EXPECT_TRUE(opened.initial_text.isEmpty());
  }
}

// One box, asked again and again: each time it starts empty.
TEST(QtInputBox, GivesBackTheAnswerOnOkAndNothingOtherwise) {
  struct Case {
    const char* name;
    Action action;
    std::optional<std::u16string> answer;  // nothing: cancelled
  };
  const std::u16string long_answer(100000, u'7');
  const auto type_then = [](const char* typed, Action close) {
    return [typed, close](QInputDialog& dialog) {
      QTest::keyClicks(&Field(dialog), typed);
      close(dialog);
    };
  };
  const auto set_then_accept = [](std::u16string text) {
    return [text](QInputDialog& dialog) {
      Field(dialog).setText(QString::fromStdU16String(text));
      dialog.accept();
    };
  };
  const auto press = [](QDialogButtonBox::StandardButton which) {
    return [which](QInputDialog& dialog) { Press(dialog, which); };
  };
  const auto key = [](Qt::Key which) {
    return [which](QInputDialog& dialog) { QTest::keyClick(&Field(dialog), which); };
  };
  const Case cases[] = {
      {"ok with text", type_then("-1 5 inch", press(QDialogButtonBox::Ok)), u"-1 5 inch"},
      {"ok with text again", type_then(".25", press(QDialogButtonBox::Ok)), u".25"},
      {"ok with non-ASCII text", set_then_accept(u"\u00e4\u20ac \U0001F600"),
       u"\u00e4\u20ac \U0001F600"},
      {"ok with an empty field", press(QDialogButtonBox::Ok), u""},
      {"enter key", type_then("0.1", key(Qt::Key_Return)), u"0.1"},
      {"cancel after typing", type_then("0.5", press(QDialogButtonBox::Cancel)), std::nullopt},
      {"escape key", type_then("0.5", key(Qt::Key_Escape)), std::nullopt},
      {"closed", type_then("0.5", [](QInputDialog& dialog) { dialog.close(); }), std::nullopt},
      {"a very long answer", set_then_accept(long_answer), long_answer},
  };
  QtDialogOwner owner;
  QtInputBox input(owner);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Opened opened;
    WhenOpen(opened, c.action);
    const std::optional<std::u16string> answer = input.Ask(u"Prompt");
    ASSERT_TRUE(opened.found);
    EXPECT_TRUE(opened.initial_text.isEmpty());
    ASSERT_EQ(answer.has_value(), c.answer.has_value());
    if (answer) {
      EXPECT_EQ(answer->size(), c.answer->size());
    }
    EXPECT_TRUE(answer == c.answer);
  }
}

}  // namespace
}  // namespace quillet
