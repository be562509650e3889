// tessel-listing-pdf FILE OUT: renders the Protocol Listing of the protocol file FILE
// ("-" for standard input) into the PDF file OUT, page by page as the editor prints
// it, with no display. pcltool listing --pdf runs it. Messages go to standard error
// as "FILE: message".
#include <QApplication>
#include <QPrinter>
#include <cstdio>
#include <string>
#include <utility>

#include "document/CTesselDoc.h"
#include "platform/HeadlessPlatform.h"
#include "platform/StandardInput.h"
#include "view/ListingPrintJob.h"

namespace {

// Qt's own notes (about the session it runs without, say) are not this program's
// output; only its errors are.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "tessel-listing-pdf: %s\n", message.toLocal8Bit().constData());
    }
}

// Each message on one line of standard error, after the name of the file; "-" is
// standard input.
class ConsolePlatform : public HeadlessPlatform {
public:
    explicit ConsolePlatform(const std::string& file) : m_strFile(ShownFileName(file)) {
        m_pPrevious = Platform::Install(this);
    }
    ~ConsolePlatform() override { Platform::Install(m_pPrevious); }
    ConsolePlatform(const ConsolePlatform&) = delete;
    ConsolePlatform& operator=(const ConsolePlatform&) = delete;

    Answer ShowMessage(const std::string& text, MessageKind kind) override {
        std::string line = text;
        for (char& c : line) {
            if (c == '\n' || c == '\r') {
                c = ' ';
            }
        }
        std::fprintf(stderr, "%s: %s\n", m_strFile.c_str(), line.c_str());
        return kind == MessageKind::YesNoCancel ? Answer::Cancel : Answer::No;
    }

    std::unique_ptr<PlatformFile> OpenForReading(const std::string& path) override {
        return path == kStandardStream ? OpenStandardInput()
                                       : HeadlessPlatform::OpenForReading(path);
    }

private:
    std::string m_strFile;
    Platform* m_pPrevious = nullptr;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tessel-listing-pdf FILE OUT\n");
        return 2;
    }
    const std::string file = argv[1];
    const QString pdf = QString::fromLocal8Bit(argv[2]);
    // The pages are drawn without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(QuietQtMessages);
    int qtArgc = 1;
    QApplication application(qtArgc, argv);

    ConsolePlatform platform(file);
    CTesselDoc document;
    if (!document.OpenProtocolFile(file)) {
        return 1;
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ListingPrintJob job(document, printer);
    return job.Print(true) ? 0 : 1;
}
