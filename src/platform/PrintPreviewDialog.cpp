#include "platform/PrintPreviewDialog.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <functional>

namespace {

constexpr qreal kMargin = 16;

} // namespace

// The pages themselves: each on its paper, scaled to fit the area, with a shadow.
// Page Down and Page Up, and the wheel while the pages fit the window, turn pages
// through `turn` (+1 or -1).
class PreviewArea : public QWidget {
public:
    PreviewArea(QPrinter& printer, const Platform::PreviewPages& source,
                std::function<void(int)> turn, QWidget* parent)
        : QWidget(parent), m_oPrinter(printer), m_oSource(source), m_fnTurn(std::move(turn)) {
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAccessibleName(QStringLiteral("Pages"));
        setMinimumSize(320, 240);
    }

    void Show(int first, int count, bool zoomed) {
        m_nFirst = first;
        m_nCount = count;
        m_bZoomed = zoomed;
        update();
    }

    // Where page slot `slot` (0 or 1) lies in the area, paper and all.
    QRectF PaperRect(int slot) const {
        const QRectF paper = m_oPrinter.paperRect(QPrinter::DevicePixel);
        const qreal across = (width() - kMargin * (m_nCount + 1)) / m_nCount;
        const qreal scale = std::max<qreal>(
            0.001, std::min(across / paper.width(), (height() - 2 * kMargin) / paper.height()));
        const QSizeF size(paper.width() * scale, paper.height() * scale);
        const qreal left = (width() - size.width() * m_nCount - kMargin * (m_nCount - 1)) / 2;
        return {QPointF(left + slot * (size.width() + kMargin), (height() - size.height()) / 2),
                size};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const QRectF paper = m_oPrinter.paperRect(QPrinter::DevicePixel);
        const QRectF printable = m_oPrinter.pageRect(QPrinter::DevicePixel);
        for (int slot = 0; slot < m_nCount; ++slot) {
            const int page = m_nFirst + slot;
            if (page > m_oSource.count && !(page == 1 && m_oSource.count == 0)) {
                break;
            }
            const QRectF place = PaperRect(slot);
            painter.fillRect(place.translated(3, 3), palette().color(QPalette::Shadow));
            painter.fillRect(place, Qt::white);
            if (page > m_oSource.count || !m_oSource.draw) {
                continue;
            }
            painter.save();
            painter.setClipRect(place);
            painter.translate(place.topLeft());
            painter.scale(place.width() / paper.width(), place.height() / paper.height());
            painter.translate(printable.topLeft() - paper.topLeft());
            painter.setPen(Qt::black);
            m_oSource.draw(painter, page);
            painter.restore();
        }
    }

    void keyPressEvent(QKeyEvent* event) override {
        // Before the scroll area, which would scroll by a screenful instead.
        if (event->modifiers() == Qt::NoModifier &&
            (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp)) {
            m_fnTurn(event->key() == Qt::Key_PageDown ? 1 : -1);
            return;
        }
        QWidget::keyPressEvent(event);
    }

    void wheelEvent(QWheelEvent* event) override {
        // Zoomed in, the wheel scrolls the page.
        if (m_bZoomed) {
            event->ignore();
            return;
        }
        if (event->angleDelta().y() != 0) {
            m_fnTurn(event->angleDelta().y() < 0 ? 1 : -1);
        }
        event->accept();
    }

private:
    QPrinter& m_oPrinter;
    const Platform::PreviewPages& m_oSource;
    std::function<void(int)> m_fnTurn;
    int m_nFirst = 1;
    int m_nCount = 2;
    bool m_bZoomed = false;
};

