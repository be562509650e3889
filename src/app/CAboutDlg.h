#pragma once

#include <QDialog>

// The About box: the application icon, the program's name, version and licence, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // The least size the box opens with, so that it never looks cramped.
    static constexpr int kMinimumWidth = 360;
    static constexpr int kMinimumHeight = 150;

    explicit CAboutDlg(QWidget* parent = nullptr);
};
