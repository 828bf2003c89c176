// Writer and reader against raw I/O of the very same bytes, side by side.
//   tintwright-bench [benchmark flags]
//   tintwright-bench --write-sample FILE N [--utf16]   writes the N-entity drawing
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/util/Func_2.h>
#include "bench/MixedDrawing.h"

namespace tw::bench {
namespace {

constexpr int32_t kVersion = 700;

// A private folder under the system's temporary folder, removed at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::filesystem::path File(const char* name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::vector<char> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The drawing of state.range(0) entities, written once to `file`.
void PrepareFile(benchmark::State& state, TJwwData& doc, const std::filesystem::path& file,
                 int32_t option, int32_t definitions = kMixedDrawingDefinitions) {
    MakeMixedDrawing(doc, static_cast<int32_t>(state.range(0)), definitions);
    doc.SetFileOutOption(option);
    if (!doc.FileOut(FromUtf8(file.string()), kVersion)) state.SkipWithError("FileOut failed");
}

void SetCounters(benchmark::State& state, const std::filesystem::path& file) {
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(file));
    state.SetBytesProcessed(state.iterations() * bytes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void FileOutBench(benchmark::State& state, int32_t option,
                  int32_t definitions = kMixedDrawingDefinitions) {
    ScratchFolder scratch;
    const auto file = scratch.File("out.jww");
    TJwwData doc;
    PrepareFile(state, doc, file, option, definitions);
    const std::u16string name = FromUtf8(file.string());
    for (auto _ : state) {
        if (!doc.FileOut(name, kVersion)) state.SkipWithError("FileOut failed");
    }
    SetCounters(state, file);
}

// Writes size bytes to `file` with one system call: the floor under a writer.
bool WriteRaw(const std::filesystem::path& file, const char* bytes, size_t size) {
    const int fd = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const ssize_t written = write(fd, bytes, size);
    return close(fd) == 0 && written == static_cast<ssize_t>(size);
}

// Reads `file` with one system call into `into`, or into a new buffer that
// `fresh` then owns when into is null: the floor under a reader.
bool ReadRaw(const std::filesystem::path& file, char* into, std::unique_ptr<char[]>& fresh,
             size_t& size) {
    const int fd = open(file.c_str(), O_RDONLY);
    struct stat st {};
    fstat(fd, &st);
    size = static_cast<size_t>(st.st_size);
    if (into == nullptr) {
        fresh.reset(new char[size]);
        into = fresh.get();
    }
    const ssize_t got = read(fd, into, size);
    close(fd);
    benchmark::DoNotOptimize(into);
    return got == st.st_size;
}

void WriteBytesBench(benchmark::State& state, const std::filesystem::path& file,
                     const std::vector<char>& bytes) {
    for (auto _ : state) {
        if (!WriteRaw(file, bytes.data(), bytes.size())) state.SkipWithError("write failed");
    }
    SetCounters(state, file);
}

void WriteBaselineBench(benchmark::State& state, int32_t option) {
    ScratchFolder scratch;
    const auto file = scratch.File("out.jww");
    {
        TJwwData doc;
        PrepareFile(state, doc, file, option);
    }
    WriteBytesBench(state, file, ReadAll(file));
}

// Reading again into one document reuses its arrays' storage, so one reading
// before the timed ones makes each of them find the storage of the one
// before. A fresh document for every reading also pays for fresh pages, as a
// program that opens one drawing and ends does.
void FileInBench(benchmark::State& state, int32_t option, bool freshDocument) {
    ScratchFolder scratch;
    const auto file = scratch.File("in.jww");
    {
        TJwwData doc;
        PrepareFile(state, doc, file, option);
    }
    const std::u16string name = FromUtf8(file.string());
    auto doc = std::make_unique<TJwwData>();
    if (!freshDocument && !doc->FileIn(name)) state.SkipWithError("FileIn failed");
    for (auto _ : state) {
        if (freshDocument) doc = std::make_unique<TJwwData>();
        if (!doc->FileIn(name)) state.SkipWithError("FileIn failed");
    }
    SetCounters(state, file);
}

// The file's bytes read into memory and nothing more: the floor under
// FileIn. Cold: into a new buffer each time, which pays for fresh pages as a
// fresh document does. Warm: into one buffer touched before, as a document
// read again finds its storage.
void ReadBaselineBench(benchmark::State& state, int32_t option, bool warm) {
    ScratchFolder scratch;
    const auto file = scratch.File("in.jww");
    {
        TJwwData doc;
        PrepareFile(state, doc, file, option);
    }
    std::vector<char> buffer = ReadAll(file);  // every page of it touched
    for (auto _ : state) {
        std::unique_ptr<char[]> fresh;
        size_t size = 0;
        if (!ReadRaw(file, warm ? buffer.data() : nullptr, fresh, size))
            state.SkipWithError("read failed");
    }
    SetCounters(state, file);
}

void BM_FileOut(benchmark::State& state) {
    FileOutBench(state, 0);
}
void BM_WriteBaseline(benchmark::State& state) {
    WriteBaselineBench(state, 0);
}
void BM_FileIn(benchmark::State& state) {
    FileInBench(state, 0, false);
}
void BM_ReadBaseline(benchmark::State& state) {
    ReadBaselineBench(state, 0, false);
}
void BM_ReadBaselineWarm(benchmark::State& state) {
    ReadBaselineBench(state, 0, true);
}
void BM_FileOutUtf16(benchmark::State& state) {
    FileOutBench(state, kOutUtf16);
}
void BM_WriteBaselineUtf16(benchmark::State& state) {
    WriteBaselineBench(state, kOutUtf16);
}
void BM_FileInUtf16(benchmark::State& state) {
    FileInBench(state, kOutUtf16, false);
}
void BM_FileInFreshDocument(benchmark::State& state) {
    FileInBench(state, 0, true);
}
// As many definitions as insertions: a parts library. Every insertion looks
// its definition's number up, which must not cost more as definitions grow.
void BM_FileOutManyDefinitions(benchmark::State& state) {
    FileOutBench(state, 0, static_cast<int32_t>(std::max<int64_t>(state.range(0) / 100, 1)));
}
void BM_ReadBaselineUtf16(benchmark::State& state) {
    ReadBaselineBench(state, kOutUtf16, false);
}

// What `convert` does with a drawing: read into a fresh document and written
// again in the version and text code it was read from, its losses counted;
// against reading the same bytes into a fresh buffer and writing them raw.
void BM_Convert(benchmark::State& state) {
    ScratchFolder scratch;
    const auto in = scratch.File("in.jww");
    {
        TJwwData doc;
        PrepareFile(state, doc, in, 0);
    }
    const std::u16string input = FromUtf8(in.string());
    const std::u16string output = FromUtf8(scratch.File("out.jww").string());
    for (auto _ : state) {
        TJwwData doc;
        if (!doc.FileIn(input)) state.SkipWithError("FileIn failed");
        doc.SetFileOutOption(doc.Source.utf16 ? kOutUtf16 : 0);
        SaveReport report;
        if (!doc.FileOut(output, doc.Source.version, report) || !report.Lossless())
            state.SkipWithError("FileOut failed or lost something");
    }
    SetCounters(state, in);
}
void BM_ConvertBaseline(benchmark::State& state) {
    ScratchFolder scratch;
    const auto in = scratch.File("in.jww");
    const auto out = scratch.File("out.jww");
    {
        TJwwData doc;
        PrepareFile(state, doc, in, 0);
    }
    for (auto _ : state) {
        std::unique_ptr<char[]> bytes;
        size_t size = 0;
        if (!ReadRaw(in, nullptr, bytes, size) || !WriteRaw(out, bytes.get(), size))
            state.SkipWithError("read or write failed");
    }
    SetCounters(state, in);
}

// A chain of n definitions, each inserting the next, and one insertion of
// the first: a tree as deep as the chain, which must cost time linear in n.
void BM_MakeBlockTreeChain(benchmark::State& state) {
    const auto n = static_cast<uint32_t>(state.range(0));
    TJwwData doc;
    doc.EntBlockDef.resize(n);
    for (uint32_t i = 0; i < n; ++i) {
        doc.EntBlockDef[i].nNumber = i + 1;
        if (i + 1 == n) break;
        doc.EntBlockDef[i].mBlock.resize(1);
        doc.EntBlockDef[i].mBlock[0].nNumber = i + 2;
        doc.EntBlockDef[i].mBlockN = 1;
    }
    doc.EntBlockDefN = static_cast<int32_t>(n);
    doc.EntBlock.resize(1);
    doc.EntBlock[0].nNumber = 1;
    doc.EntBlockN = 1;
    for (auto _ : state) {
        doc.MakeBlockTree();
        benchmark::DoNotOptimize(doc.EntBlockTreeN);
    }
    state.counters["ns_per_node"] = benchmark::Counter(
        static_cast<double>(n) * 1e-9,
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The mixed drawing exported to DXF 2007, against writing the same DXF bytes
// raw.
void BM_ExportDxf(benchmark::State& state) {
    ScratchFolder scratch;
    const auto file = scratch.File("out.dxf");
    TJwwData doc;
    MakeMixedDrawing(doc, static_cast<int32_t>(state.range(0)));
    for (auto _ : state) {
        if (!dxf::ExportDxf(doc, file, {}).ok) state.SkipWithError("ExportDxf failed");
    }
    SetCounters(state, file);
}
void BM_DxfWriteBaseline(benchmark::State& state) {
    ScratchFolder scratch;
    const auto file = scratch.File("out.dxf");
    {
        TJwwData doc;
        MakeMixedDrawing(doc, static_cast<int32_t>(state.range(0)));
        if (!dxf::ExportDxf(doc, file, {}).ok) state.SkipWithError("ExportDxf failed");
    }
    WriteBytesBench(state, file, ReadAll(file));
}

// Twenty long texts (a pasted note, a page of building notes) of N characters
// exported to R12, which cuts each into many TEXTs: the time per character
// must not grow with N.
void BM_ExportDxfR12LongTexts(benchmark::State& state) {
    ScratchFolder scratch;
    const auto file = scratch.File("out.dxf");
    TJwwData doc;
    doc.DataDefaultSet();
    const auto length = static_cast<size_t>(state.range(0));
    std::u16string text;
    for (size_t i = 0; i < length; ++i)
        text += i % 2 ? u'a' : u'漢';
    for (int i = 0; i < 20; ++i)
        doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 0, 5.0 * i, 2, 2, 0, 0, u"ＭＳ ゴシック", text);
    for (auto _ : state) {
        if (!dxf::ExportDxf(doc, file, {.version = dxf::kR12}).ok)
            state.SkipWithError("ExportDxf failed");
    }
    state.counters["ns_per_char"] = benchmark::Counter(
        20.0 * static_cast<double>(length),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
    b->Repetitions(5)->ReportAggregatesOnly(true);
}

BENCHMARK(BM_FileOut)->Apply(Sizes);
BENCHMARK(BM_ExportDxf)->Apply(Sizes);
BENCHMARK(BM_DxfWriteBaseline)->Apply(Sizes);
BENCHMARK(BM_ExportDxfR12LongTexts)->Arg(2'000)->Arg(32'766)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBaseline)->Apply(Sizes);
BENCHMARK(BM_FileIn)->Apply(Sizes);
BENCHMARK(BM_ReadBaseline)->Apply(Sizes);
BENCHMARK(BM_ReadBaselineWarm)->Apply(Sizes);
BENCHMARK(BM_FileOutUtf16)->Apply(Sizes);
BENCHMARK(BM_WriteBaselineUtf16)->Apply(Sizes);
BENCHMARK(BM_FileInUtf16)->Apply(Sizes);
BENCHMARK(BM_ReadBaselineUtf16)->Apply(Sizes);
BENCHMARK(BM_FileInFreshDocument)->Apply(Sizes);
BENCHMARK(BM_FileOutManyDefinitions)->Apply(Sizes);
BENCHMARK(BM_Convert)->Apply(Sizes);
BENCHMARK(BM_ConvertBaseline)->Apply(Sizes);
BENCHMARK(BM_MakeBlockTreeChain)->Arg(50'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tw::bench
