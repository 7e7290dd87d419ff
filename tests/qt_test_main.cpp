#include <QApplication>
#include <QByteArray>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Listing the tests, as CTest does before running them, needs no display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen"));
    }
#ifdef CORVANDEL_TEST_LOCALE
    // As if the user had chosen this locale: the application object takes it from here.
    qputenv("LC_ALL", QByteArray(CORVANDEL_TEST_LOCALE));
#endif
#ifdef CORVANDEL_TEST_SCALE
    // As if the desktop scaled everything, which the toolkit takes from here.
    qputenv("QT_SCALE_FACTOR", QByteArray(CORVANDEL_TEST_SCALE));
#endif
    testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
