#include "app/MenuStyle.h"

#include <QPainter>
#include <QStyleOption>

MenuStyle::MenuStyle() = default;

int MenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                         QStyleHintReturn* returnData) const {
    if (hint == SH_Menu_AllowActiveAndDisabled) {
        return 1;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    if (element == CE_MenuItem && option->state.testFlag(State_Selected) &&
        !option->state.testFlag(State_Enabled)) {
        QColor band = option->palette.color(QPalette::Active, QPalette::Highlight);
        band.setAlpha(56);
        painter->fillRect(option->rect, band);
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}
