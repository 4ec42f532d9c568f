// The worst stall of a frame in the console: a long step (high time
// acceleration) in which the whole picture of a frame arrives at once: 801
// columns of 800 pixels read, reduced and written through device contexts,
// then the picture saved as a BMP file. Against it, the same reduction done
// on a plain pixel array, which shows what the pixel-by-pixel GDI calls cost.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "FrameReception.h"
#include "NoiseGenerator.h"
#include "PhotoCapture.h"
#include "TemporaryFolder.h"
#include "WorkingFolderScope.h"
#include "gdi/SurfaceHandles.h"

namespace {

const double kStart = 43049.25;

// A picture on board: a gradient with some structure, so that the levels vary.
sim::Surface OnBoardPicture() {
    sim::Surface picture(kPictureSize, kPictureSize);
    for (int y = 0; y < kPictureSize; ++y)
        for (int x = 0; x < kPictureSize; ++x)
            picture.setPixel(x, y, sim::Surface::rgb((x * 255) / 799, (y * 255) / 799, (x ^ y) & 255));
    return picture;
}

void WholePictureInOneStep(benchmark::State &state) {
    const testsupport::TemporaryFolder folder;
    folder.makeFolder("PHOTO");
    const testsupport::WorkingFolderScope workingFolder(folder.path());
    const sim::Surface picture = OnBoardPicture();
    FrameSlot slot{};
    slot.rawImage = sim::createSurface(picture);
    MakeBlankImage(slot);
    for (auto _ : state) {
        state.PauseTiming();
        slot.state = kFrameTransmitting;
        slot.transmitTime = kStart;
        slot.scanColumn = kPictureSize;
        slot.dropoutRun = 0;
        SeedNoise(1);
        state.ResumeTiming();
        bool cut = false;
        TransmitStep(slot, 0, 86400.0, kStart + 1.0, cut, 0.2);  // about 11 degrees: a few dropouts
        if (slot.state != kFrameTransmitted) state.SkipWithError("the picture did not arrive");
    }
    oapiDestroySurface(slot.image);
    oapiDestroySurface(slot.rawImage);
}

// The same reduction, pixel by pixel, on arrays (channel 0, normal receiver,
// the same noise draws), without device contexts and without the file.
void PlainArrayReduction(benchmark::State &state) {
    const sim::Surface picture = OnBoardPicture();
    std::vector<std::uint32_t> received(kPictureSize * kPictureSize);
    const double chance = DropoutChance(0.2 * 57.29577951308232);
    for (auto _ : state) {
        SeedNoise(1);
        int run = 0;
        for (int column = kPictureSize; column >= 0; --column) {
            for (int y = 0; y < kPictureSize; ++y) {
                const std::uint32_t pixel = picture.pixelOr(column, y, 0x00FFFFFFu);
                int level = ReceiverLevel(ChannelGrey(0, sim::Surface::red(pixel), sim::Surface::green(pixel),
                                                      sim::Surface::blue(pixel)),
                                          false);
                if (double(DrawNoise()) / kNoiseMaximum < chance && run <= 0)
                    run = int(DrawNoise() * chance * 0.3051850947599719);
                if (run > 0) {
                    --run;
                    level = 0;
                }
                if (column < kPictureSize)
                    received[std::size_t(y) * kPictureSize + column] = sim::Surface::rgb(level, level, level);
            }
        }
        benchmark::DoNotOptimize(received.data());
    }
}

}  // namespace

BENCHMARK(WholePictureInOneStep)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(PlainArrayReduction)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
