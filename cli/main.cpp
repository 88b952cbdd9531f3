#include "cli/BatchRunner.h"
#include "cli/CliOptions.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    const QCoreApplication application(argc, argv);
    const CliParseResult parsed = parseCliArguments(QCoreApplication::arguments().mid(1));
    if (parsed.options.help) {
        std::fputs(cliUsage().toLocal8Bit().constData(), stdout);
        std::fflush(stdout);
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        std::fprintf(stderr, "quillmark-cli: %s\n\n%s", parsed.error.toLocal8Bit().constData(),
                     cliUsage().toLocal8Bit().constData());
        return 2;
    }
    BatchRunner runner(parsed.options);
    return runner.run();
}
