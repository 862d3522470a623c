#include "drive.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <vector>

namespace tavrel::samplegen {
namespace detail {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kGravity = 9.80665;
constexpr int kStepsPerSecond = 100;
constexpr double kDt = 1.0 / kStepsPerSecond;
constexpr double kEarthRadius = 6371000.0;
// The city the drives go through: south-west corner of the street grid.
constexpr double kOriginLatitude = 25.03;
constexpr double kOriginLongitude = 121.50;
constexpr double kGridEast = 7000.0;   // metres, up to 121.57 E
constexpr double kGridNorth = 5500.0;  // metres, up to 25.08 N
constexpr double kGsensorFullScaleG = 2.0;

// Deterministic noise independent of the standard library's distributions,
// so a seed gives the same drive with every compiler.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}
double Unit(std::uint64_t seed, std::uint64_t a, std::uint64_t b = 0) {
    const std::uint64_t h = Mix(Mix(Mix(seed) ^ a) ^ (b * 0x632be59bd9b4e019ULL));
    return static_cast<double>(h >> 11) * 0x1.0p-53;
}

struct Segment {
    double s0 = 0;
    double length = 0;
    double x0 = 0;         // metres east of the grid origin
    double y0 = 0;         // metres north
    double heading0 = 0;   // radians, 0 = north, clockwise
    double curvature = 0;  // 1/m, positive turning right
};

// An intersection on the route, in path distance.
struct Crossing {
    double stopLine = 0;
    double enter = 0;  // where the turn arc (or the crossing) starts
    double leave = 0;
    double turnSpeed = std::numeric_limits<double>::infinity();
    bool redLight = false;
    double waitSeconds = 0;
    double cruiseBefore = 0;  // m/s on the block leading here
};

struct Pose {
    double x = 0;
    double y = 0;
    double heading = 0;
    double curvature = 0;
};

class Route {
public:
    explicit Route(std::uint32_t seed) : seed_(seed) {
        // Irregular block lengths, like a real city's grid.
        for (double x = 250; x < kGridEast - 250; x += 180 + 220 * Unit(seed_, 1, xs_.size())) {
            xs_.push_back(x);
        }
        for (double y = 250; y < kGridNorth - 250; y += 160 + 200 * Unit(seed_, 2, ys_.size())) {
            ys_.push_back(y);
        }
        i_ = static_cast<int>(xs_.size() / 4 + Unit(seed_, 3) * xs_.size() / 2);
        j_ = static_cast<int>(ys_.size() / 4 + Unit(seed_, 4) * ys_.size() / 2);
        dir_ = static_cast<int>(Unit(seed_, 5) * 4) % 4;
        // Start mid-block, parked at the kerb.
        const auto [nx, ny] = Next(i_, j_, dir_);
        if (!Inside(nx, ny)) {
            dir_ = (dir_ + 2) % 4;
        }
        const double startFraction = 0.3 + 0.4 * Unit(seed_, 6);
        const auto [tx, ty] = Next(i_, j_, dir_);
        exitX_ = xs_[i_] + (xs_[tx] - xs_[i_]) * startFraction;
        exitY_ = ys_[j_] + (ys_[ty] - ys_[j_]) * startFraction;
    }

    void EnsureLength(double s) {
        while (length_ < s) {
            AddBlock();
        }
    }

    Pose At(double s) {
        EnsureLength(s + 1);
        auto it = std::upper_bound(segments_.begin(), segments_.end(), s,
                                   [](double v, const Segment& seg) { return v < seg.s0; });
        const Segment& seg = *(it == segments_.begin() ? it : it - 1);
        const double u = std::clamp(s - seg.s0, 0.0, seg.length);
        Pose p;
        p.curvature = seg.curvature;
        if (seg.curvature == 0) {
            p.x = seg.x0 + u * std::sin(seg.heading0);
            p.y = seg.y0 + u * std::cos(seg.heading0);
            p.heading = seg.heading0;
        } else {
            const double k = seg.curvature;
            p.heading = seg.heading0 + k * u;
            p.x = seg.x0 + (std::cos(seg.heading0) - std::cos(p.heading)) / k;
            p.y = seg.y0 + (std::sin(p.heading) - std::sin(seg.heading0)) / k;
        }
        return p;
    }

