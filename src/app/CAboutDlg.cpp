#include "app/CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/resources.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(Resources::kAboutTitle));
    setObjectName(QStringLiteral("CAboutDlg"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("icon"));
    icon->setPixmap(QIcon(Resources::AppIconPath()).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto* text = new QLabel(QString::fromUtf8(Resources::kVersionText), this);
    text->setObjectName(QStringLiteral("version"));
    QFont font = text->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    font.setBold(true);
    text->setFont(font);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* licence = new QLabel(QString::fromUtf8(Resources::kLicenceText), this);
    licence->setObjectName(QStringLiteral("licence"));
    licence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(text);
    texts->addWidget(licence);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    // Icon and texts side by side with room around them, OK below on the right, as
    // a desktop's own About boxes are laid out.
    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 16);
    layout->setSpacing(24);
    layout->addLayout(row);
    layout->addStretch(1);
    layout->addWidget(buttons);
    // Nothing in it grows, so neither does the box.
    setFixedSize(layout->sizeHint().expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
}
