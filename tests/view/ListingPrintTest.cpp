#include <gtest/gtest.h>

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <string>
#include <vector>

#include "FailingAllocation.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"
#include "ViewWindow.h"
#include "document/CTesselDoc.h"
#include "model/ProtocolListing.h"
#include "model/TextBuffer.h"
#include "view/CTesselView.h"
#include "view/ListingPrintJob.h"

namespace {

constexpr const char* kTime = "Monday, December 07, 2026, 10:30";

std::vector<CommandTexts> Commands(int count) {
    std::vector<CommandTexts> commands;
    for (int i = 1; i <= count; ++i) {
        commands.push_back(MakeCommand("Lamp:Cmd" + std::to_string(i)));
    }
    return commands;
}

// The text of each page of a PDF file, as pdftotext reads it back.
std::vector<QString> PdfPages(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), path, QStringLiteral("-")});
    EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext (poppler-utils) did not run";
    QString text = QString::fromUtf8(process.readAllStandardOutput());
    std::vector<QString> pages;
    for (const QString& page : text.split(QLatin1Char('\f'))) {
        pages.push_back(page);
    }
    // pdftotext ends every page, the last one too, with a form feed.
    if (!pages.empty() && pages.back().trimmed().isEmpty()) {
        pages.pop_back();
    }
    return pages;
}

// The lines of a page between its header and its footer, blanks at the ends cut.
QStringList BodyLines(const QString& page) {
    QStringList lines = page.split(QLatin1Char('\n'));
    QStringList body;
    for (int i = 1; i + 1 < lines.size(); ++i) {
        body.push_back(lines[i].trimmed());
    }
    while (!body.isEmpty() && body.front().isEmpty()) {
        body.pop_front();
    }
    while (!body.isEmpty() && (body.back().isEmpty() || body.back().contains("Vantor Cuewright"))) {
        body.pop_back();
    }
    return body;
}

// Prints into a PDF file at 600 pixels per inch on Letter paper without margins:
// 6,600 pixels high, so the last line may start at 6,000.
class ListingPrint : public ::testing::Test {
protected:
    explicit ListingPrint(int commands = 40) : window(doc, app, Commands(commands)) {
        EXPECT_TRUE(doc.SetDeviceField(DeviceFieldId::Author, "Dana Whitcombe"));
        pdf = QString::fromStdString(temp.Path("listing.pdf"));
        QPrinter& printer = app.Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(600);
        printer.setFullPage(true);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                          QMarginsF(0, 0, 0, 0)));
    }

    CTesselView& View() { return window.View(); }
    bool PdfWritten() const { return QFileInfo::exists(pdf); }

    // The pages the layout rules give for the listing's lines, worked out from the
    // lines alone: from 4 line heights down, a heading two lines, none below the bottom.
    int ExpectedPages() {
        TextBuffer buffer;
        EXPECT_TRUE(buffer.Allocate(0));
        buffer.AllowGrowth();
        EXPECT_TRUE(WriteListing(doc.GetProtocol(), buffer));
        std::string text(buffer.GetData(), buffer.GetUsed());
        int pages = 0;
        int y = 1 << 30;
        for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            if (y > 6000) {
                ++pages;
                y = 4 * 85;
            }
            y += text[start] == '[' ? 2 * 85 : 85;
        }
        return pages;
    }

    ScriptedPlatform platform;
    TempDir temp;
    ViewApplication app;
    CTesselDoc doc;
    ViewWindow window;
    ListingPrintJob job{doc, app.Printer()};
    QString pdf;
};

class EmptyListingPrint : public ListingPrint {
protected:
    EmptyListingPrint() : ListingPrint(0) {}
};

} // namespace

