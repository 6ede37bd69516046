// Runs every test inside one QApplication, headless, with a fixed locale. The locales the
// build made for the tests are found also when a test program is run by hand.
#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("LOCPATH"))
        qputenv("LOCPATH", BREVANT_TEST_LOCALES);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
