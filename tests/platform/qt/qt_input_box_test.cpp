#include "platform/qt/qt_input_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace quillet {
namespace {

// What the user does with the box once it is open.
using Action = std::function<void(QInputDialog&)>;

// Waits (inside the box's own event loop) for the modal input dialog, then
// checks it and plays `action` on it.
struct DialogCheck {
  bool found = false;
  QString title;
  QString label;
  QString initial_text;
  Qt::TextFormat label_format = Qt::AutoText;
  bool label_has_buddy = true;
  QDialogButtonBox::StandardButtons buttons;
};

void WhenOpen(DialogCheck& check, Action action, int attempts_left = 500) {
  QTimer::singleShot(10, [&check, action, attempts_left] {
    auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || !dialog->isVisible()) {
      if (attempts_left > 0) WhenOpen(check, action, attempts_left - 1);
      return;
    }
    check.found = true;
    check.title = dialog->windowTitle();
    check.label = dialog->labelText();
    if (auto* label = dialog->findChild<QLabel*>()) {
      check.label_format = label->textFormat();
      check.label_has_buddy = label->buddy() != nullptr;
    }
    if (auto* field = dialog->findChild<QLineEdit*>()) {
      check.initial_text = field->text();
    }
    if (auto* box = dialog->findChild<QDialogButtonBox*>()) check.buttons = box->standardButtons();
    action(*dialog);
  });
}

QLineEdit& Field(QInputDialog& dialog) {
  return *dialog.findChild<QLineEdit*>();
}

void Press(QInputDialog& dialog, QDialogButtonBox::StandardButton which) {
  dialog.findChild<QDialogButtonBox*>()->button(which)->click();
}

const std::u16string kPrompt =
    u"Enter LEFT/RIGHT Adjustment in Inches\rPositive to move RIGHT - Negative to move "
    u"LEFT\r\rEXAMPLE: .25 to move 1/4 inch RIGHT\r\r(Currently  .3)";

TEST(QtInputBox, ShowsTheTitleThePromptLinesAndAnEmptyField) {
  QWidget window;
  QtInputBox input(&window);
  DialogCheck check;
  WhenOpen(check, [](QInputDialog& dialog) {
    QTest::keyClicks(&Field(dialog), ".25");
    Press(dialog, QDialogButtonBox::Ok);
  });
  const std::optional<std::u16string> answer = input.Ask(kPrompt);

  ASSERT_TRUE(check.found);
  EXPECT_EQ(check.title, QStringLiteral("Quillet"));
  EXPECT_EQ(check.label,
            QStringLiteral("Enter LEFT/RIGHT Adjustment in Inches\nPositive to move RIGHT - "
                           "Negative to move LEFT\n\nEXAMPLE: .25 to move 1/4 inch "
                           "RIGHT\n\n(Currently  .3)"));
  EXPECT_TRUE(check.initial_text.isEmpty());
  EXPECT_EQ(check.buttons, QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(answer, u".25");
}

TEST(QtInputBox, ShowsTheFileTextAsPlainTextWithoutAccessKeys) {
  QtInputBox input(nullptr);
  DialogCheck check;
  WhenOpen(check, [](QInputDialog& dialog) { dialog.reject(); });
  (void)input.Ask(u"(Currently <b>x</b>&y)");
  ASSERT_TRUE(check.found);
  EXPECT_EQ(check.label, QStringLiteral("(Currently <b>x</b>&y)"));
  EXPECT_EQ(check.label_format, Qt::PlainText);
  EXPECT_FALSE(check.label_has_buddy);
}

// Whatever the calibration file holds, the box keeps a width of about 80
// characters with its buttons in view, and its field is named by its prompt.
TEST(QtInputBox, KeepsItsShapeWhateverThePromptQuotes) {
  for (const std::u16string& current :
       {std::u16string(u" .3"), std::u16string(1 << 20, u'W'),
        std::u16string(u"1\n2\0003\t4", 8) + std::u16string(300, u'\n'),
        u"a " + std::u16string(5000, u'\u2030') + u" b"}) {
    QtInputBox input(nullptr);
    DialogCheck check;
    bool in_shape = false;
    WhenOpen(check, [&](QInputDialog& dialog) {
      in_shape = dialog.width() <= QFontMetrics(dialog.font()).averageCharWidth() * 90 &&
                 dialog.screen()->availableGeometry().contains(dialog.frameGeometry()) &&
                 Field(dialog).accessibleName() == dialog.labelText();
      for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        const QPushButton* button = dialog.findChild<QDialogButtonBox*>()->button(which);
        in_shape = in_shape && button->isVisible() &&
                   dialog.rect().contains(QRect(button->mapTo(&dialog, QPoint()), button->size()));
      }
      dialog.reject();
    });
    (void)input.Ask(u"Enter LEFT/RIGHT Adjustment in Inches\r\r(Currently " + current + u")");
    ASSERT_TRUE(check.found);
    EXPECT_TRUE(in_shape) << current.size();
    EXPECT_FALSE(check.label.contains(QChar(0)) || check.label.contains('\t'));
    EXPECT_TRUE(check.label.startsWith("Enter LEFT/RIGHT Adjustment in Inches\n\n(Currently "));
  }
}

