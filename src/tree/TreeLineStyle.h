#pragma once

#include <QProxyStyle>

// The style of the command tree: the desktop's own, with dotted lines that join each
// item to its parent and its siblings and a boxed plus or minus as the button of an
// item with children, as a tree with lines shows them.
class TreeLineStyle : public QProxyStyle {
    Q_OBJECT
public:
    TreeLineStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};
