#include "Monkey.h"

#include <QDir>
#include <QTest>
#include <fstream>

#include "ProtocolSnapshot.h"
#include "app/CMainFrame.h"
#include "document/CTesselDoc.h"

namespace {

// Categories, a command in none, parameters and bytes: something for every action.
constexpr const char* kSample =
    "[Device]\r\n\r\nDescription=Switcher\r\nAuthor=Bench\r\nTimeout=1\r\n\r\n"
    "[Video:Play]\r\nmessage=PLAY\r\nparam1=byte, \"Input\"\r\nparam2=byte, \"Output\"\r\n"
    "byte1=B1\r\nbyte2=B2\r\n\r\n"
    "[Video:Stop]\r\nmessage=STOP\r\n\r\n"
    "[Lamp:On]\r\nmessage=ON\r\nparam1=int, \"Level\"\r\n\r\n"
    "[Full]\r\nmessage=FULL\r\nbyte1=F\r\n";

} // namespace

void Monkey::StartFresh() {
    Drop();
    QDir(TempPath(QStringLiteral("run"))).removeRecursively();
    QDir(TempPath(QStringLiteral("recovery"))).removeRecursively();
    QDir().mkpath(TempPath(QStringLiteral("run")));
    m_strFolder = TempPath(QStringLiteral("run"));
    recoveryFolder = TempPath(QStringLiteral("recovery"));
    const QString first = m_strFolder + QStringLiteral("/file0.pcl");
    std::ofstream(first.toStdString(), std::ios::binary) << kSample;
    WriteProtocol(QStringLiteral("run/file1.pcl"), "Second");
    std::ofstream((m_strFolder + QStringLiteral("/not-a-protocol.pcl")).toStdString(),
                  std::ios::binary)
        << "\x1b"
           "E\x1b&l0O printer text\r\n";

    platform.messages.clear();
    platform.fileSteps.clear();
    platform.clipboard.reset();
    m_nMessagesSeen = 0;
    m_oKnownHash.clear();
    m_oShown.clear();
    m_nOutsideChanges = 0;
    if (m_strNewProtocol.empty()) {
        CTesselDoc fresh;
        fresh.InitNewProtocol();
        m_strNewProtocol = Snapshot(fresh.GetProtocol(), true);
        fresh.AppendNewCommand();
        m_strNewCommand = Snapshot(fresh.GetProtocol(), true).substr(m_strNewProtocol.size());
    }
    Start({first});
    Frame().activateWindow();
    // Outside changes are told only to an active main window.
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Frame()));
}

std::optional<Monkey::Failure> Monkey::Run(const std::vector<MonkeyAction>& actions) {
    StartFresh();
    const MonkeyAction none{MonkeyAction::Kind::ActivateWindow};
    if (std::string failure = Check(none); !failure.empty()) {
        return Failure{-1, failure};
    }
    for (std::size_t i = 0; i < actions.size(); ++i) {
        Perform(actions[i]);
        ++actionsRun;
        if (std::string failure = Check(actions[i]); !failure.empty()) {
            Drop();
            return Failure{static_cast<int>(i), failure};
        }
    }
    Drop();
    return std::nullopt;
}

std::vector<MonkeyAction> Monkey::Shrink(std::vector<MonkeyAction> actions, int tries) {
    for (std::size_t chunk = actions.size() / 2; chunk >= 1 && tries > 0; chunk /= 2) {
        for (std::size_t start = 0; start < actions.size() && tries > 0;) {
            std::vector<MonkeyAction> shorter(actions.begin(),
                                              actions.begin() + static_cast<long>(start));
            shorter.insert(shorter.end(),
                           actions.begin() +
                               static_cast<long>(std::min(actions.size(), start + chunk)),
                           actions.end());
            --tries;
            if (std::optional<Failure> failure = Run(shorter)) {
                // Whatever came after the failure plays no part in it.
                shorter.resize(static_cast<std::size_t>(failure->step + 1));
                actions = std::move(shorter);
            } else {
                start += chunk;
            }
        }
    }
    return actions;
}

std::string Monkey::RunSequence(std::uint64_t number, int count) {
    std::vector<MonkeyAction> actions = RandomActions(number, count);
    std::optional<Failure> failure = Run(actions);
    if (!failure) {
        return {};
    }
    std::string report = "sequence " + std::to_string(number) + " failed after action " +
                         std::to_string(failure->step + 1) + ": " + failure->what + "\n";
    if (failure->step < 0) {
        return report;
    }
    actions.resize(static_cast<std::size_t>(failure->step + 1));
    const long long counted = actionsRun;
    actions = Shrink(std::move(actions));
    actionsRun = counted;
    const std::optional<Failure> shortest = Run(actions);
    report += "shortest replay (" + std::to_string(actions.size()) + " actions)" +
              (shortest ? ", failing with: " + shortest->what : std::string(", which passed")) +
              "\n" + ActionsToText(actions);
    return report;
}
