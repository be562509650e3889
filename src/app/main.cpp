// The editor: one running program per user, which opens the file named on its
// command line, or hands it to the editor already running.
#include <QApplication>

#include "app/CTesselApp.h"
#include "app/SingleInstance.h"
#include "document/RecoveryStore.h"
#include "platform/ProgramInfo.h"
#include "platform/QtPlatform.h"

int main(int argc, char** argv) {
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