PrintPreviewDialog::PrintPreviewDialog(QPrinter& printer, const Platform::PreviewPages& source,
                                       int pages, QWidget* parent)
    : QDialog(parent), m_oSource(source), m_pScroll(new QScrollArea(this)),
      m_pArea(new PreviewArea(
          printer, source, [this](int by) { by > 0 ? NextPage() : PreviousPage(); }, m_pScroll)),
      m_nPagesShown(pages == 1 ? 1 : 2) {
    auto* toolBar = new QToolBar(this);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* print = toolBar->addAction(QStringLiteral("&Print..."));
    m_pNext = toolBar->addAction(QStringLiteral("&Next Page"));
    m_pPrevious = toolBar->addAction(QStringLiteral("Pre&v Page"));
    m_pPagesToggle = toolBar->addAction(QString());
    m_pZoomIn = toolBar->addAction(QStringLiteral("Zoom &In"));
    m_pZoomOut = toolBar->addAction(QStringLiteral("Zoom &Out"));
    QAction* close = toolBar->addAction(QStringLiteral("&Close"));
    toolBar->addSeparator();
    m_pPageLabel = new QLabel(toolBar);
    m_pPageLabel->setContentsMargins(8, 0, 8, 0);
    toolBar->addWidget(m_pPageLabel);

    connect(print, &QAction::triggered, this, [this] {
        m_bPrint = true;
        accept();
    });
    connect(m_pNext, &QAction::triggered, this, &PrintPreviewDialog::NextPage);
    connect(m_pPrevious, &QAction::triggered, this, &PrintPreviewDialog::PreviousPage);
    connect(m_pPagesToggle, &QAction::triggered, this,
            [this] { SetPagesShown(m_nPagesShown == 1 ? 2 : 1); });
    // The toolbar's buttons show no mnemonics, so the keys come from here.
    print->setShortcut(QKeySequence::Print);
    m_pZoomIn->setShortcut(QKeySequence::ZoomIn);
    m_pZoomOut->setShortcut(QKeySequence::ZoomOut);
    connect(m_pZoomIn, &QAction::triggered, this, [this] { SetZoom(m_nZoom + 1); });
    connect(m_pZoomOut, &QAction::triggered, this, [this] { SetZoom(m_nZoom - 1); });
    connect(close, &QAction::triggered, this, &QDialog::reject);

    m_pScroll->setWidget(m_pArea);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setAlignment(Qt::AlignCenter);
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setFocusPolicy(Qt::NoFocus);
    m_pScroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(m_pScroll, 1);
    m_pArea->setFocus();

    // Two pages side by side want most of the screen.
    if (QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(area.width() * 4 / 5, area.height() * 9 / 10);
    }
    Update();
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::NextPage() {
    if (m_nCurrentPage + m_nPagesShown - 1 < m_oSource.count) {
        ++m_nCurrentPage;
        Update();
    }
}

void PrintPreviewDialog::PreviousPage() {
    if (m_nCurrentPage > 1) {
        --m_nCurrentPage;
        Update();
    }
}

void PrintPreviewDialog::SetPagesShown(int pages) {
    m_nPagesShown = pages == 1 ? 1 : 2;
    // The last page stays in view when a second page comes beside it.
    m_nCurrentPage = std::max(1, std::min(m_nCurrentPage, m_oSource.count - m_nPagesShown + 1));
    Update();
}

void PrintPreviewDialog::SetZoom(int zoom) {
    m_nZoom = std::clamp(zoom, 0, kMaxZoom);
    Update();
}

void PrintPreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_nZoom > 0) {
        Update();
    }
}

void PrintPreviewDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_PageDown) {
        NextPage();
    } else if (event->modifiers() == Qt::NoModifier && event->key() == Qt::Key_PageUp) {
        PreviousPage();
    } else {
        QDialog::keyPressEvent(event);
    }
}

void PrintPreviewDialog::Update() {
    const int last = std::min(m_oSource.count, m_nCurrentPage + m_nPagesShown - 1);
    m_pNext->setEnabled(last < m_oSource.count);
    m_pPrevious->setEnabled(m_nCurrentPage > 1);
    m_pPagesToggle->setText(m_nPagesShown == 1 ? QStringLiteral("&Two Page")
                                               : QStringLiteral("&One Page"));
    m_pPagesToggle->setEnabled(m_oSource.count > 1 || m_nPagesShown == 2);
    const QString pages = last > m_nCurrentPage
                              ? QStringLiteral("Pages %1-%2 of %3").arg(m_nCurrentPage).arg(last)
                              : QStringLiteral("Page %1 of %2").arg(m_nCurrentPage);
    m_pPageLabel->setText(pages.arg(m_oSource.count));
    m_pArea->setAccessibleDescription(m_pPageLabel->text());
    m_pZoomIn->setEnabled(m_nZoom < kMaxZoom);
    m_pZoomOut->setEnabled(m_nZoom > 0);

    // Fitted, the pages fill the window; zoomed in, they are twice or four times as
    // large and the window scrolls.
    if (m_nZoom == 0) {
        m_pScroll->setWidgetResizable(true);
    } else {
        m_pScroll->setWidgetResizable(false);
        m_pArea->resize(m_pScroll->viewport()->size() * (1 << m_nZoom));
    }
    m_pArea->Show(m_nCurrentPage, m_nPagesShown, m_nZoom > 0);
}
