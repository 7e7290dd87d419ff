#pragma once

#include <QCommandLineParser>
#include <QCoreApplication>

namespace corvandel {

// The program's options: --help and --version, which need no display, and the toolkit's own
// (-platform, -display, -style and the like), which the application takes for itself.
class CommandLine {
  public:
    CommandLine();

    // Before the application exists: prints the help or the version and ends the program with
    // status 0 when either is asked for; returns otherwise.
    void answer_help_or_version(int argc, char* argv[]);

    // Once the application has taken the toolkit's options: ends the program with status 1 and
    // the parser's message when anything else is left, such as an unknown option.
    void refuse_the_rest(const QCoreApplication& application);

  private:
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
};

}  // namespace corvandel
