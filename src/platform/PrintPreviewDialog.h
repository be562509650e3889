#pragma once

#include <QDialog>

#include "platform/Platform.h"

class QAction;
class QLabel;
class QScrollArea;
class QPrinter;
class PreviewArea;

// Print preview: the pages of a document on their paper, one or two side by side,
// under a toolbar to print, turn the pages, switch between one and two pages and
// close, and to zoom in and out. Page Down and Page Up (and the mouse wheel while the
// pages fit the window) turn to the next and the previous page; Escape closes the
// preview.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(QPrinter& printer, const Platform::PreviewPages& source, int pages,
                       QWidget* parent = nullptr);
    ~PrintPreviewDialog() override;

    // The first page shown, from 1, and how many are shown side by side.
    int CurrentPage() const { return m_nCurrentPage; }
    int PagesShown() const { return m_nPagesShown; }
    // Whether the user left the preview with Print.
    bool PrintRequested() const { return m_bPrint; }

    void NextPage();
    void PreviousPage();
    void SetPagesShown(int pages);
    // 0: the pages fit the window; 1 and 2: twice and four times as large.
    static constexpr int kMaxZoom = 2;
    void SetZoom(int zoom);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Update();

    const Platform::PreviewPages& m_oSource;
    QScrollArea* m_pScroll;
    PreviewArea* m_pArea;
    QAction* m_pNext;
    QAction* m_pPrevious;
    QAction* m_pPagesToggle;
    QAction* m_pZoomIn;
    QAction* m_pZoomOut;
    QLabel* m_pPageLabel;
    int m_nCurrentPage = 1;
    int m_nPagesShown = 2;
    int m_nZoom = 0;
    bool m_bPrint = false;
};