TEST_F(ListingPrint, LinesAndFontsAreMeasuredInThePrintersPixels) {
    CPrintInfo info;
    info.m_bPreview = true;
    // The view's printing steps run its own job on the application's printer.
    ASSERT_TRUE(View().OnPreparePrinting(info)) << "a preview needs no dialog";
    ASSERT_TRUE(View().OnBeginPrinting(info));
    const ListingPrintJob& viewJob = *View().PrintJob();
    EXPECT_EQ(viewJob.GetLineHeight(), 85);
    EXPECT_EQ(viewJob.GetPageBottom(), 6600 - 600);
    EXPECT_EQ(viewJob.GetListingFont().pixelSize(), 68);
    EXPECT_EQ(viewJob.GetListingFont().family(), "Courier New");
    EXPECT_EQ(viewJob.GetListingFont().weight(), QFont::Normal);
    EXPECT_EQ(viewJob.GetHeadingFont().pixelSize(), 106);
    EXPECT_EQ(viewJob.GetHeadingFont().family(), "Arial");
    EXPECT_EQ(viewJob.GetHeadingFont().weight(), QFont::Bold);
    EXPECT_EQ(info.m_nNumPreviewPages, 2);
    EXPECT_EQ(info.m_nMaxPage, ExpectedPages());
    EXPECT_EQ(doc.GetTextBuffer().GetCapacity(), 40 * kListingBytesPerCommand)
        << "the listing fits the first guess";
    View().OnEndPrinting(info);
    EXPECT_EQ(doc.GetTextBuffer().GetData(), nullptr);
    EXPECT_EQ(View().PrintPages(nullptr, false, info), 0) << "no listing after the job";
}

TEST_F(ListingPrint, EveryPageComesOutOnceWithItsHeaderAndFooter) {
    platform.printDialogAnswer = [](QPrinter&) { return true; };
    ASSERT_TRUE(job.Print(false));
    EXPECT_EQ(platform.printDialogCount, 1);
    EXPECT_TRUE(platform.messages.empty()) << platform.Texts().front();

    const int count = ExpectedPages();
    ASSERT_GE(count, 4);
    std::vector<QString> pages = PdfPages(pdf);
    ASSERT_EQ(static_cast<int>(pages.size()), count);
    for (int k = 1; k <= count; ++k) {
        const QString& page = pages[static_cast<std::size_t>(k - 1)];
        QString header = page.section(QLatin1Char('\n'), 0, 0);
        EXPECT_TRUE(header.contains(QRegularExpression(
            QStringLiteral("^Switcher +Protocol Listing +Page %1 of %2$").arg(k).arg(count))))
            << header.toStdString();
        QString footer = page.trimmed().section(QLatin1Char('\n'), -1);
        EXPECT_TRUE(footer.contains(QRegularExpression(
            QStringLiteral("^Vantor Cuewright +Dana Whitcombe +%1$").arg(QLatin1String(kTime)))))
            << footer.toStdString();
    }
    // The protocol heading loses its bracket and leads page 1. Each command takes
    // ten lines (a blank, a two-line heading, six fields and the message), so the
    // fifth command runs from line 59 and its Retries line is the first of page 2.
    QStringList first = BodyLines(pages[0]);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_TRUE(first.front().contains(QRegularExpression(QStringLiteral("^Protocol: +Switcher$"))))
        << first.front().toStdString();
    EXPECT_TRUE(first.back().startsWith("Timeout:")) << first.back().toStdString();
    QStringList second = BodyLines(pages[1]);
    ASSERT_GE(second.size(), 2);
    EXPECT_TRUE(second[0].startsWith("Retries:")) << second[0].toStdString();
    EXPECT_TRUE(second[1].startsWith("Message:")) << second[1].toStdString();
    EXPECT_EQ(doc.GetTextBuffer().GetData(), nullptr) << "the listing is let go of";
}

TEST_F(ListingPrint, APageRangePrintsThosePagesOnly) {
    platform.printDialogAnswer = [](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        return true;
    };
    ASSERT_TRUE(job.Print(false));
    const int count = ExpectedPages();
    std::vector<QString> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 2 of %1").arg(count)));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 3 of %1").arg(count)));

    // The next Print offers every page again.
    platform.printDialogAnswer = [](QPrinter& printer) {
        EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
        return false;
    };
    EXPECT_FALSE(job.Print(false));
}

TEST_F(ListingPrint, ARangeBeyondTheLastPagePrintsNothingAndSaysSo) {
    platform.printDialogAnswer = [](QPrinter& printer) {
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(50, 60);
        return true;
    };
    EXPECT_FALSE(job.Print(false));
    EXPECT_FALSE(PdfWritten());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text,
              QString::asprintf(ListingPrintJob::kNoPagesInRange, ExpectedPages()).toStdString());
}

TEST_F(ListingPrint, CancellingThePrintDialogPrintsNothing) {
    EXPECT_FALSE(job.Print(false));
    EXPECT_EQ(platform.printDialogCount, 1);
    EXPECT_FALSE(PdfWritten());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(doc.GetTextBuffer().GetData(), nullptr);
}

