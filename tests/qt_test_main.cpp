#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

// The locale and the scaling a test runs in come from its environment, as they would from the
// desktop's; CTest sets them.
int main(int argc, char* argv[]) {
    // Listing the tests, as CTest does before running them, needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
