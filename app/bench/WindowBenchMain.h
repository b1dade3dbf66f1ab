#pragma once
// The window benchmarks' main: offscreen without a display, a QApplication around the
// runs, and an optional first argument naming the parameter file to draw.

#include <QApplication>
#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <string>

inline int runWindowBenchmarks(int argc, char** argv, std::string& paramFile) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (argc > 1 && argv[1][0] != '-')
        paramFile = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
