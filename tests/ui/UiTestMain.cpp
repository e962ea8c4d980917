// Runs the widget tests on Qt's offscreen platform with a private settings folder; a modal dialog
// that no test answers fails that test instead of blocking the run.
#include "StrayDialogGuard.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    uitest::StrayDialogGuard strays;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
