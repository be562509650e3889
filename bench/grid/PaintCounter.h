#pragma once

#include <QApplication>
#include <QEvent>
#include <QWidget>

// Counts the paints of a widget, so that a benchmark can wait for the paint that
// an operation causes and measure it with the operation.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_nPaints;
        }
        return false;
    }
    int m_nPaints = 0;
};

// Runs the event loop until the widget has been painted once more.
inline void WaitForPaint(PaintCounter& counter) {
    const int before = counter.m_nPaints;
    for (int turn = 0; turn < 100000 && counter.m_nPaints == before; ++turn) {
        QApplication::processEvents();
    }
}
