#pragma once

#include <QFont>
#include <array>
#include <vector>

class QPainter;
class QPaintDevice;

// Lays the listing's text out in printed pages: the first line of a page stands four
// line heights below the top, no line starts below the page bottom, a heading (a line
// beginning with "[") is drawn without its brackets in the heading font and takes two
// lines, and a line wider than the page goes on at the left of the following lines,
// which count for the layout like any other. Counting and drawing walk the same
// rows, so the page count and the drawn pages agree.
class ListingLayout {
public:
    struct Measures {
        int lineHeight = 0;
        int pageBottom = 0; // the lowest position a line may start at
        int pageWidth = 0;
    };

    // Measures the two fonts on `device`, which the pages are later drawn on.
    ListingLayout(const QFont& listing, const QFont& heading, const QPaintDevice& device,
                  const Measures& measures);

    // Lays out `text`, lines ended by a carriage return and a line feed and closed by
    // a zero byte, which must stay in place while the layout is used. Returns the
    // number of pages; none for an empty text.
    int Paginate(const char* text);
    int PageCount() const { return static_cast<int>(m_oPageStarts.size()); }
    // Draws the lines of page `page` (from 1); nothing outside the page count.
    void DrawPage(QPainter& painter, int page) const;

private:
    // Where a row starts: the line it belongs to and its first byte in that line.
    struct Place {
        const char* line;
        const char* row;
    };
    struct Font {
        QFont font;
        qreal ascent = 0;
        std::array<qreal, 256> advance{}; // of each code-page byte
    };
    static Font Measure(const QFont& font, const QPaintDevice& device);

    // Lays out one page from `place`, calling `row` for each row with its position,
    // its bytes and whether it is a heading; returns where the next page starts.
    template <class RowFn> Place LayPage(Place place, RowFn&& row) const;
    // The end of the row that starts at `from` in the line [line, end).
    const char* RowEnd(const char* from, const char* end, bool heading) const;

    Font m_oListing;
    Font m_oHeading;
    Measures m_oMeasures;
    std::vector<Place> m_oPageStarts;
};
