#include "app/start_calculator.h"

#include <QApplication>
#include <QMessageLogContext>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/command_line.h"
#include "app/display_check.h"

namespace corvandel {

namespace {

void say_no_window(const QString& reason) {
    std::fprintf(stderr,
                 "corvandel: cannot open its window: %s. Start it on a desktop, or without one "
                 "under a virtual display: xvfb-run corvandel\n",
                 reason.toLocal8Bit().constData());
}

// The toolkit aborts, in several lines that blame the installation, where the platform it is
// pointed to cannot be started: one it does not know, or one that finds nothing to show on (a
// frame buffer without a graphics card). While the application is made, its messages are held
// back; a fatal one ends the program with one line of its own and status 1, and the others are
// passed on once the application exists.
class HeldMessages {
  public:
    explicit HeldMessages(const QByteArray& platform) : platform_(platform) {
        holder = this;
        previous_ = qInstallMessageHandler(&HeldMessages::take);
    }
    ~HeldMessages() {
        qInstallMessageHandler(previous_);
        holder = nullptr;
        for (const Message& message : held_) {
            const QMessageLogContext context(message.file, message.line, message.function,
                                             message.category);
            previous_(message.type, context, message.text);
        }
    }
    HeldMessages(const HeldMessages&) = delete;
    HeldMessages& operator=(const HeldMessages&) = delete;

  private:
    // The context's texts are the toolkit's constants.
    struct Message {
        QtMsgType type;
        const char* file;
        int line;
        const char* function;
        const char* category;
        QString text;
    };

    static void take(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            say_no_window(QStringLiteral("the platform %1 is unknown or cannot be started")
                              .arg(QString::fromLocal8Bit(holder->platform_)));
            std::fflush(stderr);
            // Nothing else may run: the toolkit is half made.
            std::_Exit(1);
        }
        holder->held_.push_back(
            {type, context.file, context.line, context.function, context.category, text});
    }

    static inline HeldMessages* holder = nullptr;
    QByteArray platform_;
    QtMessageHandler previous_ = nullptr;
    std::vector<Message> held_;
};

}  // namespace

int start_calculator(int argc, char* argv[], const std::function<int(MainWindow&)>& run) {
    CommandLine command_line;
    command_line.answer_help_or_version(argc, argv);
    DisplayCheck display(argc, argv);
    if (const auto& reason = display.why_no_window()) {
        say_no_window(*reason);
        return 1;
    }
    auto held = std::make_unique<HeldMessages>(display.platform());
    QApplication application(argc, argv);
    held.reset();
    display.let_go();
    command_line.refuse_the_rest(application);
    // The name of the installed desktop entry, by which the desktop shows the window with the
    // program's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.corvandel"));
    MainWindow window;
    return run(window);
}

}  // namespace corvandel
