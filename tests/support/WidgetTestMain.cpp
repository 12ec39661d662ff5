#include <QApplication>
#include <gtest/gtest.h>

// Widget tests run without a display: the offscreen platform is chosen before the
// application exists, unless the caller asked for another one (a developer may run them
// under Xvfb to watch).
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
