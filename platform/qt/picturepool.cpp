// Lending pixel buffers to pictures and taking them back.
#include "platform/qt/picturepool.h"

#include <new>

namespace tarvenix {

namespace {

// More idle buffers than a picture on screen and one being drawn are never needed.
constexpr std::size_t maxIdle = 3;

}  // namespace

struct PictureLease {
    std::shared_ptr<PicturePool> pool;
    std::unique_ptr<std::uint32_t[]> pixels;
};

std::shared_ptr<PicturePool> PicturePool::create(int width, int height) {
    return std::shared_ptr<PicturePool>(new PicturePool(width, height));
}

QImage PicturePool::acquire() {
    if (width_ <= 0 || height_ <= 0)
        return QImage();
    std::unique_ptr<std::uint32_t[]> pixels;
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            pixels = std::move(idle_.back());
            idle_.pop_back();
        }
    }
    if (!pixels) {
        const auto count = static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
        pixels.reset(new (std::nothrow) std::uint32_t[count]);
        if (!pixels)
            return QImage();
    }
    auto* lease = new (std::nothrow) PictureLease{shared_from_this(), std::move(pixels)};
    if (lease == nullptr)
        return QImage();
    QImage picture(reinterpret_cast<uchar*>(lease->pixels.get()), width_, height_,
                   static_cast<qsizetype>(width_) * 4, QImage::Format_RGB32, &PicturePool::release,
                   lease);
    // A picture that could not be made does not own its buffer.
    if (picture.isNull())
        release(lease);
    return picture;
}

std::size_t PicturePool::idleBuffers() {
    std::lock_guard lock(mutex_);
    return idle_.size();
}

void PicturePool::release(void* leaseAddress) {
    std::unique_ptr<PictureLease> lease(static_cast<PictureLease*>(leaseAddress));
    PicturePool& pool = *lease->pool;
    std::lock_guard lock(pool.mutex_);
    if (pool.idle_.size() < maxIdle)
        pool.idle_.push_back(std::move(lease->pixels));
}

}  // namespace tarvenix
