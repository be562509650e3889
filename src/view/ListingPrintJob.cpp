#include "view/ListingPrintJob.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "document/CTesselDoc.h"
#include "document/QtText.h"
#include "model/TextBuffer.h"
#include "platform/Platform.h"
#include "view/ListingLayout.h"

ListingPrintJob::ListingPrintJob(CTesselDoc& document, QPrinter& printer)
    : m_oDocument(document), m_oPrinter(printer) {}

ListingPrintJob::~ListingPrintJob() = default;

bool ListingPrintJob::Print(bool direct) {
    CPrintInfo info;
    info.m_bDirect = direct;
    return OnPreparePrinting(info) && Run(info);
}

std::optional<int> ListingPrintJob::Preview() {
    CPrintInfo info;
    info.m_bPreview = true;
    OnPreparePrinting(info);
    if (!OnBeginPrinting(info)) {
        OnEndPrinting(info);
        return std::nullopt;
    }
    Platform::PreviewPages source;
    source.count = info.m_nMaxPage;
    source.draw = [this, &info](QPainter& painter, int page) {
        info.m_nCurPage = page;
        OnPrint(painter, info);
    };
    const Platform::PreviewResult result =
        Platform::Current().ShowPrintPreview(m_oPrinter, info.m_nNumPreviewPages, source);
    OnEndPrinting(info);
    // Print in the preview goes on to the print dialog, as Print does.
    if (result.print) {
        Print(false);
    }
    return result.pages;
}

bool ListingPrintJob::Run(CPrintInfo& info) {
    Platform& platform = Platform::Current();
    if (!OnBeginPrinting(info)) {
        OnEndPrinting(info);
        return false;
    }
    int first = 1;
    int last = info.m_nMaxPage;
    if (info.m_nFromPage > 0) {
        first = info.m_nFromPage;
        last = std::min(last, std::max(info.m_nToPage, info.m_nFromPage));
    }
    if (first > last) {
        OnEndPrinting(info);
        platform.MessageOk(QString::asprintf(kNoPagesInRange, info.m_nMaxPage).toStdString());
        return false;
    }
    QPainter painter;
    if (!painter.begin(&m_oPrinter)) {
        OnEndPrinting(info);
        platform.MessageOk(kPrinterNotStarted);
        return false;
    }
    // Each page of the range is drawn once, in order; the painter began the first.
    for (int page = first; page <= last; ++page) {
        if (page > first && !m_oPrinter.newPage()) {
            break;
        }
        info.m_nCurPage = page;
        OnPrint(painter, info);
    }
    painter.end();
    OnEndPrinting(info);
    if (m_oPrinter.printerState() == QPrinter::Error) {
        platform.MessageOk(kPrinterNotStarted);
        return false;
    }
    return true;
}

bool ListingPrintJob::OnPreparePrinting(CPrintInfo& info) {
    m_oDocument.GetTextBuffer().Release();
    // The job's name in the printer's queue, and the name the print dialog proposes
    // for a PDF file.
    m_oPrinter.setDocName(QFileInfo(QtText::FromUtf8(m_oDocument.GetTitle())).completeBaseName());
    m_poLayout.reset();
    m_bListingBuilt = false;
    if (info.m_bPreview || info.m_bDirect) {
        return true;
    }
    // The dialog offers every page again; a range belongs to the job it was chosen for.
    m_oPrinter.setPrintRange(QPrinter::AllPages);
    if (!Platform::Current().ShowPrintDialog(m_oPrinter)) {
        return false;
    }
    if (m_oPrinter.printRange() == QPrinter::PageRange && m_oPrinter.fromPage() > 0) {
        info.m_nFromPage = m_oPrinter.fromPage();
        info.m_nToPage = m_oPrinter.toPage();
    }
    return true;
}

bool ListingPrintJob::PrepareListing() {
    Platform& platform = Platform::Current();
    WaitCursor wait(platform);
    TextBuffer& buffer = m_oDocument.GetTextBuffer();
    const auto commands = static_cast<std::size_t>(m_oDocument.GetCommandCount());
    if (!buffer.Allocate(kListingBytesPerCommand * commands)) {
        wait.End();
        platform.MessageOk(kNoPrintMemory);
        return false;
    }
    // The first guess is what a command usually needs; a protocol without commands,
    // or with long values, needs more, and the buffer grows to hold it.
    buffer.AllowGrowth();
    if (!BuildListing()) {
        wait.End();
        platform.MessageOk(kPrintFailed);
        buffer.Release();
        return false;
    }
    m_bListingBuilt = true;
    return true;
}

