// The QR encoder beside libqrencode on the same texts (a short URL, 500 bytes,
// the largest version's capacity, a UTF-8 text), alone and followed by the
// PNG writer; prints the ratio of our time to the reference's for each text
// (the target is at most 1.0).

#include <benchmark/benchmark.h>
#include <qrencode.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "QRGen/QRDrawPNG.h"
#include "QRGen/QREncoder.h"
#include "bench/support/RatioReporter.h"

namespace {

struct Text {
    const char* name;
    std::string text;
};

std::string repeatTo(const std::string& unit, std::size_t length) {
    std::string out;
    while (out.size() < length) {
        out += unit;
    }
    out.resize(length);
    return out;
}

const std::vector<Text>& texts() {
    static const std::vector<Text> all = {
        {"short URL", "https://example.com/"},
        {"500 bytes", repeatTo("The quick brown fox jumps over the lazy dog. ", 500)},
        {"largest capacity", repeatTo("abcdefghijklmnopqrstuvwxyz", 2953)},
        {"UTF-8 text", repeatTo("Grüße aus Zürich, 日本語のテキスト ✓ ", 300)},
    };
    return all;
}

// Level L for the largest capacity (it only fits there), M otherwise.
int levelOf(std::size_t index) {
    return texts()[index].name == std::string("largest capacity") ? 0 : 1;
}

// libqrencode's symbol of text `index`, choosing its own segments as ours does.
QRcode* referenceCode(std::size_t index) {
    return QRcode_encodeString(texts()[index].text.c_str(), 0,
                               levelOf(index) == 0 ? QR_ECLEVEL_L : QR_ECLEVEL_M, QR_MODE_8, 1);
}

std::string pngPath() {
    return (std::filesystem::temp_directory_path() /
            ("barcodes-bench-" + std::to_string(getpid()) + ".png"))
        .string();
}

void Encoder(benchmark::State& state) {
    const auto index = static_cast<std::size_t>(state.range(0));
    const std::string& text = texts()[index].text;
    auto encoder = std::make_unique<QREncoder>();
    for (auto _ : state) {
        if (!encoder->encodeText(levelOf(index), 0, true, -1, text.data(),
                                 static_cast<int>(text.size()))) {
            state.SkipWithError("encoding failed");
            break;
        }
        benchmark::DoNotOptimize(encoder->modules);
    }
}

void Reference(benchmark::State& state) {
    const auto index = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        QRcode* code = referenceCode(index);
        if (!code) {
            state.SkipWithError("reference encoding failed");
            break;
        }
        benchmark::DoNotOptimize(code->data);
        QRcode_free(code);
    }
}

void EncoderAndPNG(benchmark::State& state) {
    const auto index = static_cast<std::size_t>(state.range(0));
    const std::string& text = texts()[index].text;
    const std::string path = pngPath();
    auto encoder = std::make_unique<QREncoder>();
    QRDrawPNG writer;
    for (auto _ : state) {
        encoder->encodeText(levelOf(index), 0, true, -1, text.data(),
                            static_cast<int>(text.size()));
        if (writer.draw(path.c_str(), 4, encoder->moduleCount, encoder->modules) !=
            QRDrawPNG::kSuccess) {
            state.SkipWithError("PNG writing failed");
            break;
        }
    }
    std::filesystem::remove(path);
}

// The reference's matrix written by the same PNG writer, so the two roads
// differ only in the encoder.
void ReferenceAndPNG(benchmark::State& state) {
    const auto index = static_cast<std::size_t>(state.range(0));
    const std::string path = pngPath();
    std::vector<std::uint8_t> modules(QREncoder::kMaxModules * QREncoder::kMaxModules);
    QRDrawPNG writer;
    for (auto _ : state) {
        QRcode* code = referenceCode(index);
        if (!code) {
            state.SkipWithError("reference encoding failed");
            break;
        }
        for (int y = 0; y < code->width; ++y) {
            for (int x = 0; x < code->width; ++x) {
                modules[x * QREncoder::kMaxModules + y] = code->data[y * code->width + x] & 1;
            }
        }
        const int width = code->width;
        QRcode_free(code);
        if (writer.draw(path.c_str(), 4, width, modules.data()) != QRDrawPNG::kSuccess) {
            state.SkipWithError("PNG writing failed");
            break;
        }
    }
    std::filesystem::remove(path);
}

BENCHMARK(Encoder)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(Reference)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(EncoderAndPNG)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(ReferenceAndPNG)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    for (std::size_t i = 0; i < texts().size(); ++i) {
        const std::string arg = "/" + std::to_string(i) + "/repeats:5";
        for (const char* road : {"", "AndPNG"}) {
            const double ours = reporter.times["Encoder" + std::string(road) + arg];
            const double reference = reporter.times["Reference" + std::string(road) + arg];
            if (ours > 0 && reference > 0) {
                std::printf("%-16s %-12s encoder / libqrencode: %.2f (target: at most 1.0)\n",
                            texts()[i].name, *road ? "with PNG" : "encoding", ours / reference);
            }
        }
    }
    return 0;
}