    // Every intersection generated so far, in route order.
    std::vector<Crossing>& crossings() { return crossings_; }

private:
    static std::pair<int, int> Next(int i, int j, int dir) {
        static constexpr std::array<int, 4> kDi{0, 1, 0, -1};
        static constexpr std::array<int, 4> kDj{1, 0, -1, 0};
        return {i + kDi[dir], j + kDj[dir]};
    }
    bool Inside(int i, int j) const {
        return i >= 0 && j >= 0 && i < static_cast<int>(xs_.size()) &&
               j < static_cast<int>(ys_.size());
    }

    void AddLine(double x0, double y0, double x1, double y1, double heading) {
        const double len = std::hypot(x1 - x0, y1 - y0);
        segments_.push_back({length_, len, x0, y0, heading, 0});
        length_ += len;
    }

    // Drives from the last exit point to the next intersection and through it.
    void AddBlock() {
        const auto [ni, nj] = Next(i_, j_, dir_);
        const double nodeX = xs_[ni];
        const double nodeY = ys_[nj];
        const std::uint64_t n = crossings_.size();

        // Mostly straight on, turning where the grid ends.
        int turn = 0;
        const double pick = Unit(seed_, 10, n);
        turn = pick < 0.55 ? 0 : (pick < 0.77 ? 1 : -1);
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int d = (dir_ + turn + 4) % 4;
            const auto [ti, tj] = Next(ni, nj, d);
            if (Inside(ti, tj)) {
                break;
            }
            turn = attempt == 0 ? 1 : (attempt == 1 ? -1 : 0);
        }
        const int newDir = (dir_ + turn + 4) % 4;
        const double heading = dir_ * kPi / 2;
        const double dx = std::sin(heading);
        const double dy = std::cos(heading);
        const double radius = turn == 0 ? 12.0 : (turn > 0 ? 11.0 : 18.0);

        Crossing c;
        c.cruiseBefore = (34 + 24 * Unit(seed_, 11, n)) / 3.6;
        const double enterX = nodeX - dx * radius;
        const double enterY = nodeY - dy * radius;
        AddLine(exitX_, exitY_, enterX, enterY, heading);
        c.enter = length_;
        c.stopLine = c.enter - 3.0;
        if (turn == 0) {
            AddLine(enterX, enterY, nodeX + dx * radius, nodeY + dy * radius, heading);
        } else {
            const double k = turn / radius;
            segments_.push_back({length_, kPi / 2 * radius, enterX, enterY, heading, k});
            length_ += kPi / 2 * radius;
            // A comfortable 0.22 G through the corner.
            c.turnSpeed = std::sqrt(0.22 * kGravity * radius);
        }
        c.leave = length_;
        c.redLight = Unit(seed_, 12, n) < 0.38;
        c.waitSeconds = 8 + 32 * Unit(seed_, 13, n);
        crossings_.push_back(c);

        const double newHeading = newDir * kPi / 2;
        exitX_ = nodeX + std::sin(newHeading) * radius;
        exitY_ = nodeY + std::cos(newHeading) * radius;
        i_ = ni;
        j_ = nj;
        dir_ = newDir;
    }

