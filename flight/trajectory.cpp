#include "flight/trajectory.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace tarvenix {

TrajectoryList::TrajectoryList(std::size_t maxPoints) : maxPoints_(maxPoints) {
    // Room for the pointers of every block a run may ever use, so that growing the list
    // never reallocates this vector mid-run.
    blocks_.reserve((maxPoints_ + blockSize - 1) / blockSize);
}

bool TrajectoryList::addBlock() {
    // Value-initialised, so that the pages are touched here and not during a run.
    std::unique_ptr<TrajectoryPoint[]> block(new (std::nothrow) TrajectoryPoint[blockSize]());
    if (!block) {
        return false;
    }
    blocks_.push_back(std::move(block));
    // The fast path of appendSlot trusts capacity_, so it never counts beyond the bound.
    capacity_ = std::min(capacity_ + blockSize, maxPoints_);
    return true;
}

bool TrajectoryList::reserve(std::size_t points) {
    points = std::min(points, maxPoints_);
    while (capacity_ < points) {
        if (!addBlock()) {
            return false;
        }
    }
    return true;
}

TrajectoryPoint* TrajectoryList::growAndAppend() {
    if (size_ >= maxPoints_ || !addBlock()) {
        return nullptr;
    }
    const std::size_t i = size_++;
    return &blocks_[i / blockSize][i % blockSize];
}

std::span<const TrajectoryPoint> TrajectoryList::usedBlock(std::size_t b) const {
    std::size_t begin = b * blockSize;
    std::size_t count = size_ - begin < blockSize ? size_ - begin : blockSize;
    return {blocks_[b].get(), count};
}

namespace {

// The arithmetic of one time step, shared by every point. Values are stored into the
// point in the order they are computed; the order of every operation is part of the model.
struct StepInput {
    double t, vx, vy, x, y;
};

inline double computeStep(TrajectoryPoint& p, const StepInput& in, double k, double G, double dt) {
    p.t = in.t;
    p.vx = in.vx;
    p.vy = in.vy;
    p.v = std::sqrt(p.vx * p.vx + p.vy * p.vy);
    p.ax = ((-k * p.v) * p.v) * std::fabs(p.vx / p.v);
    p.dvx = p.ax * dt;
    p.vxNew = p.vx + p.dvx;
    // The vertical drag term is always subtracted: it pulls down while rising and falling.
    p.ay = -G - ((k * p.v) * p.v) * std::fabs(p.vy / p.v);
    p.dvy = p.ay * dt;
    p.vyNew = p.vy + p.dvy;
    p.x = in.x;
    p.dx = p.vxNew * dt;
    p.xNew = p.x + p.dx;
    p.y = in.y;
    p.dy = p.vyNew * dt;
    p.yNew = p.y + p.dy;
    p.ds = std::sqrt(std::fabs(p.dx) * std::fabs(p.dx) + std::fabs(p.dy) * std::fabs(p.dy));
    return p.ds;
}

}  // namespace

TrajectorySummary integrateTrajectory(const ParameterSet& params, TrajectoryList& list,
                                      FlightResults& results) {
    constexpr double pi = 3.141592653589793;
    const double v0 = static_cast<double>(params.V0);
    const double angle = params.Winkel * pi / 180.0;
    const double vx0 = v0 * std::cos(angle);
    const double vy0 = v0 * std::sin(angle);
    const double k = ((((params.CW * 0.5) * params.RHO) * 3.14) * params.R) * params.R / params.M;

    results.flightPathLength = 0.0;
    double speedSum = 0.0;
    TrajectorySummary summary;
    summary.minSpeed = 1000.0;
    summary.apexHeight = 0.0;
    summary.apexX = 0.0;
    summary.finalHeight = 0.0;
    summary.finalX = 0.0;
    list.clear();

    TrajectoryPoint* p = list.appendSlot();
    if (p != nullptr) {
        results.flightPathLength +=
            computeStep(*p, {0.0, vx0, vy0, 0.0, 0.0}, k, params.G, params.dt);
        speedSum += p->v;

        // A time step that is not above zero would never carry x to the target.
        bool canAdvance = params.dt > 0.0;
        while (canAdvance && p->x < static_cast<double>(params.Distance)) {
            const TrajectoryPoint& previous = *p;
            const StepInput next{previous.t + params.dt, previous.vxNew, previous.vyNew,
                                 previous.xNew, previous.yNew};
            TrajectoryPoint* q = list.appendSlot();
            if (q == nullptr)
                break;  // list full or memory exhausted: keep what exists
            results.flightPathLength += computeStep(*q, next, k, params.G, params.dt);
            speedSum += q->v;
            if (q->v < summary.minSpeed)
                summary.minSpeed = q->v;
            summary.finalHeight = q->y;
            summary.finalX = q->x;
            if (summary.apexHeight < q->y) {
                summary.apexHeight = q->y;
                summary.apexX = q->x;
            }
            results.heightAtTarget = q->y;
            p = q;
        }
    }

    summary.pointCount = static_cast<std::int32_t>(list.size());
    summary.meanSpeed = speedSum / static_cast<double>(summary.pointCount);
    return summary;
}

}  // namespace tarvenix
