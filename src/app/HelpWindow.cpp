#include "app/HelpWindow.h"

#include <QIcon>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

#include "app/resources.h"

HelpWindow::HelpWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window), m_pBrowser(new QTextBrowser(this)) {
    setWindowTitle(tr("Tessel Help"));
    setWindowIcon(QIcon(Resources::AppIconPath()));
    setObjectName(QStringLiteral("HelpWindow"));

    auto* toolBar = new QToolBar(tr("Help Navigation"), this);
    toolBar->setObjectName(QStringLiteral("HelpToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* contents =
        toolBar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"));
    QAction* back = toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
    QAction* forward =
        toolBar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
    back->setShortcut(QKeySequence::Back);
    forward->setShortcut(QKeySequence::Forward);
    back->setEnabled(false);
    forward->setEnabled(false);

    m_pBrowser->setOpenExternalLinks(true);
    m_pBrowser->document()->setDocumentMargin(12);
    connect(contents, &QAction::triggered, this, [this] { ShowPage(kContentsPage); });
    connect(back, &QAction::triggered, m_pBrowser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_pBrowser, &QTextBrowser::forward);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, [this] {
        QString title = m_pBrowser->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Tessel Help") : tr("Tessel Help - %1").arg(title));
    });

    addToolBar(Qt::TopToolBarArea, toolBar);
    setCentralWidget(m_pBrowser);
    resize(640, 560);
}

QUrl HelpWindow::PageUrl(const QString& page) {
    return QUrl(QStringLiteral("qrc:/help/") + page);
}

void HelpWindow::ShowPage(const QString& page) {
    m_pBrowser->setSource(PageUrl(page));
    show();
    raise();
    activateWindow();
}

QString HelpWindow::CurrentPage() const {
    QUrl url = m_pBrowser->source();
    QString page = url.path().section(QLatin1Char('/'), -1);
    return url.hasFragment() ? page + QLatin1Char('#') + url.fragment() : page;
}
