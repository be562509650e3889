#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "TempDir.h"
#include "platform/PrintPreviewDialog.h"
#include "platform/QtPlatform.h"

namespace {

// What a message box looked like when the test answered it.
struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// The visible top-level widget of type T, once a modal dialog is up.
template <typename T> T* ShownDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<T*>(widget); dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

// Collects what Qt writes to the console while it is alive.
class ConsoleCapture {
public:
    ConsoleCapture() { s_pPrevious = qInstallMessageHandler(&ConsoleCapture::Handle); }
    ~ConsoleCapture() { qInstallMessageHandler(s_pPrevious); }
    static QStringList lines;

private:
    static void Handle(QtMsgType, const QMessageLogContext&, const QString& text) {
        // The offscreen platform the tests run on remarks on what it cannot do with
        // windows; that is not the program speaking.
        if (!text.startsWith(QStringLiteral("This plugin does not support"))) {
            lines.append(text);
        }
    }
    static QtMessageHandler s_pPrevious;
};
QStringList ConsoleCapture::lines;
QtMessageHandler ConsoleCapture::s_pPrevious = nullptr;

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
    platform.SetClipboardText("");
    EXPECT_EQ(platform.ClipboardText(), "") << "an empty text is still a text";
    QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
    EXPECT_EQ(platform.ClipboardText(), std::nullopt);
    QApplication::clipboard()->clear();
    EXPECT_EQ(platform.ClipboardText(), std::nullopt);
}

TEST(QtPlatform, PrintSetupChoosesThePrinterAndItsOptionsWithoutAWordOnTheConsole) {
    QtPlatform platform;
    ConsoleCapture console;
    ConsoleCapture::lines.clear();
    QPrinter printer(QPrinter::HighResolution);
    struct Seen {
        QString title;
        QPrinter* printer = nullptr;
        bool printerChoice = false;
        bool pageRangeShown = false;
        QString okText;
    };
    for (bool confirm : {false, true}) {
        auto seen = std::make_shared<Seen>();
        QTimer::singleShot(0, [seen, confirm] {
            auto* dialog = ShownDialog<QPrintDialog>();
            ASSERT_NE(dialog, nullptr);
            seen->title = dialog->windowTitle();
            seen->printer = dialog->printer();
            // The list of printers to choose from.
            for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
                seen->printerChoice = seen->printerChoice || box->isVisibleTo(dialog);
            }
            // Which pages to print is the Print dialog's question, not this one's.
            if (auto* range = dialog->findChild<QWidget*>("gbPrintRange")) {
                seen->pageRangeShown = range->isVisibleTo(dialog);
            }
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            ASSERT_NE(buttons, nullptr);
            seen->okText = buttons->button(QDialogButtonBox::Ok)->text();
            if (confirm) {
                dialog->accept();
            } else {
                dialog->reject();
            }
        });
        EXPECT_EQ(platform.ShowPrintSetup(printer), confirm);
        EXPECT_EQ(seen->title, "Print Setup");
        EXPECT_EQ(seen->printer, &printer);
        EXPECT_TRUE(seen->printerChoice);
        EXPECT_FALSE(seen->pageRangeShown);
        // Nothing is printed here, so the button does not say so.
        EXPECT_EQ(seen->okText, "OK");
    }
    EXPECT_TRUE(ConsoleCapture::lines.isEmpty()) << ConsoleCapture::lines.join('\n').toStdString();
}

TEST(QtPlatform, SaveDialogStartsInTheFolderOfTheProposedFileOrElseTheStartFolder) {
    QtPlatform platform;
    TempDir temp;
    QString start = QString::fromStdString(temp.Path("Protocol"));
    QString other = QString::fromStdString(temp.Path("Other"));
    QDir().mkpath(start);
    QDir().mkpath(other);
    struct Case {
        QString proposed, startFolder, folder, name;
    };
    for (const Case& c : {
             Case{"Tessel1", start, start, "Tessel1.pcl"},
             Case{other + "/Relay.pcl", start, other, "Relay.pcl"},
         }) {
        auto seen = std::make_shared<QStringList>();
        QTimer::singleShot(0, [seen] {
            auto* dialog = ShownDialog<QFileDialog>();
            ASSERT_NE(dialog, nullptr);
            seen->append(dialog->directory().absolutePath());
            seen->append(QFileInfo(dialog->selectedFiles().value(0)).fileName());
            dialog->reject();
        });
        std::string chosen;
        EXPECT_FALSE(platform.AskSaveFileName("File Save As", "Protocol Files (*.pcl)", "pcl",
                                              c.proposed.toStdString(), c.startFolder.toStdString(),
                                              chosen));
        EXPECT_EQ(*seen, (QStringList{QDir(c.folder).absolutePath(), c.name}))
            << c.proposed.toStdString();
    }
}

