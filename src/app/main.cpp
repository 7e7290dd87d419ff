#include <QApplication>

#include "ui/main_window.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    corvandel::MainWindow window;
    window.show();
    return QApplication::exec();
}
