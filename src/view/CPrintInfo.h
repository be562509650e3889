#pragma once

// What one print job or preview knows of itself while its printing steps run:
// whether it is a preview, the pages the user asked for, the page count and the page
// being drawn.
struct CPrintInfo {
    // A preview draws into the preview window; a direct job shows no print dialog.
    bool m_bPreview = false;
    bool m_bDirect = false;
    // The range chosen in the print dialog; both 0 for every page.
    int m_nFromPage = 0;
    int m_nToPage = 0;
    // The number of pages, known once the listing has been laid out.
    int m_nMaxPage = 0;
    // The page to draw, counted from 1.
    int m_nCurPage = 1;
    // How many pages the preview shows side by side.
    int m_nNumPreviewPages = 0;
};