    std::uint32_t seed_;
    std::vector<double> xs_;
    std::vector<double> ys_;
    int i_ = 0;
    int j_ = 0;
    int dir_ = 0;
    double exitX_ = 0;
    double exitY_ = 0;
    double length_ = 0;
    std::vector<Segment> segments_;
    std::vector<Crossing> crossings_;
};

struct CarState {
    double s = 0;
    double v = 0;
    double a = 0;  // over the coming step
};

// The lower of the current acceleration and the braking needed for the
// corners ahead of s; shared by the planned drive and a car catching up.
double LimitForCorners(Route& route, std::size_t firstCrossing, const CarState& car, double a) {
    const auto& crossings = route.crossings();
    for (std::size_t i = firstCrossing; i < crossings.size(); ++i) {
        const Crossing& c = crossings[i];
        if (c.enter - car.s > 200) {
            break;
        }
        if (car.s >= c.enter && car.s < c.leave) {
            a = std::min(a, (c.turnSpeed - car.v) / 0.6);
        } else if (car.s < c.enter && car.v > c.turnSpeed) {
            const double need =
                (car.v * car.v - c.turnSpeed * c.turnSpeed) / (2 * std::max(c.enter - car.s, 0.05));
            if (need >= 1.4) {
                a = std::min(a, -need);
            }
        }
    }
    return a;
}

void Integrate(CarState& car, double a) {
    const double v = std::max(0.0, car.v + a * kDt);
    car.s += 0.5 * (car.v + v) * kDt;
    car.a = (v - car.v) / kDt;
    car.v = v;
}

}  // namespace

struct DriveSimulator::Impl {
    explicit Impl(std::uint32_t seed) : seed(seed), route(seed) { route.EnsureLength(1000); }

    std::uint32_t seed;
    Route route;
    CarState car;
    std::int64_t step = 0;
    std::size_t crossing = 0;  // first crossing not yet left behind
    bool waiting = false;
    std::int64_t waitUntil = 0;

    double CruiseSpeed() {
        const double base = route.crossings()[crossing].cruiseBefore;
        const double t = static_cast<double>(step) * kDt;
        // Traffic: the pace drifts a little around the street's own speed.
        return base * (1 + 0.06 * std::sin(2 * kPi * t / 23.0 + seed) +
                       0.03 * std::sin(2 * kPi * t / 7.3 + 2.0 * seed));
    }

    // Advances the planned drive by one step; car.a becomes the step's
    // acceleration.
    void Step() {
        route.EnsureLength(car.s + 400);
        auto& crossings = route.crossings();
        while (car.s >= crossings[crossing].leave) {
            ++crossing;
        }
        ++step;
        Crossing& next = crossings[crossing];
        if (waiting) {
            car.a = 0;
            if (step >= waitUntil) {
                waiting = false;
                next.redLight = false;
            }
            return;
        }
        const bool onCorner = car.s >= next.enter;
        const double target = onCorner ? std::min(next.turnSpeed, CruiseSpeed()) : CruiseSpeed();
        const double maxAccel = 2.3 - 1.1 * std::min(1.0, car.v / 16.0);
        double a = std::clamp((target - car.v) / 1.5, -1.5, maxAccel);
        a = LimitForCorners(route, crossing, car, a);

        bool stopping = false;
        if (next.redLight && car.s <= next.stopLine) {
            const double gap = next.stopLine - car.s;
            const double need = car.v * car.v / (2 * std::max(gap, 0.01));
            if (need >= 1.7 || gap < 0.5) {
                a = std::min(a, -need);
                stopping = true;
            }
        }
        const double before = car.v;
        Integrate(car, a);
        if (next.redLight && (car.s >= next.stopLine - 0.005 || (stopping && car.v < 0.03))) {
            car.s = next.stopLine;
            car.v = 0;
            car.a = -before / kDt;
            waiting = true;
            waitUntil = step + static_cast<std::int64_t>(next.waitSeconds * kStepsPerSecond);
        }
    }

    RecordingSpec Record(const DriveSpec& drive);
};

DriveSimulator::DriveSimulator(std::uint32_t routeSeed)
    : impl_(std::make_unique<Impl>(routeSeed)) {}
DriveSimulator::~DriveSimulator() = default;

RecordingSpec DriveSimulator::Record(const DriveSpec& drive) {
    return impl_->Record(drive);
}

