#include "grid/FindReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

FindReplaceDialog::FindReplaceDialog(bool replace, QWidget* parent) : QDialog(parent) {
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setModal(false);

    auto* findLabel = new QLabel(tr("Fi&nd what:"), this);
    m_pFindEdit = new QLineEdit(this);
    m_pFindEdit->setAccessibleName(tr("Find what"));
    findLabel->setBuddy(m_pFindEdit);
    m_pReplaceLabel = new QLabel(tr("Re&place with:"), this);
    m_pReplaceEdit = new QLineEdit(this);
    m_pReplaceEdit->setAccessibleName(tr("Replace with"));
    m_pReplaceLabel->setBuddy(m_pReplaceEdit);

    m_pWholeText = new QCheckBox(tr("Match &whole cell only"), this);
    m_pMatchCase = new QCheckBox(tr("Match &case"), this);
    m_pDirection = new QGroupBox(tr("Direction"), this);
    m_pUp = new QRadioButton(tr("&Up"), m_pDirection);
    m_pDown = new QRadioButton(tr("&Down"), m_pDirection);
    m_pDown->setChecked(true);
    auto* directionLayout = new QHBoxLayout(m_pDirection);
    directionLayout->addWidget(m_pUp);
    directionLayout->addWidget(m_pDown);

    m_pFindNext = new QPushButton(tr("&Find Next"), this);
    m_pFindNext->setDefault(true);
    m_pReplaceButton = new QPushButton(tr("&Replace"), this);
    m_pReplaceAll = new QPushButton(tr("Replace &All"), this);
    m_pCancel = new QPushButton(tr("Cancel"), this);

    auto* fields = new QGridLayout;
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_pFindEdit, 0, 1);
    fields->addWidget(m_pReplaceLabel, 1, 0);
    fields->addWidget(m_pReplaceEdit, 1, 1);
    fields->setColumnMinimumWidth(1, 200);

    auto* options = new QVBoxLayout;
    options->addWidget(m_pWholeText);
    options->addWidget(m_pMatchCase);
    options->addStretch();
    auto* below = new QHBoxLayout;
    below->addLayout(options);
    below->addWidget(m_pDirection, 0, Qt::AlignTop);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addLayout(below);
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pFindNext);
    buttons->addWidget(m_pReplaceButton);
    buttons->addWidget(m_pReplaceAll);
    buttons->addWidget(m_pCancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    QWidget::setTabOrder(m_pFindEdit, m_pReplaceEdit);
    QWidget::setTabOrder(m_pReplaceEdit, m_pWholeText);
    QWidget::setTabOrder(m_pWholeText, m_pMatchCase);
    QWidget::setTabOrder(m_pMatchCase, m_pUp);
    QWidget::setTabOrder(m_pUp, m_pDown);
    QWidget::setTabOrder(m_pDown, m_pFindNext);
    QWidget::setTabOrder(m_pFindNext, m_pReplaceButton);
    QWidget::setTabOrder(m_pReplaceButton, m_pReplaceAll);
    QWidget::setTabOrder(m_pReplaceAll, m_pCancel);

    // Tab stops at the chosen direction only; the arrow keys move between the two.
    auto tabStop = [this] {
        m_pUp->setFocusPolicy(m_pUp->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        m_pDown->setFocusPolicy(m_pDown->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    connect(m_pDown, &QRadioButton::toggled, this, tabStop);
    tabStop();
    connect(m_pFindEdit, &QLineEdit::textChanged, this, [this] { UpdateButtons(); });
    connect(m_pFindNext, &QPushButton::clicked, this, [this] { emit notice(kFindNext); });
    connect(m_pReplaceButton, &QPushButton::clicked, this, [this] { emit notice(kReplace); });
    connect(m_pReplaceAll, &QPushButton::clicked, this, [this] { emit notice(kReplaceAll); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    SetReplaceMode(replace);
    UpdateButtons();
    m_pFindEdit->setFocus();
}

void FindReplaceDialog::SetReplaceMode(bool replace) {
    m_bReplace = replace;
    setWindowTitle(replace ? tr("Replace") : tr("Find"));
    m_pReplaceLabel->setVisible(replace);
    m_pReplaceEdit->setVisible(replace);
    m_pReplaceButton->setVisible(replace);
    m_pReplaceAll->setVisible(replace);
}

QString FindReplaceDialog::GetFindText() const {
    return m_pFindEdit->text();
}
void FindReplaceDialog::SetFindText(const QString& text) {
    m_pFindEdit->setText(text);
}
QString FindReplaceDialog::GetReplaceText() const {
    return m_pReplaceEdit->text();
}
void FindReplaceDialog::SetReplaceText(const QString& text) {
    m_pReplaceEdit->setText(text);
}
bool FindReplaceDialog::GetMatchCase() const {
    return m_pMatchCase->isChecked();
}
void FindReplaceDialog::SetMatchCase(bool on) {
    m_pMatchCase->setChecked(on);
}
bool FindReplaceDialog::GetWholeText() const {
    return m_pWholeText->isChecked();
}
void FindReplaceDialog::SetWholeText(bool on) {
    m_pWholeText->setChecked(on);
}
bool FindReplaceDialog::GetSearchDown() const {
    return m_pDown->isChecked();
}
void FindReplaceDialog::SetSearchDown(bool down) {
    (down ? m_pDown : m_pUp)->setChecked(true);
}

void FindReplaceDialog::Activate() {
    if (isVisible()) {
        raise();
    } else {
        show();
    }
    activateWindow();
    m_pFindEdit->setFocus();
    m_pFindEdit->selectAll();
}

void FindReplaceDialog::done(int result) {
    if (m_bClosing) {
        return;
    }
    m_bClosing = true;
    emit notice(kClosing);
    QDialog::done(result);
    deleteLater();
}

void FindReplaceDialog::UpdateButtons() {
    // There is nothing to look for without a find text.
    const bool any = !m_pFindEdit->text().isEmpty();
    m_pFindNext->setEnabled(any);
    m_pReplaceButton->setEnabled(any);
    m_pReplaceAll->setEnabled(any);
}
