#include <QCoreApplication>

#include "cli/CheckCommand.h"
#include "cli/CliArguments.h"
#include "cli/CliView.h"
#include "cli/DiscoverCommand.h"
#include "cli/HistoryCommand.h"
#include "cli/InfoCommand.h"
#include "cli/PollCommand.h"
#include "cli/TopCommand.h"
#include "core/ProgramIdentity.h"
#include "core/device/SnmpDeviceReader.h"

using namespace pulsewell::cli;

namespace {

// The connection options reach every request through the reader.
template <typename Options>
const Options& Connect(const Options& options, pulsewell::SnmpDeviceReader& reader) {
    if (options.connection.timeoutSeconds) {
        reader.SetTimeout(*options.connection.timeoutSeconds * 1000);
    }
    if (options.connection.retries) {
        reader.SetRetries(*options.connection.retries);
    }
    return options;
}

// A plugin says what went wrong in its one line and exits with UNKNOWN.
int RunCheckCommand(const QStringList& arguments, pulsewell::SnmpDeviceReader& reader) {
    CheckVerdict verdict;
    try {
        verdict = RunCheck(Connect(ParseCheckArguments(arguments), reader), reader);
    } catch (const UsageError& problem) {
        verdict = Unknown(QString::fromStdString(problem.what()));
        if (problem.ShowsUsage()) {
            PrintErr(UsageText());
        }
    }
    PrintOut(verdict.line);
    return static_cast<int>(verdict.state);
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    pulsewell::SetProgramIdentity();

    QStringList arguments = QCoreApplication::arguments().mid(1);
    const QString command = arguments.isEmpty() ? QString() : arguments.takeFirst();
    if (command == QStringLiteral("--help") || command == QStringLiteral("-h")) {
        PrintOut(UsageText());
        return 0;
    }
    if (command == QStringLiteral("--version")) {
        PrintOut(VersionText());
        return 0;
    }
    pulsewell::SnmpDeviceReader reader;
    if (command == QStringLiteral("check")) {
        return RunCheckCommand(arguments, reader);
    }
    try {
        if (command == QStringLiteral("poll")) {
            return RunPoll(Connect(ParsePollArguments(arguments), reader), reader);
        }
        if (command == QStringLiteral("discover")) {
            return RunDiscover(Connect(ParseDiscoverArguments(arguments), reader), reader);
        }
        if (command == QStringLiteral("history")) {
            return RunHistory(ParseHistoryArguments(arguments));
        }
        if (command == QStringLiteral("report")) {
            return RunReport(ParseReportArguments(arguments));
        }
        if (command == QStringLiteral("top")) {
            return RunTop(Connect(ParseTopArguments(arguments), reader), reader);
        }
        if (command == QStringLiteral("info")) {
            return RunInfo(Connect(ParseDiscoverArguments(arguments), reader), reader);
        }
        throw UsageError(command.isEmpty() ? "a command is required"
                                           : "unknown command \"" + command.toStdString() + "\"");
    } catch (const UsageError& problem) {
        PrintErr(QStringLiteral("pulsewell-cli: ") + QString::fromStdString(problem.what()));
        if (problem.ShowsUsage()) {
            PrintErr(UsageText());
        }
        return 2;
    }
}