namespace {

double RawCoordinate(double degrees) {
    const double whole = std::floor(degrees);
    return whole * 100 + (degrees - whole) * 60;
}

std::int8_t GsensorRaw(double acceleration, double noise) {
    const double raw = acceleration / kGravity * (128 / kGsensorFullScaleG) + noise;
    return static_cast<std::int8_t>(std::clamp(std::lround(raw), -128L, 127L));
}

}  // namespace

RecordingSpec DriveSimulator::Impl::Record(const DriveSpec& drive) {
    if (drive.seconds <= 0 || drive.gpsRecordsPerSecond <= 0 ||
        drive.gsensorSamplesPerSecond <= 0 || drive.framesPerSecond <= 0 ||
        drive.driveOffsetSeconds < 0) {
        throw std::invalid_argument("a drive needs positive lengths and rates");
    }
    const std::int64_t first = drive.driveOffsetSeconds * kStepsPerSecond;
    const std::int64_t end = first + std::int64_t{drive.seconds} * kStepsPerSecond;
    if (first < step) {
        throw std::invalid_argument("recordings of one drive must be made in order");
    }
    while (step < first) {
        Step();
    }

    // A hard brake is laid over the planned drive: the car brakes, closes the
    // gap and rejoins the plan, so the next recording of the drive continues
    // seamlessly without knowing about the event.
    std::optional<std::int64_t> brakeStep;
    if (drive.hardBrakeAtSecond) {
        brakeStep = first + std::int64_t{*drive.hardBrakeAtSecond} * kStepsPerSecond;
    }
    enum class Event { kNone, kBraking, kCatchingUp, kDone } event = Event::kNone;
    CarState follower;
    double brakingFor = 0;
    std::size_t followerCrossing = 0;

    struct Sample {
        double s;
        double v;
        double a;
    };
    std::vector<Sample> samples;
    samples.reserve(static_cast<std::size_t>(end - first));
    while (step < end) {
        const std::int64_t k = step;
        CarState planned = car;
        Step();
        planned.a = car.a;
        CarState shown = planned;
        if (event == Event::kNone && brakeStep && k >= *brakeStep && planned.v > 4.0) {
            event = Event::kBraking;
            follower = planned;
            followerCrossing = crossing;
        }
        if (event == Event::kBraking || event == Event::kCatchingUp) {
            double a = 0;
            if (event == Event::kBraking) {
                a = std::max(-0.9 * kGravity, std::min(follower.a, 0.0) - 60 * kDt);
                brakingFor += kDt;
                if (follower.v + a * kDt <= 0.8 || brakingFor >= 1.8) {
                    event = Event::kCatchingUp;
                }
            } else {
                // Close the gap at up to 4 m/s faster than planned, easing off
                // so the closing speed reaches zero just as the gap does.
                const double gap = std::max(planned.s - follower.s, 0.0);
                const double closing = follower.v - planned.v;
                const double wanted = std::min(4.0, std::sqrt(2 * 1.0 * gap));
                a = planned.a + std::clamp((wanted - closing) / 0.8, -3.0, 2.5);
                if (closing > 0 && closing * closing / (2 * std::max(gap, 1e-4)) >= 1.0) {
                    a = planned.a - closing * closing / (2 * std::max(gap, 1e-4));
                }
                a = std::clamp(a, -4.0, 2.6);
                auto& crossings = route.crossings();
                while (follower.s >= crossings[followerCrossing].leave) {
                    ++followerCrossing;
                }
                a = LimitForCorners(route, followerCrossing, follower, a);
            }
            const CarState before = follower;
            Integrate(follower, a);
            shown = before;
            shown.a = follower.a;
            const bool settled =
                std::abs(car.s - follower.s) < 0.002 && std::abs(car.v - follower.v) < 0.07;
            if (event == Event::kCatchingUp && (follower.s >= car.s || settled)) {
                event = Event::kDone;
                shown.a = (car.v - before.v) / kDt;
            }
        }
        samples.push_back({shown.s, shown.v, shown.a});
    }

    const WallClock start = drive.driveStart.Plus(drive.driveOffsetSeconds);
    RecordingSpec recording;
    recording.width = drive.width;
    recording.height = drive.height;
    recording.framesPerSecond = drive.framesPerSecond;
    recording.frameCount = drive.seconds * drive.framesPerSecond;
    recording.clock = start;
    recording.iditText = start.Text();
    recording.gpsRateWord = static_cast<std::uint32_t>(drive.gpsRecordsPerSecond);
    recording.gsensorRateWord = static_cast<std::uint32_t>(drive.gsensorSamplesPerSecond) |
                                static_cast<std::uint32_t>(kGsensorFullScaleG) << 8;

    const double metresPerDegreeNorth = kEarthRadius * kPi / 180;
    const double metresPerDegreeEast = metresPerDegreeNorth * std::cos(kOriginLatitude * kPi / 180);
    const std::int64_t gpsCount = std::int64_t{drive.seconds} * drive.gpsRecordsPerSecond;
    for (std::int64_t j = 0; j < gpsCount; ++j) {
        const std::int64_t at = j * kStepsPerSecond / drive.gpsRecordsPerSecond;
        const Sample& sample = samples[static_cast<std::size_t>(at)];
        const Pose pose = route.At(sample.s);
        GpsFix fix;
        fix.latitudeRaw = RawCoordinate(kOriginLatitude + pose.y / metresPerDegreeNorth);
        fix.longitudeRaw = RawCoordinate(kOriginLongitude + pose.x / metresPerDegreeEast);
        fix.altitude = static_cast<std::int32_t>(std::lround(
            9 + 5 * std::sin(pose.x / 830) + 4 * std::cos(pose.y / 610) + pose.y / 550));
        fix.speedKmh = static_cast<std::uint16_t>(std::lround(sample.v * 3.6));
        double degrees = std::fmod(pose.heading * 180 / kPi, 360.0);
        if (degrees < 0) {
            degrees += 360;
        }
        fix.headingHalf = static_cast<std::uint8_t>(std::lround(degrees / 2) % 180);
        fix.clock = start.Plus(at / kStepsPerSecond);
        fix.status = 1;
        recording.gps.push_back(fix);
    }

    const std::int64_t gCount = std::int64_t{drive.seconds} * drive.gsensorSamplesPerSecond;
    for (std::int64_t m = 0; m < gCount; ++m) {
        // Each sample averages the motion over its own interval, the way the
        // sensor's low-pass filter does.
        const std::int64_t from = m * kStepsPerSecond / drive.gsensorSamplesPerSecond;
        const std::int64_t to =
            std::max(from + 1, (m + 1) * kStepsPerSecond / drive.gsensorSamplesPerSecond);
        double along = 0;
        double across = 0;
        double speed = 0;
        for (std::int64_t i = from; i < to; ++i) {
            const Sample& sample = samples[static_cast<std::size_t>(i)];
            along += sample.a;
            across += sample.v * sample.v * route.At(sample.s).curvature;
            speed += sample.v;
        }
        const double n = static_cast<double>(to - from);
        along /= n;
        across /= n;
        speed /= n;
        const std::uint64_t key = static_cast<std::uint64_t>(first + from);
        const auto noise = [&](int salt, double base, double perSpeed) {
            return (Unit(seed, 100 + salt, key) * 2 - 1) * (base + perSpeed * speed);
        };
        GSample g;
        g.x = GsensorRaw(across, noise(0, 0.8, 0.05));
        g.y = GsensorRaw(along, noise(1, 0.9, 0.07));
        g.z = GsensorRaw(kGravity, noise(2, 1.1, 0.12));
        recording.gsensor.push_back(g);
    }
    return recording;
}

}  // namespace detail

RecordingSpec MakeDrivingRecording(const DriveSpec& drive) {
    detail::DriveSimulator simulator(drive.routeSeed);
    return simulator.Record(drive);
}

}  // namespace tavrel::samplegen
