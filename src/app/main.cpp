#include <QApplication>

#include "app/start_calculator.h"

int main(int argc, char* argv[]) {
    return corvandel::start_calculator(argc, argv, [](corvandel::MainWindow& window) {
        window.show();
        return QApplication::exec();
    });
}
