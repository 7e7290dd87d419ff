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

void CommandLine::answer_help_or_version(int argc, char* argv[]) {
    QStringList arguments;
    for (int argument = 0; argument < argc; ++argument) {
        arguments << QString::fromLocal8Bit(argv[argument]);
    }
    // The toolkit's own options are not known yet and count as errors here: they are refused,
    // or taken, once the application exists.
    parser_.parse(arguments);
    if (!parser_.isSet(help_) && !parser_.isSet(version_)) {
        return;
    }
    // Only for the program's name in the usage line; it needs no display.
    const QCoreApplication application(argc, argv);
    if (parser_.isSet(version_)) {
        parser_.showVersion();
    }
    parser_.showHelp(0);
}

void CommandLine::refuse_the_rest(const QCoreApplication& application) {
    parser_.process(application);
}

}  // namespace corvandel
