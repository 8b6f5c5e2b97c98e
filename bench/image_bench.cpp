#include "core/app.h"
#include "platform/image.h"

#include <benchmark/benchmark.h>

namespace lumidor {
namespace {

void FillWholeChartImage(benchmark::State& state) {
    Image image = MakeImage(ChartImageWidth, ChartImageHeight);
    for (auto _ : state) {
        FillBox(image, 0, 0, image.width, image.height, White);
        benchmark::DoNotOptimize(image.pixels.data());
    }
}
BENCHMARK(FillWholeChartImage);

} // namespace
} // namespace lumidor
