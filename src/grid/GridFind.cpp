#include "grid/GridFind.h"

bool GridFind::Matches(const QString& text, const QString& find, int flags) {
    if (find.isEmpty() || text.isEmpty()) {
        return false;
    }
    if (!(flags & kAnywhere)) {
        return text.compare(find, Qt::CaseInsensitive) == 0;
    }
    return text.contains(find, (flags & kIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive);
}

bool GridFind::Replace(QString& text, const QString& find, const QString& with, int flags) {
    if (!Matches(text, find, flags)) {
        return false;
    }
    if (!(flags & kAnywhere)) {
        text = with;
    } else if (flags & kIgnoreCase) {
        // Located in the text itself rather than in upper-cased copies, whose
        // lengths may differ from the original's.
        const qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive);
        text.replace(at, find.size(), with);
    } else {
        text.replace(find, with, Qt::CaseSensitive);
    }
    return true;
}
