#include "view/ListingLayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include "model/Codepage.h"

namespace {

bool IsLineEnd(char c) {
    return c == '\0' || c == '\r' || c == '\n';
}

const char* LineEnd(const char* line) {
    while (!IsLineEnd(*line)) {
        ++line;
    }
    return line;
}

// Past the line's end: the carriage return and line feed every listing line ends
// with, and never beyond the closing zero byte.
const char* NextLine(const char* end) {
    if (*end == '\r') {
        ++end;
    }
    if (*end == '\n') {
        ++end;
    }
    return end;
}

bool IsBracket(char c) {
    return c == '[' || c == ']';
}

} // namespace

ListingLayout::ListingLayout(const QFont& listing, const QFont& heading, const QPaintDevice& device,
                             const Measures& measures)
    : m_oListing(Measure(listing, device)), m_oHeading(Measure(heading, device)),
      m_oMeasures(measures) {}

ListingLayout::Font ListingLayout::Measure(const QFont& font, const QPaintDevice& device) {
    Font measured;
    measured.font = font;
    // QFontMetricsF wants a mutable device but only reads its metrics.
    QFontMetricsF metrics(font, const_cast<QPaintDevice*>(&device));
    measured.ascent = metrics.ascent();
    for (int byte = 0; byte < 256; ++byte) {
        char32_t ch = Codepage::ToUnicode(static_cast<unsigned char>(byte));
        measured.advance[static_cast<std::size_t>(byte)] =
            metrics.horizontalAdvance(QChar(static_cast<char16_t>(ch)));
    }
    return measured;
}

const char* ListingLayout::RowEnd(const char* from, const char* end, bool heading) const {
    const Font& font = heading ? m_oHeading : m_oListing;
    qreal width = 0;
    bool any = false;
    for (const char* p = from; p < end; ++p) {
        if (heading && IsBracket(*p)) {
            continue;
        }
        width += font.advance[static_cast<unsigned char>(*p)];
        // A row holds at least one character, however narrow the page.
        if (any && width > m_oMeasures.pageWidth) {
            return p;
        }
        any = true;
    }
    return end;
}

template <class RowFn> ListingLayout::Place ListingLayout::LayPage(Place place, RowFn&& row) const {
    int y = 4 * m_oMeasures.lineHeight;
    // A page too short for any line still takes one, so that the text comes to an end.
    bool first = true;
    while ((first || y <= m_oMeasures.pageBottom) && *place.row != '\0') {
        first = false;
        const char* end = LineEnd(place.line);
        bool heading = *place.line == '[';
        const char* rowEnd = RowEnd(place.row, end, heading);
        row(y, place.row, rowEnd, heading);
        y += heading ? 2 * m_oMeasures.lineHeight : m_oMeasures.lineHeight;
        if (rowEnd < end) {
            place.row = rowEnd;
        } else {
            place.line = place.row = NextLine(end);
        }
    }
    return place;
}

int ListingLayout::Paginate(const char* text) {
    m_oPageStarts.clear();
    Place place{text, text};
    while (*place.row != '\0') {
        m_oPageStarts.push_back(place);
        place = LayPage(place, [](int, const char*, const char*, bool) {});
    }
    return PageCount();
}

void ListingLayout::DrawPage(QPainter& painter, int page) const {
    if (page < 1 || page > PageCount()) {
        return;
    }
    QString text;
    LayPage(m_oPageStarts[static_cast<std::size_t>(page - 1)],
            [&](int y, const char* begin, const char* end, bool heading) {
                text.clear();
                for (const char* p = begin; p < end; ++p) {
                    if (!(heading && IsBracket(*p))) {
                        char32_t ch = Codepage::ToUnicode(static_cast<unsigned char>(*p));
                        text.append(QChar(static_cast<char16_t>(ch)));
                    }
                }
                if (text.isEmpty()) {
                    return;
                }
                const Font& font = heading ? m_oHeading : m_oListing;
                painter.setFont(font.font);
                painter.drawText(QPointF(0, y + font.ascent), text);
            });
}