TEST_F(ListingPrint, ALineWiderThanThePageGoesOnOnTheNextLines) {
    ASSERT_TRUE(doc.SetCommandField(0, CommandFieldId::Message, std::string(600, 'x') + "END"));
    ASSERT_TRUE(job.Print(true));
    EXPECT_EQ(platform.printDialogCount, 0) << "printing directly shows no dialog";
    std::vector<QString> pages = PdfPages(pdf);
    ASSERT_FALSE(pages.empty());
    QStringList body = BodyLines(pages[0]);
    int at = body.indexOf(QRegularExpression(QStringLiteral("^Message: +x+$")));
    ASSERT_GE(at, 0);
    // Every character is printed, on as many lines as it takes, none past the edge.
    QString joined;
    int lines = 0;
    for (int i = at; i < body.size() && !body[i].isEmpty(); ++i, ++lines) {
        joined += body[i];
    }
    EXPECT_GE(lines, 5);
    EXPECT_EQ(joined.count(QLatin1Char('x')), 600);
    EXPECT_TRUE(joined.endsWith("END")) << joined.right(20).toStdString();
}

TEST_F(EmptyListingPrint, AProtocolWithoutCommandsPrintsOnePage) {
    ASSERT_TRUE(job.Print(true));
    EXPECT_TRUE(platform.messages.empty()) << platform.Texts().front();
    std::vector<QString> pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_TRUE(pages[0].contains("Page 1 of 1"));
    QStringList body = BodyLines(pages[0]);
    body.removeAll(QString());
    ASSERT_EQ(body.size(), 18);
    EXPECT_TRUE(body.back().startsWith("VantorType:")) << body.back().toStdString();
}

TEST_F(EmptyListingPrint, RunningOutOfMemoryPrintsNoPageAtAll) {
    struct Case {
        std::size_t failing; // the allocation that fails: the buffer, then its growth
        const char* message;
    };
    for (const Case& c :
         {Case{0, ListingPrintJob::kNoPrintMemory}, Case{1, ListingPrintJob::kPrintFailed}}) {
        platform.messages.clear();
        CPrintInfo info;
        info.m_bDirect = true;
        ASSERT_TRUE(View().OnPreparePrinting(info));
        FailingAllocation::FailAfter(c.failing);
        bool begun = View().OnBeginPrinting(info);
        bool failed = FailingAllocation::HasFailed();
        FailingAllocation::Disarm();
        EXPECT_TRUE(failed);
        EXPECT_FALSE(begun);
        EXPECT_EQ(platform.Texts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(platform.messages[0].busyCursorShown) << "the wait cursor is down first";
        EXPECT_EQ(doc.GetTextBuffer().GetData(), nullptr);
        EXPECT_EQ(View().PrintPages(nullptr, false, info), 0);
        View().OnEndPrinting(info);
    }
    EXPECT_FALSE(PdfWritten());
}

TEST_F(ListingPrint, PreviewShowsTwoPagesOfTheSameListingAndKeepsWhatWasShownAtTheEnd) {
    // What the user sees, page after page, drawn into the PDF file to be read back.
    platform.previewAction = [](QPrinter& printer, const Platform::PreviewPages& source) {
        QPainter painter(&printer);
        for (int page = 1; page <= source.count; ++page) {
            if (page > 1) {
                printer.newPage();
            }
            source.draw(painter, page);
        }
    };
    EXPECT_EQ(job.Preview(), 2);
    EXPECT_EQ(platform.previewPagesAsked, std::vector<int>{2});
    EXPECT_EQ(platform.previewPageCounts, std::vector<int>{ExpectedPages()});
    EXPECT_EQ(platform.printDialogCount, 0);
    std::vector<QString> pages = PdfPages(pdf);
    ASSERT_EQ(static_cast<int>(pages.size()), ExpectedPages());
    for (int k = 1; k <= ExpectedPages(); ++k) {
        EXPECT_TRUE(pages[static_cast<std::size_t>(k - 1)].contains(
            QStringLiteral("Page %1 of %2").arg(k).arg(ExpectedPages())));
    }
    EXPECT_EQ(doc.GetTextBuffer().GetData(), nullptr);

    // Left showing one page, with Print: the print dialog follows.
    platform.previewAction = nullptr;
    platform.previewPagesAtClose = 1;
    platform.previewPrints = true;
    EXPECT_EQ(job.Preview(), 1);
    EXPECT_EQ(platform.printDialogCount, 1);
    EXPECT_EQ(platform.previewPagesAsked, (std::vector<int>{2, 2}))
        << "each preview starts with two pages";
}
