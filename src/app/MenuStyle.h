#pragma once

#include <QProxyStyle>

// The style of the editor's menus: the desktop's own, except that a disabled item is
// highlighted as the pointer or the arrow keys reach it, so that the status bar shows
// its prompt as it does for an enabled one and the user learns what the item is for.
class MenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    MenuStyle();

    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
    // A highlighted disabled item gets a pale band behind its greyed text, which the
    // desktop's style draws for enabled items only.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
