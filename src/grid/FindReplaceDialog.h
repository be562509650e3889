#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The grid's find and replace window. It is modeless: the user goes on working in
// the grid while it is open, and every button press reaches the grid as a
// notice() carrying what was asked; the grid reads the texts and options from
// the window. Closing it (Cancel, Esc, the title bar) sends kClosing and the
// window then deletes itself.
class FindReplaceDialog : public QDialog {
    Q_OBJECT

public:
    // What a notice asks for.
    static constexpr int kFindNext = 1;
    static constexpr int kReplace = 2;
    static constexpr int kReplaceAll = 4;
    static constexpr int kClosing = 8;

    // With `replace` the window also offers Replace with, Replace and Replace All.
    FindReplaceDialog(bool replace, QWidget* parent);

    void SetReplaceMode(bool replace);

    QString GetFindText() const;
    void SetFindText(const QString& text);
    QString GetReplaceText() const;
    void SetReplaceText(const QString& text);
    bool GetMatchCase() const;
    void SetMatchCase(bool on);
    // The whole cell text must match.
    bool GetWholeText() const;
    void SetWholeText(bool on);
    bool GetSearchDown() const;
    void SetSearchDown(bool down);

    // Brings the window forward with the find text selected.
    void Activate();

    void done(int result) override;

signals:
    void notice(int request);

private:
    void UpdateButtons();

    bool m_bReplace = false;
    bool m_bClosing = false;
    QLineEdit* m_pFindEdit = nullptr;
    QLabel* m_pReplaceLabel = nullptr;
    QLineEdit* m_pReplaceEdit = nullptr;
    QCheckBox* m_pWholeText = nullptr;
    QCheckBox* m_pMatchCase = nullptr;
    QGroupBox* m_pDirection = nullptr;
    QRadioButton* m_pUp = nullptr;
    QRadioButton* m_pDown = nullptr;
    QPushButton* m_pFindNext = nullptr;
    QPushButton* m_pReplaceButton = nullptr;
    QPushButton* m_pReplaceAll = nullptr;
    QPushButton* m_pCancel = nullptr;
};
