// Test programs start an application on the offscreen platform so that fonts, pictures and
// resources work. Core test programs get a QGuiApplication, so nothing they test can open a
// window; window test programs are built with TARVEL_TEST_WIDGETS and get a QApplication.
#ifdef TARVEL_TEST_WIDGETS
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#endif
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TTestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
