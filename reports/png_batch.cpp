#include "reports/png_batch.h"

#include "platform/files.h"
#include "reports/png_writer.h"

#include <algorithm>
#include <system_error>
#include <thread>

namespace lumidor {
namespace {

void WriteOldest(PngBatch& batch) {
    PendingPng oldest = std::move(batch.pending.front());
    batch.pending.pop_front();
    if (const std::optional<std::vector<std::uint8_t>> bytes = oldest.bytes.get())
        platform::ReplaceFileAtomically(oldest.path, *bytes);
}

} // namespace

PngBatch StartPngBatch() {
    PngBatch batch;
    // One more than processors: one chart is still encoding while the GUI
    // thread waits for a file to reach the disk.
    batch.encoders = std::max(1u, std::thread::hardware_concurrency()) + 1;
    return batch;
}

void AddToPngBatch(PngBatch& batch, const Image& image, const std::filesystem::path& path) {
    while (batch.pending.size() >= batch.encoders)
        WriteOldest(batch);
    std::future<std::optional<std::vector<std::uint8_t>>> bytes;
    try {
        bytes = std::async(std::launch::async, [copy = image] { return EncodePng(copy); });
    } catch (const std::system_error&) {
        // No thread to be had: this chart is encoded here and now.
        std::promise<std::optional<std::vector<std::uint8_t>>> done;
        done.set_value(EncodePng(image));
        bytes = done.get_future();
    }
    batch.pending.push_back({std::move(bytes), path});
}

void FinishPngBatch(PngBatch& batch) {
    while (!batch.pending.empty())
        WriteOldest(batch);
}

} // namespace lumidor
