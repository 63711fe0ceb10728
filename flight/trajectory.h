// Trajectory point, list and summary, and the integrator that produces them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "flight/parameters.h"

namespace tarvenix {

// One time step of the flight; the order of the 17 fields is part of the model.
struct TrajectoryPoint {
    double t;      // time at the start of the step, s
    double vx;     // horizontal velocity at the start, m/s
    double vy;     // vertical velocity at the start, m/s
    double v;      // speed at the start, m/s
    double ax;     // horizontal acceleration from the start values, m/s^2
    double ay;     // vertical acceleration from the start values, m/s^2
    double dvx;    // horizontal velocity change over the step, m/s
    double dvy;    // vertical velocity change over the step, m/s
    double vxNew;  // horizontal velocity at the end, m/s
    double vyNew;  // vertical velocity at the end, m/s
    double x;      // horizontal distance at the start, m
    double y;      // height at the start, m
    double dx;     // horizontal displacement over the step, m
    double dy;     // vertical displacement over the step, m
    double xNew;   // horizontal distance at the end, m
    double yNew;   // height at the end, m
    double ds;     // length of the straight segment over the step, m
};
static_assert(sizeof(TrajectoryPoint) == 17 * sizeof(double));

// The points of the last integration. Records come from fixed-size blocks that are
// kept between runs, so a run allocates only when it grows beyond every earlier run.
class TrajectoryList {
  public:
    static constexpr std::size_t blockSize = 4096;  // points per block
    // A run that never reaches its target (a tiny dt, no gravity and huge drag) stops
    // here instead of filling the memory: about 1.4 GB of points.
    static constexpr std::size_t defaultMaxPoints = 10'000'000;

    explicit TrajectoryList(std::size_t maxPoints = defaultMaxPoints);
    TrajectoryList(const TrajectoryList&) = delete;
    TrajectoryList& operator=(const TrajectoryList&) = delete;

    // Takes the blocks for `points` points now and touches their memory, so that the first
    // run of that size pays for neither the allocation nor the page faults. Returns false
    // when the memory cannot be had (the list then grows run by run as usual).
    bool reserve(std::size_t points);

    // Forgets the points but keeps every block for the next run.
    void clear() { size_ = 0; }

    // A slot for one more point at the end, or nullptr when the list is full or
    // no block can be had.
    TrajectoryPoint* appendSlot() {
        if (size_ < capacity_) {
            const std::size_t i = size_++;
            return &blocks_[i / blockSize][i % blockSize];
        }
        return growAndAppend();
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const TrajectoryPoint& operator[](std::size_t i) const {
        return blocks_[i / blockSize][i % blockSize];
    }
    const TrajectoryPoint& last() const { return (*this)[size_ - 1]; }

    // Blocks held, used or not (for checking that runs reuse them).
    std::size_t blockCount() const { return blocks_.size(); }
    std::size_t maxPoints() const { return maxPoints_; }

    // The points of block b that belong to the current run, in flight order.
    std::size_t usedBlockCount() const { return (size_ + blockSize - 1) / blockSize; }
    std::span<const TrajectoryPoint> usedBlock(std::size_t b) const;

    // Visits every point from the first to the last.
    template <typename Visitor>
    void forEach(Visitor&& visit) const {
        for (std::size_t b = 0, n = usedBlockCount(); b < n; ++b) {
            for (const TrajectoryPoint& p : usedBlock(b))
                visit(p);
        }
    }

  private:
    TrajectoryPoint* growAndAppend();
    bool addBlock();

    std::vector<std::unique_ptr<TrajectoryPoint[]>> blocks_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    std::size_t maxPoints_;
};

// The figures one integration returns.
struct TrajectorySummary {
    std::int32_t pointCount = 0;
    double meanSpeed = 0.0;    // m/s, over all points
    double minSpeed = 0.0;     // m/s, over the points after the first
    double apexHeight = 0.0;   // m
    double apexX = 0.0;        // m
    double finalHeight = 0.0;  // m, y of the last point
    double finalX = 0.0;       // m, x of the last point
};

// What every integration leaves in the program-wide state.
struct FlightResults {
    double heightAtTarget = 0.0;    // m, y of the last point
    double flightPathLength = 0.0;  // m, sum of ds over all points
};

// Integrates the flight from the parameter set into the list. G, dt and Distance are
// read at every step, as the model defines.
TrajectorySummary integrateTrajectory(const ParameterSet& params, TrajectoryList& list,
                                      FlightResults& results);

}  // namespace tarvenix
