// The least a Qt Widgets program with a main window and one line edit does, ending once the
// window's first frame is painted.

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>

#include "first_frame.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QLineEdit(&window));
    corvandel::show_until_first_frame(window);
}
