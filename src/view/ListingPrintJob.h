#pragma once

#include <QFont>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

#include "model/ProtocolListing.h"
#include "view/CPrintInfo.h"

class CTesselDoc;
class ListingLayout;
class QPainter;
class QPrinter;

// Prints a document's protocol on a printer as a "Protocol Listing": numbered pages
// with a header and a footer, in the four printing steps every print job and preview
// runs (prepare, begin, print each page, end). Begin writes the whole listing into the
// document's text buffer and counts the pages; each page is then drawn from that text;
// end lets go of it. Print, printing without the dialog and Print Preview are built
// from the four steps here, for the document window and for tessel-listing-pdf alike.
class ListingPrintJob {
public:
    static constexpr const char* kNoPrintMemory = kListingNoMemory;
    static constexpr const char* kPrintFailed = "File could not be printed successfully!";
    static constexpr const char* kPrinterNotStarted =
        "The Protocol Listing could not be printed: the printer could not be started.";
    static constexpr const char* kNoPagesInRange =
        "Nothing was printed: the pages chosen are not in the Protocol Listing, which has %d "
        "page(s).";
    static constexpr const char* kListingTitle = "Protocol Listing";
    static constexpr const char* kPageNumberFormat = "Page %d of %d";
    static constexpr const char* kFooterLeft = "Vantor Cuewright";
    static constexpr const char* kFooterTimeFormat = "%A, %B %d, %Y, %H:%M";
    // DrawPageText's bands and positions.
    enum Band { kTopBand = 0, kBottomBand = 1 };
    enum Position { kLeft = 0, kCentre = 1, kRight = 2 };

    // Both must outlive the job.
    ListingPrintJob(CTesselDoc& document, QPrinter& printer);
    ~ListingPrintJob();
    ListingPrintJob(const ListingPrintJob&) = delete;
    ListingPrintJob& operator=(const ListingPrintJob&) = delete;

    // Print: the print dialog, then the pages chosen; with `direct`, every page without
    // the dialog. False when nothing was printed: cancelled, or after a message.
    bool Print(bool direct);
    // Print Preview, two pages side by side at first. Returns how many pages the
    // preview showed when the user closed it, and goes on to Print when the user chose
    // Print there; nothing, after a message, when the listing could not be built.
    std::optional<int> Preview();
    // The whole job once prepared: begin, every page of the range once, end. False,
    // after a message, when nothing was printed.
    bool Run(CPrintInfo& info);

    // The four printing steps. Prepare forgets any listing and, for Print, shows the
    // print dialog; false when the user cancels. Begin builds the listing (unless this
    // job has built it already), lays it out for the printer and counts the pages into
    // info; false, after a message, when the listing cannot be built, and nothing is to
    // be printed then. Print draws the page info names; End lets go of the listing.
    bool OnPreparePrinting(CPrintInfo& info);
    bool OnBeginPrinting(CPrintInfo& info);
    void OnPrint(QPainter& painter, CPrintInfo& info);
    void OnEndPrinting(CPrintInfo& info);

    // Writes the listing into the document's text buffer; false when it did not fit.
    bool BuildListing();
    // With `draw`, draws the page info asks for with its header and footer. Returns
    // the number of pages of the listing laid out by begin printing; 0 without one.
    int PrintPages(QPainter* painter, bool draw, CPrintInfo& info);
    // One header (band 0) or footer (band 1) text at the left, centre or right.
    void DrawPageText(QPainter& painter, int band, int position, const QString& text);

    // The measures and fonts of the last job begun.
    std::int32_t GetLineHeight() const { return m_nLineHeight; }
    std::int32_t GetPageBottom() const { return m_nPageBottom; }
    const QFont& GetListingFont() const { return m_fontListing; }
    const QFont& GetHeadingFont() const { return m_fontHeading; }

private:
    // Begin printing's first half: the listing into the document's text buffer.
    bool PrepareListing();

    CTesselDoc& m_oDocument;
    QPrinter& m_oPrinter;
    // In printer pixels: one listing line, and the lowest position a line starts at.
    std::int32_t m_nLineHeight = 0;
    std::int32_t m_nPageBottom = 0;
    QFont m_fontListing;
    QFont m_fontHeading;
    // The listing of the job under way, built and laid out; nullptr between jobs and
    // after a failure.
    std::unique_ptr<ListingLayout> m_poLayout;
    bool m_bListingBuilt = false;
    // The printable area of the printer, in its pixels, and its resolution, as begin
    // printing found them: a preview draws on the screen in the printer's measures.
    struct PrinterPage {
        int width = 0;
        int height = 0;
        int heightMM = 0;
        int pixelsPerInch = 0;
    } m_oPrinterPage;
};