bool ListingPrintJob::BuildListing() {
    return WriteListing(m_oDocument.GetProtocol(), m_oDocument.GetTextBuffer());
}

bool ListingPrintJob::OnBeginPrinting(CPrintInfo& info) {
    const int pixelsPerInch = m_oPrinter.logicalDpiY();
    m_oPrinterPage = {m_oPrinter.width(), m_oPrinter.height(), m_oPrinter.heightMM(),
                      pixelsPerInch};
    m_nLineHeight = pixelsPerInch / 7;
    m_nPageBottom = m_oPrinter.height() - pixelsPerInch;
    if (!m_bListingBuilt && !PrepareListing()) {
        return false;
    }

    m_fontListing = QFont(QStringLiteral("Courier New"));
    m_fontListing.setStyleHint(QFont::TypeWriter);
    m_fontListing.setPixelSize(std::max(1, static_cast<int>(m_nLineHeight * 0.8)));
    m_fontListing.setWeight(QFont::Normal);
    m_fontHeading = QFont(QStringLiteral("Arial"));
    m_fontHeading.setStyleHint(QFont::SansSerif);
    m_fontHeading.setPixelSize(std::max(1, m_nLineHeight + m_nLineHeight / 4));
    m_fontHeading.setWeight(QFont::Bold);

    m_poLayout = std::make_unique<ListingLayout>(
        m_fontListing, m_fontHeading, m_oPrinter,
        ListingLayout::Measures{m_nLineHeight, m_nPageBottom, m_oPrinter.width()});
    info.m_nMaxPage = PrintPages(nullptr, false, info);
    info.m_nNumPreviewPages = 2;
    return true;
}

void ListingPrintJob::OnPrint(QPainter& painter, CPrintInfo& info) {
    PrintPages(&painter, true, info);
}

void ListingPrintJob::OnEndPrinting(CPrintInfo& /*info*/) {
    m_oDocument.GetTextBuffer().Release();
    m_poLayout.reset();
    m_bListingBuilt = false;
}

int ListingPrintJob::PrintPages(QPainter* painter, bool draw, CPrintInfo& info) {
    if (!m_poLayout) {
        return 0;
    }
    if (!draw || painter == nullptr) {
        return m_poLayout->Paginate(m_oDocument.GetTextBuffer().GetData());
    }
    const int page = info.m_nCurPage;
    if (page < 1 || page > m_poLayout->PageCount()) {
        return m_poLayout->PageCount();
    }
    m_poLayout->DrawPage(*painter, page);

    const ProtocolNode& protocol = m_oDocument.GetProtocol();
    DrawPageText(*painter, kTopBand, kLeft, QtText::FromModel(protocol.m_strDescription));
    DrawPageText(*painter, kTopBand, kCentre, QString::fromLatin1(kListingTitle));
    DrawPageText(*painter, kTopBand, kRight,
                 QString::asprintf(kPageNumberFormat, page, info.m_nMaxPage));
    DrawPageText(*painter, kBottomBand, kLeft, QString::fromLatin1(kFooterLeft));
    DrawPageText(*painter, kBottomBand, kCentre, QtText::FromModel(protocol.m_strAuthor));
    // The time is taken anew for each page, as the page is drawn.
    DrawPageText(*painter, kBottomBand, kRight,
                 QtText::FromUtf8(Platform::Current().FormatLocalTime(kFooterTimeFormat)));
    return m_poLayout->PageCount();
}

void ListingPrintJob::DrawPageText(QPainter& painter, int band, int position, const QString& text) {
    // The printer's measures, also while a preview draws the page on the screen.
    const int width = m_oPrinterPage.width;
    const int height = m_oPrinterPage.height;
    const int heightMM = m_oPrinterPage.heightMM;
    // 19 millimetres in whole pixels per millimetre.
    const int bandHeight = (heightMM > 0 ? height / heightMM : 0) * 19;

    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(10.0 * m_oPrinterPage.pixelsPerInch / 72.0)));
    font.setWeight(QFont::Light);
    const QFontMetrics metrics(font, painter.device());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();

    int x = 0;
    if (position == kCentre) {
        x = width / 2 - w / 2;
    } else if (position == kRight) {
        x = width - w - 20;
    }
    const int y = band == kTopBand ? bandHeight / 2 - h / 2 : height - bandHeight / 2 - h / 2;

    const QFont previous = painter.font();
    painter.setFont(font);
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    painter.setFont(previous);
}
