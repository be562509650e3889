#include "platform/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "platform/PrintPreviewDialog.h"

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

Platform::Answer QtPlatform::ShowMessage(const std::string& text, MessageKind kind) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromLatin1(kCaption));
    box.setText(QString::fromStdString(text));
    switch (kind) {
    case MessageKind::Ok:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageKind::YesNo:
        box.setIcon(QMessageBox::Question);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageKind::YesNoCancel:
        box.setIcon(QMessageBox::Warning);
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        // Escape on a Yes/No box closes it like No.
        return kind == MessageKind::Ok      ? Answer::Ok
               : kind == MessageKind::YesNo ? Answer::No
                                            : Answer::Cancel;
    }
}

void QtPlatform::BeginWaitCursor() {
    if (!m_bWaitCursorShown) {
        m_bWaitCursorShown = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

void QtPlatform::EndWaitCursor() {
    if (m_bWaitCursorShown) {
        m_bWaitCursorShown = false;
        QApplication::restoreOverrideCursor();
    }
}

std::optional<std::string> QtPlatform::ClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text().toStdString();
}

void QtPlatform::SetClipboardText(const std::string& text) {
    QApplication::clipboard()->setText(QString::fromStdString(text));
}

bool QtPlatform::AskOpenFileName(const std::string& title, const std::string& filter,
                                 const std::string& startFolder, std::string& path) {
    QString chosen = QFileDialog::getOpenFileName(
        QApplication::activeWindow(), QString::fromStdString(title),
        QString::fromStdString(startFolder), QString::fromStdString(filter));
    if (chosen.isEmpty()) {
        return false;
    }
    path = chosen.toStdString();
    return true;
}

bool QtPlatform::AskSaveFileName(const std::string& title, const std::string& filter,
                                 const std::string& defaultSuffix, const std::string& proposed,
                                 const std::string& startFolder, std::string& path) {
    QString name = QString::fromStdString(proposed);
    QString folder;
    if (name.contains(QLatin1Char('/'))) {
        folder = QFileInfo(name).absolutePath();
        name = QFileInfo(name).fileName();
    } else if (QFileInfo(QString::fromStdString(startFolder)).isDir()) {
        folder = QString::fromStdString(startFolder);
    }
    QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title), folder,
                       QString::fromStdString(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    path = dialog.selectedFiles().constFirst().toStdString();
    return true;
}

namespace {

// Qt's print dialog without the choice of pages, which belongs to Print: here the
// user picks the printer, its paper and options, and confirms with OK.
class PrintSetupDialog : public QPrintDialog {
public:
    using QPrintDialog::QPrintDialog;

    void setVisible(bool visible) override {
        // The dialog sets up its parts as it is shown; the page range goes after that.
        QPrintDialog::setVisible(visible);
        if (visible) {
            if (auto* range = findChild<QWidget*>(QStringLiteral("gbPrintRange"))) {
                range->hide();
            }
        }
    }
};

} // namespace

bool QtPlatform::ShowPrintSetup(QPrinter& printer) {
    PrintSetupDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(kPrintSetupTitle));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    for (auto* buttons : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) {
            ok->setText(QStringLiteral("OK"));
        }
    }
    return dialog.exec() == QDialog::Accepted;
}

bool QtPlatform::ShowPrintDialog(QPrinter& printer) {
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(kPrintTitle));
    // The program prints the pages of the range itself, each once.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                      QAbstractPrintDialog::PrintShowPageSize |
                      QAbstractPrintDialog::PrintCollateCopies);
    return dialog.exec() == QDialog::Accepted;
}

Platform::PreviewResult QtPlatform::ShowPrintPreview(QPrinter& printer, int pages,
                                                     const PreviewPages& source) {
    PrintPreviewDialog dialog(printer, source, pages, QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromLatin1(kPrintPreviewTitle));
    dialog.exec();
    return {dialog.PagesShown(), dialog.PrintRequested()};
}
