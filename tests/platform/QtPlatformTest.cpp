#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include "platform/QtPlatform.h"

namespace {

// What a message box looked like when the test answered it.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

} // namespace

TEST(QtPlatform, MessageBoxesHaveTheCaptionIconsAndButtons) {
    QtPlatform platform;
    struct Case {
        Platform::MessageKind kind;
        QMessageBox::StandardButton click;
        Platform::Answer answer;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    const QMessageBox::StandardButtons yesNo = QMessageBox::Yes | QMessageBox::No;
    for (const Case& c : {
             Case{Platform::MessageKind::Ok, QMessageBox::Ok, Platform::Answer::Ok,
                  QMessageBox::Warning, QMessageBox::Ok},
             Case{Platform::MessageKind::YesNo, QMessageBox::No, Platform::Answer::No,
                  QMessageBox::Question, yesNo},
             Case{Platform::MessageKind::YesNo, QMessageBox::Yes, Platform::Answer::Yes,
                  QMessageBox::Question, yesNo},
             Case{Platform::MessageKind::YesNoCancel, QMessageBox::Cancel, Platform::Answer::Cancel,
                  QMessageBox::Warning, yesNo | QMessageBox::Cancel},
         }) {
        auto seen = std::make_shared<BoxSeen>();
        QTimer::singleShot(0, [seen, c] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                    seen->title = box->windowTitle();
                    seen->text = box->text();
                    seen->icon = box->icon();
                    seen->buttons = box->standardButtons();
                    box->button(c.click)->click();
                }
            }
        });
        EXPECT_EQ(platform.ShowMessage("Save changes to caf\xC3\xA9?", c.kind), c.answer);
        EXPECT_EQ(seen->title, "Tessel");
        EXPECT_EQ(seen->text, QString::fromUtf8("Save changes to caf\xC3\xA9?"));
        EXPECT_EQ(seen->icon, c.icon);
        EXPECT_EQ(seen->buttons, c.buttons);
    }
}

TEST(QtPlatform, BusyCursorIsOneStateNotACount) {
    QtPlatform platform;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    platform.BeginWaitCursor();
    platform.BeginWaitCursor();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    platform.EndWaitCursor();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        WaitCursor wait(platform);
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        wait.End();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtPlatform, ClipboardCarriesText) {
    QtPlatform platform;
    platform.SetClipboardText("Lamp:On \xE2\x82\xAC");
    EXPECT_EQ(platform.ClipboardText(), "Lamp:On \xE2\x82\xAC");
}
