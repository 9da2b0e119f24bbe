#include <QCoreApplication>

#include "CliArguments.h"
#include "CliView.h"
#include "DiscoverCommand.h"
#include "InfoCommand.h"
#include "PollCommand.h"
#include "SnmpDeviceReader.h"

using namespace pulsewell::cli;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QCoreApplication::setApplicationName(QStringLiteral("Pulsewell"));

    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        PrintOut(UsageText());
        return 0;
    }
    try {
        pulsewell::SnmpDeviceReader reader;
        if (command == QStringLiteral("poll")) {
            return RunPoll(ParsePollArguments(arguments), reader);
        }
        if (command == QStringLiteral("discover")) {
            return RunDiscover(ParseDiscoverArguments(arguments), reader);
        }
        if (command == QStringLiteral("info")) {
            return RunInfo(ParseDiscoverArguments(arguments), reader);
        }
        throw UsageError(command.isEmpty() ? "a command is required"
                                           : "unknown command \"" + command.toStdString() + "\"");
    } catch (const UsageError& problem) {
        PrintErr(QStringLiteral("pulsewell-cli: ") + QString::fromStdString(problem.what()));
        PrintErr(UsageText());
        return 2;
    }
}