TEST(QtPlatform, PrintDialogOffersThePageRangeAndHandsTheChoiceToThePrinter) {
    QtPlatform platform;
    QPrinter printer(QPrinter::HighResolution);
    QString title;
    bool rangeOffered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = ShownDialog<QPrintDialog>();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        rangeOffered = dialog->testOption(QAbstractPrintDialog::PrintPageRange);
        dialog->reject();
    });
    EXPECT_FALSE(platform.ShowPrintDialog(printer));
    EXPECT_EQ(title, "Print");
    EXPECT_TRUE(rangeOffered);
}

TEST(QtPlatform, PrintPreviewShowsTwoPagesSideBySideAndTurnsThemWithThePageKeys) {
    QtPlatform platform;
    ConsoleCapture console;
    ConsoleCapture::lines.clear();
    QPrinter printer(QPrinter::HighResolution);
    std::vector<int> drawn;
    Platform::PreviewPages source;
    source.count = 5;
    source.draw = [&drawn](QPainter& painter, int page) {
        drawn.push_back(page);
        // A black block across the top of the printable area, in printer pixels.
        painter.fillRect(QRect(0, 0, 8000, 2000), Qt::black);
    };
    struct Seen {
        QString title;
        std::vector<std::pair<int, int>> shown; // first page, pages side by side
        std::vector<int> drawnAtStart;
        bool twoPapers = false;
        bool scrollsWhenZoomed = false;
        bool fitsAgain = false;
        bool closed = false;
    } seen;
    QTimer::singleShot(0, [&] {
        auto* dialog = ShownDialog<PrintPreviewDialog>();
        ASSERT_NE(dialog, nullptr);
        seen.title = dialog->windowTitle();
        auto record = [&] { seen.shown.emplace_back(dialog->CurrentPage(), dialog->PagesShown()); };
        record();
        drawn.clear();
        QImage image = dialog->grab().toImage();
        seen.drawnAtStart = drawn;
        // Two sheets of paper, each with the block drawn on it: white, then black,
        // seen along a line through the upper part of both.
        int changes = 0;
        int y = image.height() / 4;
        for (int x = 1; x < image.width(); ++x) {
            changes += image.pixelColor(x, y) != image.pixelColor(x - 1, y);
        }
        seen.twoPapers = changes >= 6;
        for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown, Qt::Key_PageDown,
                            Qt::Key_PageUp}) {
            QTest::keyClick(dialog, key);
            record();
        }
        dialog->SetPagesShown(1);
        QTest::keyClick(dialog, Qt::Key_PageDown);
        record();
        // Zoomed in, the page is taller than the window, which scrolls; the page
        // keys on the page still turn it, and the wheel scrolls instead.
        auto* scroll = dialog->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        dialog->SetZoom(1);
        QApplication::processEvents();
        seen.scrollsWhenZoomed = scroll->verticalScrollBar()->maximum() > 0;
        QTest::keyClick(scroll->widget(), Qt::Key_PageUp);
        record();
        dialog->SetZoom(0);
        QApplication::processEvents();
        seen.fitsAgain = scroll->verticalScrollBar()->maximum() == 0;
        QTest::keyClick(dialog, Qt::Key_Escape);
        seen.closed = !dialog->isVisible();
        if (!seen.closed) {
            dialog->reject();
        }
    });
    Platform::PreviewResult result = platform.ShowPrintPreview(printer, 2, source);
    EXPECT_EQ(result.pages, 1);
    EXPECT_FALSE(result.print);
    EXPECT_EQ(seen.title, "Print Preview");
    EXPECT_EQ(seen.drawnAtStart, (std::vector<int>{1, 2}));
    EXPECT_TRUE(seen.twoPapers);
    // Two pages at a time turn one page on, up to the last pair.
    const std::vector<std::pair<int, int>> expected = {{1, 2}, {2, 2}, {3, 2}, {4, 2},
                                                       {4, 2}, {3, 2}, {4, 1}, {3, 1}};
    EXPECT_EQ(seen.shown, expected);
    EXPECT_TRUE(seen.scrollsWhenZoomed);
    EXPECT_TRUE(seen.fitsAgain);
    EXPECT_TRUE(seen.closed);
    EXPECT_TRUE(ConsoleCapture::lines.isEmpty()) << ConsoleCapture::lines.join('\n').toStdString();
}
