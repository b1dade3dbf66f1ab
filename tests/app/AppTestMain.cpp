// Shared main of the window tests: one QApplication on the offscreen platform, a fresh
// program folder and a private runtime folder (Qt warns at every start without one),
// then GoogleTest.

#include "../TempFolder.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <optional>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const wavory::testing::TempProgramFolder home;
    std::optional<wavory::testing::TempFolder> runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        runtime.emplace(); // created with mode 0700, as Qt wants it
        qputenv("XDG_RUNTIME_DIR", runtime->str().c_str());
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
