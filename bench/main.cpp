// The benchmarks' program, and `tintwright-bench --write-sample FILE N
// [--utf16]`, which saves the benchmarks' drawing of N entities for timing
// other programs on it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>

#include "bench/MixedDrawing.h"

namespace tw::bench {
namespace {

constexpr int32_t kSampleVersion = 700;  // the newest version Jw_cad writes

int WriteSample(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: tintwright-bench --write-sample FILE N [--utf16]\n";
        return 2;
    }
    TJwwData doc;
    MakeMixedDrawing(doc, std::atoi(argv[3]));
    doc.SetFileOutOption(argc > 4 && std::strcmp(argv[4], "--utf16") == 0 ? kOutUtf16 : 0);
    return doc.FileOut(FromUtf8(argv[2]), kSampleVersion) ? 0 : 1;
}

}  // namespace
}  // namespace tw::bench

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--write-sample") == 0)
        return tw::bench::WriteSample(argc, argv);
    // One application for every benchmark: the viewer's canvas needs a
    // QApplication, and the renders' own QGuiApplication would preclude it.
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