TEST(QtInputBox, GivesBackTheAnswerOnOkAndNothingOtherwise) {
  struct Case {
    const char* name;
    Action action;
    std::optional<std::u16string> answer;  // nothing: cancelled
  };
  const std::u16string long_answer(100000, u'7');
  const Case cases[] = {
      {"ok with text",
       [](QInputDialog& dialog) {
         QTest::keyClicks(&Field(dialog), "-1 5 inch");
         Press(dialog, QDialogButtonBox::Ok);
       },
       u"-1 5 inch"},
      {"ok with non-ASCII text",
       [](QInputDialog& dialog) {
         Field(dialog).setText(QString::fromStdU16String(u"\u00e4\u20ac \U0001F600"));
         dialog.accept();
       },
       u"\u00e4\u20ac \U0001F600"},
      {"ok with an empty field", [](QInputDialog& dialog) { Press(dialog, QDialogButtonBox::Ok); },
       u""},
      {"enter key",
       [](QInputDialog& dialog) {
         QTest::keyClicks(&Field(dialog), "0.1");
         QTest::keyClick(&Field(dialog), Qt::Key_Return);
       },
       u"0.1"},
      {"cancel after typing",
       [](QInputDialog& dialog) {
         QTest::keyClicks(&Field(dialog), "0.5");
         Press(dialog, QDialogButtonBox::Cancel);
       },
       std::nullopt},
      {"escape key",
       [](QInputDialog& dialog) {
         QTest::keyClicks(&Field(dialog), "0.5");
         QTest::keyClick(&Field(dialog), Qt::Key_Escape);
       },
       std::nullopt},
      {"closed",
       [](QInputDialog& dialog) {
         QTest::keyClicks(&Field(dialog), "0.5");
         dialog.close();
       },
       std::nullopt},
      {"a very long answer",
       [&long_answer](QInputDialog& dialog) {
         Field(dialog).setText(QString::fromStdU16String(long_answer));
         dialog.accept();
       },
       long_answer},
  };
  for (const Case& c : cases) {
    QtInputBox input(nullptr);
    DialogCheck check;
    WhenOpen(check, c.action);
    const std::optional<std::u16string> answer = input.Ask(u"Prompt");
    ASSERT_TRUE(check.found) << c.name;
    EXPECT_TRUE(check.initial_text.isEmpty()) << c.name;
    ASSERT_EQ(answer.has_value(), c.answer.has_value()) << c.name;
    if (answer) {
      EXPECT_EQ(answer->size(), c.answer->size()) << c.name;
    }
    EXPECT_TRUE(answer == c.answer) << c.name;
  }
}

TEST(QtInputBox, EachBoxStartsEmptyAgain) {
  QtInputBox input(nullptr);
  for (const char* typed : {"1", "2"}) {
    DialogCheck check;
    WhenOpen(check, [typed](QInputDialog& dialog) {
      QTest::keyClicks(&Field(dialog), typed);
      dialog.accept();
    });
    EXPECT_EQ(input.Ask(u"Prompt"), QString::fromLatin1(typed).toStdU16String());
    EXPECT_TRUE(check.initial_text.isEmpty());
  }
}

}  // namespace
}  // namespace quillet
