#include "app/command_line.h"

#include <QString>
#include <QStringList>

namespace corvandel {

CommandLine::CommandLine() : help_(parser_.addHelpOption()), version_(parser_.addVersionOption()) {
    QCoreApplication::setApplicationName(QStringLiteral("corvandel"));
    // Set by the build, from the project's version.
    QCoreApplication::setApplicationVersion(QStringLiteral(CORVANDEL_VERSION));
    parser_.setApplicationDescription(QStringLiteral(
        "Works out the fees, totals and profit of an item sold at auction, in a window.\n"
        "The window needs a desktop; without one, run it under a virtual display: "
        "xvfb-run corvandel"));
}

// Only whole arguments count: the parser would read the toolkit's single-dash options as bundles
// of one-letter ones, -reverse holding a -v and -stylesheet an -h. The toolkit's options are
// taken, and anything else refused, once the application exists.
void CommandLine::answer_help_or_version(int argc, char* argv[]) {
    QStringList own_names{QStringLiteral("--help-all")};
    for (const QCommandLineOption& option : {help_, version_}) {
        for (const QString& name : option.names()) {
            own_names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        }
    }
    QStringList asked{QString::fromLocal8Bit(argv[0])};
    for (int argument = 1; argument < argc; ++argument) {
        const QString given = QString::fromLocal8Bit(argv[argument]);
        if (own_names.contains(given)) {
            asked << given;
        }
    }
    if (asked.size() == 1) {
        return;
    }
    // Only for the program's name in the usage line; it needs no display. The parser answers
    // and ends the program.
    const QCoreApplication application(argc, argv);
    parser_.process(asked);
}

void CommandLine::refuse_the_rest(const QCoreApplication& application) {
    parser_.process(application);
}

}  // namespace corvandel
