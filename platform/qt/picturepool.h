// Pixel buffers for the canvas pictures, reused. A job draws hundreds of pictures in a row;
// each comes back here when the window lets go of it, instead of the allocator mapping and
// clearing a fresh megabyte every time.
#pragma once

#include <QImage>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace tarvenix {

class PicturePool : public std::enable_shared_from_this<PicturePool> {
  public:
    // Pictures of width x height pixels; keep it in a shared_ptr (pictures hold it alive).
    static std::shared_ptr<PicturePool> create(int width, int height);

    // A picture (RGB32, pixels undefined) on a pooled buffer; null when no memory is left.
    // Its buffer returns to the pool when the last copy of the picture is gone, on
    // whichever thread that happens.
    QImage acquire();

    std::size_t idleBuffers();

  private:
    PicturePool(int width, int height) : width_(width), height_(height) {}
    static void release(void* lease);

    int width_;
    int height_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<std::uint32_t[]>> idle_;
};

}  // namespace tarvenix
