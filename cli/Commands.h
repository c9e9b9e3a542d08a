#pragma once
// The batch tool's commands. Each command lives in a file of its own and registers itself
// with a static TCliCommand; main() finds it by name.
#include <QStringList>

#include <functional>

class TPageStore;
class TProgressSink;

struct TCliCommand {
    const char *name;
    const char *usage; // the arguments, as printed by the usage text
    const char *summary = ""; // what it does, in one line of --help
    // Returns the exit status: 0 success, 1 failure (message on stderr), 2 bad arguments.
    std::function<int(const QStringList &arguments)> run;

    TCliCommand(const char *name, const char *usage, std::function<int(const QStringList &)> run);
    TCliCommand(const char *name, const char *usage, const char *summary,
                std::function<int(const QStringList &)> run);
};

const QList<const TCliCommand *> &CliCommands();

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Writes "tarvel-report: <message>" to standard error and returns kExitFailure.
int CliFail(const QString &message);
// Writes UTF-8 text to standard output.
void CliPrint(const QString &text);
// Whether the file is a regular file that can be opened for reading; otherwise fails with a
// message at once (a FIFO or a device is never opened, so it cannot block or run for ever).
bool CliCheckReadable(const QString &fileName, int &status);
// Fails at once only for a name that exists and is no regular file; a missing file is left to
// the command's own reader and its message.
bool CliCheckNotSpecial(const QString &fileName, int &status);
// Runs the report (or loads the page file) into the store; otherwise fails with a message.
bool CliRunIntoStore(const QString &fileName, TPageStore &store, TProgressSink *progress, int &status);
// Whether output may be written: never into the input itself (also through "./", a symbolic
// link or a hard link); otherwise fails with a message.
bool CliCheckOutput(const QString &input, const QString &output, int &status);
// What the commands that write a report's pages into one file share: the report readable,
// the output not the report itself, then the report run into the store.
bool CliRunIntoStoreFor(const QString &report, const QString &output, TPageStore &store, TProgressSink *progress,
                        int &status);
