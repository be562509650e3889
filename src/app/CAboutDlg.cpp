#include "app/CAboutDlg.h"

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
    icon->setPixmap(QIcon(Resources::AppIconPath()).pixmap(32, 32));
    auto* text = new QLabel(QString::fromUtf8(Resources::kVersionText), this);
    text->setObjectName(QStringLiteral("version"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addSpacing(12);
    row->addWidget(text, 1, Qt::AlignVCenter);
    row->addSpacing(24);
    row->addWidget(ok, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
