// The editor: one running program per user, which opens the file named on its
// command line, or hands it to the editor already running.
#include <QApplication>
#include <cstdio>
#include <optional>

#include "app/CTesselApp.h"
#include "app/SingleInstance.h"
#include "document/RecoveryStore.h"
#include "platform/ProgramInfo.h"
#include "platform/QtPlatform.h"

int main(int argc, char** argv) {
    // --help and --version are answered before anything starts: no display is
    // needed and a running editor is not contacted.
    QStringList given;
    for (int i = 1; i < argc; ++i) {
        given << QString::fromLocal8Bit(argv[i]);
    }
    if (std::optional<QString> answer = CTesselApp::InformationRequested(given)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(ProgramInfo::kName));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramInfo::kVersion));
    QApplication::setDesktopFileName(QStringLiteral("tessel"));

    QStringList arguments = QApplication::arguments().mid(1);
    QString server = SingleInstance::DefaultServerName();
    if (SingleInstance(server).HandOff(CTesselApp::FileFromCommandLine(arguments))) {
        return 0;
    }

    QtPlatform platform;
    Platform::Install(&platform);
    int result = 1;
    {
        CTesselApp app(CTesselApp::Options{QString(), server, RecoveryStore::DefaultFolder()});
        if (app.InitInstance(arguments)) {
            result = QApplication::exec();
        }
    }
    Platform::Install(nullptr);
    return result;
}
