#pragma once

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;
class QAction;

// The editor's help: the pages of the user guide in a window of their own, with
// Contents, Back and Forward. One window serves the whole run; asking for another
// page shows it there. A main window of its own, so that the desktop and assistive
// technology treat it as a window rather than a part of the editor's.
class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kContentsPage = "index.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `page` (a file name of the guide, optionally with "#anchor") and brings
    // the window to the front.
    void ShowPage(const QString& page);
    // The page shown, as a file name with its anchor.
    QString CurrentPage() const;

    // The URL of a page of the guide.
    static QUrl PageUrl(const QString& page);

private:
    QTextBrowser* m_pBrowser;
};
