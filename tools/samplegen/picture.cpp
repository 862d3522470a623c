#include "picture.h"

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <stdexcept>
#include <string>

namespace tavrel::samplegen::detail {

namespace {

constexpr double kPi = std::numbers::pi;

struct Color {
    float r = 0;
    float g = 0;
    float b = 0;
};

Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Color Scale(Color c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

float Clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// Non-negative remainder; std::fmod is slow and keeps the sign.
double Wrap(double v, double period) {
    return v - std::floor(v / period) * period;
}

std::uint32_t Hash(std::int64_t a, std::uint32_t salt) {
    auto x = static_cast<std::uint64_t>(a) * 0x9e3779b97f4a7c15ULL + salt * 0x85ebca6bULL;
    x ^= x >> 31;
    x *= 0xbf58476d1ce4e5b9ULL;
    x ^= x >> 29;
    return static_cast<std::uint32_t>(x >> 16);
}
float HashUnit(std::int64_t a, std::uint32_t salt) {
    return static_cast<float>(Hash(a, salt) & 0xffffff) / float(0x1000000);
}

// Smooth value noise over the plane, in [0, 1), repeating every `period`
// lattice cells in both directions.
float SmoothNoise(double u, double v, std::int64_t period, std::uint32_t salt) {
    const double fu = std::floor(u);
    const double fv = std::floor(v);
    const auto iu = static_cast<std::int64_t>(fu);
    const auto iv = static_cast<std::int64_t>(fv);
    const auto smooth = [](double t) { return static_cast<float>(t * t * (3 - 2 * t)); };
    const float tu = smooth(u - fu);
    const float tv = smooth(v - fv);
    const auto at = [&](std::int64_t i, std::int64_t j) {
        return HashUnit(((i % period + period) % period) * 92821 + (j % period + period) % period,
                        salt);
    };
    const float a = at(iu, iv) + (at(iu + 1, iv) - at(iu, iv)) * tu;
    const float b = at(iu, iv + 1) + (at(iu + 1, iv + 1) - at(iu, iv + 1)) * tu;
    return a + (b - a) * tv;
}

// Overlap of a pixel's footprint [c - half, c + half] with [lo, hi], as a fraction.
float Coverage(double c, double half, double lo, double hi) {
    const double overlap = std::min(c + half, hi) - std::max(c - half, lo);
    return static_cast<float>(std::clamp(overlap / (2 * half), 0.0, 1.0));
}

class Canvas {
public:
    Canvas(std::vector<std::uint8_t>& rgb, int width, int height)
        : rgb_(rgb), width_(width), height_(height) {}

    int width() const { return width_; }
    int height() const { return height_; }

    void Set(int x, int y, Color c) {
        std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
        p[0] = static_cast<std::uint8_t>(std::clamp(c.r, 0.0f, 255.0f));
        p[1] = static_cast<std::uint8_t>(std::clamp(c.g, 0.0f, 255.0f));
        p[2] = static_cast<std::uint8_t>(std::clamp(c.b, 0.0f, 255.0f));
    }
    Color Get(int x, int y) const {
        const std::uint8_t* p = &rgb_[(static_cast<std::size_t>(y) * width_ + x) * 3];
        return {float(p[0]), float(p[1]), float(p[2])};
    }
    void Blend(int x, int y, Color c, float alpha) {
        if (alpha <= 0 || x < 0 || y < 0 || x >= width_ || y >= height_) {
            return;
        }
        Set(x, y, Mix(Get(x, y), c, std::min(alpha, 1.0f)));
    }

    // An axis-aligned rectangle with fractional, anti-aliased edges.
    void FillRect(double x0, double y0, double x1, double y1, Color c, float alpha = 1) {
        if (x1 <= x0 || y1 <= y0) {
            return;
        }
        const int ix0 = std::max(0, static_cast<int>(std::floor(x0)));
        const int iy0 = std::max(0, static_cast<int>(std::floor(y0)));
        const int ix1 = std::min(width_ - 1, static_cast<int>(std::ceil(x1)));
        const int iy1 = std::min(height_ - 1, static_cast<int>(std::ceil(y1)));
        for (int y = iy0; y <= iy1; ++y) {
            const double cy = std::clamp(std::min(y + 1.0, y1) - std::max(double(y), y0), 0.0, 1.0);
            for (int x = ix0; x <= ix1; ++x) {
                const double cx =
                    std::clamp(std::min(x + 1.0, x1) - std::max(double(x), x0), 0.0, 1.0);
                Blend(x, y, c, static_cast<float>(cx * cy) * alpha);
            }
        }
    }

    void FillEllipse(double cx, double cy, double rx, double ry, Color c, float alpha = 1,
                     Color bottom = {-1, 0, 0}) {
        if (rx <= 0 || ry <= 0) {
            return;
        }
        const int ix0 = std::max(0, static_cast<int>(std::floor(cx - rx - 1)));
        const int iy0 = std::max(0, static_cast<int>(std::floor(cy - ry - 1)));
        const int ix1 = std::min(width_ - 1, static_cast<int>(std::ceil(cx + rx + 1)));
        const int iy1 = std::min(height_ - 1, static_cast<int>(std::ceil(cy + ry + 1)));
        const double r = std::min(rx, ry);
        for (int y = iy0; y <= iy1; ++y) {
            const double dy = (y + 0.5 - cy) / ry;
            Color row = c;
            if (bottom.r >= 0) {
                row = Mix(c, bottom, Clamp01(static_cast<float>(0.5 + 0.5 * dy)));
            }
            for (int x = ix0; x <= ix1; ++x) {
                const double dx = (x + 0.5 - cx) / rx;
                const double d = (1 - std::sqrt(dx * dx + dy * dy)) * r + 0.5;
                Blend(x, y, row, Clamp01(static_cast<float>(d)) * alpha);
            }
        }
    }

private:
    std::vector<std::uint8_t>& rgb_;
    int width_;
    int height_;
};

// Soft cumulus clouds, in view angles: made once and panned with the car.
class CloudMap {
public:
    static constexpr int kColumns = 1024;
    static constexpr int kRows = 160;
    static constexpr double kRowsPerRadian = kRows / 0.7;

    CloudMap() : density_(kColumns * kRows) {
        for (int y = 0; y < kRows; ++y) {
            for (int x = 0; x < kColumns; ++x) {
                double sum = 0;
                double amplitude = 0.55;
                int cell = 64;
                for (int octave = 0; octave < 5; ++octave) {
                    sum += amplitude * Noise(x, y * 3, cell, octave);
                    amplitude *= 0.5;
                    cell /= 2;
                }
                const double height = static_cast<double>(y) / kRows;
                const double cloud = (sum - 0.52) * 3.2 - height * 0.6;
                density_[static_cast<std::size_t>(y) * kColumns + x] =
                    static_cast<float>(std::clamp(cloud, 0.0, 1.0));
            }
        }
    }

    float At(double angle, double elevation) const {
        const double u = Wrap(angle / (2 * kPi) * kColumns, double(kColumns));
        const double v = std::clamp(elevation * kRowsPerRadian, 0.0, kRows - 1.001);
        const int x0 = static_cast<int>(u);
        const int y0 = static_cast<int>(v);
        const int x1 = (x0 + 1) % kColumns;
        const float fx = static_cast<float>(u - x0);
        const float fy = static_cast<float>(v - y0);
        const auto d = [&](int x, int y) {
            return density_[static_cast<std::size_t>(y) * kColumns + x];
        };
        const float top = d(x0, y0) + (d(x1, y0) - d(x0, y0)) * fx;
        const float bottom = d(x0, y0 + 1) + (d(x1, y0 + 1) - d(x0, y0 + 1)) * fx;
        return top + (bottom - top) * fy;
    }

private:
    // Value noise that wraps around the horizon.
    static double Noise(int x, int y, int cell, int octave) {
        const int cells = kColumns / cell;
        const double fx = static_cast<double>(x) / cell;
        const double fy = static_cast<double>(y) / cell;
        const int ix = static_cast<int>(fx);
        const int iy = static_cast<int>(fy);
        const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
        const double tx = smooth(fx - ix);
        const double ty = smooth(fy - iy);
        const auto value = [&](int i, int j) {
            return HashUnit((i % cells) * 7919 + j * 104729, 77 + octave);
        };
        const double a = value(ix, iy) + (value(ix + 1, iy) - value(ix, iy)) * tx;
        const double b = value(ix, iy + 1) + (value(ix + 1, iy + 1) - value(ix, iy + 1)) * tx;
        return a + (b - a) * ty;
    }

    std::vector<float> density_;
};

const CloudMap& Clouds() {
    static const CloudMap map;
    return map;
}

// Worn patches of asphalt, in metres across and along the road: made once
// and tiled, since working the noise out per pixel costs more than the rest
// of the ground.
class WearMap {
public:
    static constexpr int kSize = 256;
    static constexpr double kCellsPerMetre = 4;  // the tile covers 64 m square

    WearMap() : shade_(kSize * kSize) {
        for (int j = 0; j < kSize; ++j) {
            for (int i = 0; i < kSize; ++i) {
                const double x = i / kCellsPerMetre;
                const double w = j / kCellsPerMetre;
                const float coarse = SmoothNoise(x / 2.0, w / 4.0, 16, 3);
                const float fine = SmoothNoise(x / 0.5, w / 1.0, 64, 4);
                shade_[static_cast<std::size_t>(j) * kSize + i] =
                    (coarse - 0.5f) * 16 + (fine - 0.5f) * 6;
            }
        }
    }

    // Bilinear, so patches near the camera stay smooth.
    float At(double x, double w) const {
        const double u = x * kCellsPerMetre;
        const double v = w * kCellsPerMetre;
        const double fu = std::floor(u);
        const double fv = std::floor(v);
        const auto i = static_cast<std::int64_t>(fu);
        const auto j = static_cast<std::int64_t>(fv);
        const auto cell = [&](std::int64_t a, std::int64_t b) {
            return shade_[static_cast<std::size_t>((b & (kSize - 1)) * kSize + (a & (kSize - 1)))];
        };
        const auto tu = static_cast<float>(u - fu);
        const auto tv = static_cast<float>(v - fv);
        const float top = cell(i, j) + (cell(i + 1, j) - cell(i, j)) * tu;
        const float bottom = cell(i, j + 1) + (cell(i + 1, j + 1) - cell(i, j + 1)) * tu;
        return top + (bottom - top) * tv;
    }

private:
    std::vector<float> shade_;
};

const WearMap& Wear() {
    static const WearMap map;
    return map;
}

// The street: lanes across X (metres, right of the camera positive) and
// blocks along W (metres along the road).
constexpr double kCameraHeight = 1.35;
constexpr double kBlock = 120;       // one city block plus its cross street
constexpr double kCrossStreet = 14;  // cross street at the start of each block
constexpr double kRightFacade = 9.0;
constexpr double kLeftFacade = -15.75;
constexpr double kRoadRight = 5.5;
constexpr double kRoadLeft = -12.5;
constexpr double kBuildingLength = 21.2;

const Color kHaze{196, 208, 222};
const Color kSkyTop{58, 116, 196};
const Color kSkyLow{176, 203, 232};
const Color kAsphalt{86, 88, 92};
const Color kPaint{228, 228, 222};
const Color kYellow{226, 184, 60};

bool InCrossStreet(double w) {
    return Wrap(w, kBlock) < kCrossStreet;
}

float Fog(double z) {
    return static_cast<float>(1 - std::exp(-z / 260));
}

struct Building {
    double height = 0;
    Color wall{};
    Color sign{};
};

Building BuildingAt(double w, bool right) {
    const auto index = static_cast<std::int64_t>(std::floor(w / kBuildingLength));
    const std::uint32_t salt = right ? 11 : 23;
    static const std::array<Color, 6> walls{{{204, 194, 174},
                                             {172, 172, 170},
                                             {192, 164, 152},
                                             {218, 214, 206},
                                             {128, 126, 124},
                                             {180, 170, 140}}};
    static const std::array<Color, 5> signs{
        {{200, 40, 40}, {240, 200, 40}, {40, 90, 190}, {30, 150, 90}, {230, 120, 30}}};
    // Neighbours are of similar height, with the odd tower among them.
    const float tall =
        SmoothNoise(static_cast<double>(index) / 3.0, right ? 0.5 : 7.5, 1 << 20, salt);
    const bool tower = HashUnit(index, salt + 3) < 0.08;
    Building b;
    b.height = 11 + 16 * tall + (tower ? 14 : 0);
    b.wall = walls[Hash(index, salt + 1) % walls.size()];
    b.sign = signs[Hash(index, salt + 2) % signs.size()];
    return b;
}

Color ShadeFacade(const Building& b, double w, double y, double footprint, bool right) {
    const double along = Wrap(w, kBuildingLength);
    Color c;
    Color average;
    if (y < 3.4) {
        // Shop fronts: glass with a warm interior, pillars between.
        const bool pillar = Wrap(along, 5.3) < 0.5;
        c = pillar ? Scale(b.wall, 0.8f) : Color{70, 62, 52};
        if (!pillar && y > 0.3 && y < 2.6) {
            c = Mix(c, Color{150, 120, 80}, 0.35f);
        }
        average = Color{86, 76, 64};
    } else if (y < 4.3) {
        c = b.sign;
        if (Wrap(along, 4.0) < 2.4 && y > 3.6 && y < 4.1) {
            c = Mix(c, Color{250, 250, 240}, 0.55f);
        }
        average = Mix(b.sign, Color{250, 250, 240}, 0.3f);
    } else {
        const double col = Wrap(along, 2.65);
        const double row = Wrap(y - 4.3, 3.2);
        const bool window = col > 0.55 && col < 2.1 && row > 0.9 && row < 2.6 && y < b.height - 1;
        const float tint =
            HashUnit(static_cast<std::int64_t>(w / 2.65) * 97 + static_cast<std::int64_t>(y / 3.2),
                     right ? 5 : 9);
        c = window ? Color{64 + 40 * tint, 80 + 36 * tint, 100 + 30 * tint} : b.wall;
        average = Mix(b.wall, Color{80, 96, 114}, 0.3f);
        if (y > b.height - 0.6) {
            c = Scale(b.wall, 0.75f);
        }
    }
    // Patterns finer than a pixel average out instead of shimmering.
    c = Mix(c, average, Clamp01(static_cast<float>((footprint - 0.4) / 1.2)));
    return right ? Scale(c, 0.82f) : c;
}

Color ShadeGround(double x, double w, double fx, double fw) {
    const double u = Wrap(w, kBlock);
    const bool crossStreet = u < kCrossStreet;
    Color c;
    if (crossStreet || (x > kRoadLeft && x < kRoadRight)) {
        // Worn patches, fading out in the distance.
        const float near = Clamp01(static_cast<float>(1 - fx * 8));
        const float shade = near > 0 ? Wear().At(x, w) * near : 0.0f;
        c = {kAsphalt.r + shade, kAsphalt.g + shade, kAsphalt.b + shade};
        const double halfX = fx / 2;
        const double halfW = fw / 2;
        float paint = 0;
        float yellow = 0;
        const bool junction = u < kCrossStreet + 4 || u > kBlock - 6;
        if (!crossStreet) {
            if (!junction) {
                const double dash = Wrap(w, 10.0);
                const float dashCover = Coverage(dash, halfW, 0, 4) + Coverage(dash, halfW, 10, 14);
                for (double lane : {1.75, -1.75, -8.9}) {
                    paint += Coverage(x, halfX, lane - 0.075, lane + 0.075) * dashCover;
                }
                yellow += Coverage(x, halfX, -5.35, -5.23) + Coverage(x, halfX, -5.12, -5.0);
            }
            paint += Coverage(x, halfX, 5.15, 5.3) + Coverage(x, halfX, -12.35, -12.2);
            // Zebra crossings on both sides of the cross street, a stop line before it.
            if (u > kBlock - 4 || (u > kCrossStreet && u < kCrossStreet + 4)) {
                const double stripe = Wrap(x + 30, 1.2);
                paint += Coverage(stripe, halfX, 0, 0.6) + Coverage(stripe, halfX, 1.2, 1.8);
            }
            if (x > -5.2 && x < 5.2) {
                paint += Coverage(u, halfW, kBlock - 5.6, kBlock - 5.1);
            }
        }
        c = Mix(c, kPaint, Clamp01(paint) * 0.9f);
        c = Mix(c, kYellow, Clamp01(yellow) * 0.9f);
    } else {
        // Pavement tiles and the kerb.
        const bool kerb =
            (x >= kRoadRight && x < kRoadRight + 0.25) || (x <= kRoadLeft && x > kRoadLeft - 0.25);
        c = kerb ? Color{188, 186, 180} : Color{166, 150, 138};
        if (!kerb) {
            const double tx = Wrap(std::abs(x) * 2, 1.0);
            const double tw = Wrap(w * 2, 1.0);
            const float joint = std::max(Coverage(tx, fx, 0, 0.08), Coverage(tw, fw, 0, 0.08));
            c = Mix(c, Color{130, 120, 112},
                    joint * 0.5f * Clamp01(static_cast<float>(1 - fx * 3)));
        }
    }
    return c;
}

Color ShadeSky(double angle, double elevation, double drift) {
    const float t = Clamp01(static_cast<float>(elevation / 0.55));
    Color c = Mix(kSkyLow, kSkyTop, std::sqrt(t));
    const float cloud = Clouds().At(angle + drift, elevation);
    return Mix(c, Color{246, 246, 248}, cloud * 0.9f);
}

// Distant towers and the hills behind the city, seen down the street: the
// outline for one viewing angle.
struct Skyline {
    double tower = 0;  // elevations, radians
    double hills = 0;
    Color towerColor;

    explicit Skyline(double angle) {
        hills = 0.045 + 0.02 * std::sin(angle * 3.1) + 0.012 * std::sin(angle * 11.7);
        const double groups = angle / 0.07;
        const auto group = static_cast<std::int64_t>(std::floor(groups));
        const double within = groups - std::floor(groups);
        const float tall = HashUnit(group, 41);
        tower = within > 0.15 && within < 0.85 ? 0.006 + 0.03 * tall * tall : 0.004;
        towerColor = Mix(Color{150, 160, 176}, kHaze, 0.35f + 0.2f * HashUnit(group, 42));
    }

    bool Covers(double elevation, Color& c) const {
        if (elevation < tower) {
            c = towerColor;
            return true;
        }
        if (elevation < hills) {
            c = Mix(Color{100, 128, 120}, kHaze, 0.55f);
            return true;
        }
        return false;
    }
};

struct View {
    double focal;
    double centerX;
    double horizon;
    double distance;

    double ScreenX(double x, double z) const { return centerX + x * focal / z; }
    double ScreenY(double height, double z) const {
        return horizon + (kCameraHeight - height) * focal / z;
    }
};

// Streets beyond this are lost in the haze and leave the far skyline open.
constexpr double kFarthestFacade = 320;

void DrawBackground(Canvas& canvas, const View& view, const SceneMoment& m) {
    const int width = canvas.width();
    const int height = canvas.height();
    const double drift = m.seconds * 0.0015;

    // A facade column lies at one depth, so everything but the height along
    // it is worked out once per column.
    struct Column {
        double px;
        double angle;
        bool facade;
        bool right;
        double z;
        double w;
        double footprint;
        float fog;
        Building building;
        Skyline skyline{0};
    };
    std::vector<Column> columns(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        Column& col = columns[static_cast<std::size_t>(x)];
        col.px = x + 0.5 - view.centerX;
        col.angle = std::atan2(col.px, view.focal) + m.heading;
        col.skyline = Skyline(col.angle);
        col.right = col.px > 0;
        const double facadeX = col.right ? kRightFacade : kLeftFacade;
        col.z = std::abs(col.px) > 1e-6 ? facadeX * view.focal / col.px : 1e9;
        col.w = col.z + view.distance;
        col.facade = col.z < kFarthestFacade && !InCrossStreet(col.w);
        if (col.facade) {
            col.footprint = col.z * col.z / (std::abs(facadeX) * view.focal);
            col.fog = Fog(col.z);
            col.building = BuildingAt(col.w, col.right);
        }
    }

    for (int y = 0; y < height; ++y) {
        const double below = y + 0.5 - view.horizon;
        const double groundZ = below > 0 ? kCameraHeight * view.focal / below : 0;
        const double fx = groundZ / view.focal;
        const double fw = below > 0 ? groundZ * groundZ / (kCameraHeight * view.focal) : 0;
        const float groundFog = Fog(groundZ);
        const double elevation = std::atan2(-below, view.focal);
        for (int x = 0; x < width; ++x) {
            const Column& col = columns[static_cast<std::size_t>(x)];
            Color c;
            const double h = kCameraHeight - below * col.z / view.focal;
            if (col.facade && h >= 0 && h <= col.building.height) {
                c = Mix(ShadeFacade(col.building, col.w, h, col.footprint, col.right), kHaze,
                        col.fog);
            } else if (below > 0) {
                c = ShadeGround(col.px * fx, groundZ + view.distance, fx, fw);
                c = Mix(c, kHaze, groundFog);
            } else if (!col.skyline.Covers(elevation, c)) {
                c = ShadeSky(col.angle, elevation, drift);
            }
            canvas.Set(x, y, c);
        }
    }
}

struct Sprite {
    enum Kind { kTree, kLamp, kCarAhead, kOncoming } kind;
    double x;
    double z;
    std::uint32_t variant;
};

const std::array<Color, 6> kCarColors{{{200, 200, 204},
                                       {30, 32, 36},
                                       {150, 24, 28},
                                       {40, 70, 130},
                                       {228, 228, 224},
                                       {120, 124, 128}}};

void DrawSprite(Canvas& canvas, const View& view, const Sprite& s, const SceneMoment& m) {
    const float fog = Fog(s.z);
    const auto col = [&](Color c) { return Mix(c, kHaze, fog); };
    const auto sx = [&](double x) { return view.ScreenX(x, s.z); };
    const auto sy = [&](double h) { return view.ScreenY(h, s.z); };
    switch (s.kind) {
        case Sprite::kTree: {
            canvas.FillRect(sx(s.x - 0.14), sy(2.8), sx(s.x + 0.14), sy(0), col({84, 64, 48}));
            const double r = 1.9 + 0.5 * (s.variant % 5) / 4.0;
            const double rx = r * view.focal / s.z;
            const double ry = r * 0.85 * view.focal / s.z;
            canvas.FillEllipse(sx(s.x), sy(4.3), rx, ry, col({72, 124, 58}), 1, col({40, 78, 36}));
            canvas.FillEllipse(sx(s.x - r * 0.3), sy(4.7), rx * 0.5, ry * 0.45, col({96, 148, 74}),
                               0.7f);
            break;
        }
        case Sprite::kLamp: {
            const double armEnd = s.x > 0 ? s.x - 1.8 : s.x + 1.8;
            canvas.FillRect(sx(s.x - 0.08), sy(8.0), sx(s.x + 0.08), sy(0), col({96, 100, 104}));
            canvas.FillRect(std::min(sx(s.x), sx(armEnd)), sy(8.0), std::max(sx(s.x), sx(armEnd)),
                            sy(7.88), col({96, 100, 104}));
            canvas.FillRect(std::min(sx(armEnd - 0.3), sx(armEnd + 0.3)), sy(8.02),
                            std::max(sx(armEnd - 0.3), sx(armEnd + 0.3)), sy(7.8),
                            col({220, 220, 200}));
            break;
        }
        case Sprite::kCarAhead:
        case Sprite::kOncoming: {
            const Color body = kCarColors[s.variant % kCarColors.size()];
            const double half = 0.9;
            // Shadow, wheels, body, glass and lights, back to front.
            canvas.FillEllipse(sx(s.x), sy(0.02), half * 1.15 * view.focal / s.z,
                               0.25 * view.focal / s.z, {20, 20, 22}, 0.55f * (1 - fog));
            canvas.FillRect(sx(s.x - half + 0.08), sy(0.36), sx(s.x - half + 0.34), sy(0),
                            col({18, 18, 20}));
            canvas.FillRect(sx(s.x + half - 0.34), sy(0.36), sx(s.x + half - 0.08), sy(0),
                            col({18, 18, 20}));
            canvas.FillRect(sx(s.x - half), sy(0.98), sx(s.x + half), sy(0.22), col(body));
            canvas.FillRect(sx(s.x - half + 0.12), sy(1.48), sx(s.x + half - 0.12), sy(0.98),
                            col(Scale(body, 0.92f)));
            canvas.FillRect(sx(s.x - half + 0.2), sy(1.4), sx(s.x + half - 0.2), sy(1.0),
                            col({44, 54, 66}));
            canvas.FillRect(sx(s.x - half), sy(0.4), sx(s.x + half), sy(0.22),
                            col(Scale(body, 0.6f)));
            if (s.kind == Sprite::kCarAhead) {
                const bool braking = m.speed < 3;
                const Color tail = braking ? Color{255, 40, 30} : Color{170, 24, 24};
                canvas.FillRect(sx(s.x - half + 0.05), sy(0.92), sx(s.x - half + 0.38), sy(0.72),
                                col(tail));
                canvas.FillRect(sx(s.x + half - 0.38), sy(0.92), sx(s.x + half - 0.05), sy(0.72),
                                col(tail));
                canvas.FillRect(sx(s.x - 0.26), sy(0.66), sx(s.x + 0.26), sy(0.5),
                                col({236, 236, 230}));
            } else {
                canvas.FillRect(sx(s.x - half + 0.08), sy(0.85), sx(s.x - half + 0.4), sy(0.68),
                                col({250, 248, 220}));
                canvas.FillRect(sx(s.x + half - 0.4), sy(0.85), sx(s.x + half - 0.08), sy(0.68),
                                col({250, 248, 220}));
                canvas.FillRect(sx(s.x - 0.35), sy(0.8), sx(s.x + 0.35), sy(0.6),
                                col({40, 40, 44}));
            }
            break;
        }
    }
}

void DrawSprites(Canvas& canvas, const View& view, const SceneMoment& m) {
    std::vector<Sprite> sprites;
    const double nearest = 2.5;
    const double farthest = 260;
    // Trees and lamps stand on the pavement at fixed places along the street.
    for (double spacing : {15.0, 36.0}) {
        const bool tree = spacing == 15.0;
        const double first = std::ceil((view.distance + nearest) / spacing) * spacing;
        for (double w = first; w < view.distance + farthest; w += spacing) {
            if (InCrossStreet(w) || InCrossStreet(w - 3) || InCrossStreet(w + 3)) {
                continue;
            }
            const auto index = static_cast<std::int64_t>(w / spacing);
            const double z = w - view.distance;
            if (tree) {
                sprites.push_back({Sprite::kTree, 7.4, z, Hash(index, 1)});
                sprites.push_back({Sprite::kTree, -14.2, z + 6, Hash(index, 2)});
            } else {
                sprites.push_back({Sprite::kLamp, 5.9, z + 4, 0});
            }
        }
    }
    // The car ahead keeps a speed-dependent gap; oncoming traffic streams past.
    const double gap = 6.5 + 1.3 * m.speed + 2.5 * std::sin(m.seconds * 0.23);
    sprites.push_back({Sprite::kCarAhead, 0.15 * std::sin(m.seconds * 0.4), gap, 2});
    for (int i = 0; i < 5; ++i) {
        const double lane = i % 2 == 0 ? -7.1 : -10.6;
        const double period = 190;
        const double z =
            Wrap(40 + i * 47.0 - (12 + 2 * i) * m.seconds - view.distance, period) - 10;
        if (z > nearest) {
            sprites.push_back({Sprite::kOncoming, lane, z, static_cast<std::uint32_t>(i + 3)});
        }
    }
    std::sort(sprites.begin(), sprites.end(),
              [](const Sprite& a, const Sprite& b) { return a.z > b.z; });
    for (const Sprite& s : sprites) {
        DrawSprite(canvas, view, s, m);
    }
}

void DrawHood(Canvas& canvas) {
    const int w = canvas.width();
    const int h = canvas.height();
    for (int x = 0; x < w; ++x) {
        const double across = (x + 0.5 - w / 2.0) / (w / 2.0);
        const double top = h * (0.905 + 0.06 * across * across);
        for (int y = static_cast<int>(top); y < h; ++y) {
            const float edge = Clamp01(static_cast<float>(y + 1 - top));
            const float depth = static_cast<float>((y - top) / (h - top + 1));
            Color c = Mix(Color{62, 66, 74}, Color{22, 24, 28}, Clamp01(depth * 1.6f));
            canvas.Blend(x, y, c, edge);
        }
    }
}

// Seven-segment characters, the way the camera stamps its clock.
class SegmentFont {
public:
    explicit SegmentFont(double height) : h_(height), t_(height * 0.14) {}

    double Advance(char ch) const { return ch == ':' ? h_ * 0.34 : h_ * 0.68; }

    void Draw(Canvas& canvas, double left, double top, const std::string& text) const {
        for (char ch : text) {
            DrawChar(canvas, left, top, ch);
            left += Advance(ch);
        }
    }

    double Width(const std::string& text) const {
        double w = 0;
        for (char ch : text) {
            w += Advance(ch);
        }
        return w;
    }

private:
    // Segments a..g as bits 0..6.
    static unsigned Mask(char ch) {
        static constexpr std::array<unsigned, 10> kDigits{0x3f, 0x06, 0x5b, 0x4f, 0x66,
                                                          0x6d, 0x7d, 0x07, 0x7f, 0x6f};
        if (ch >= '0' && ch <= '9') {
            return kDigits[static_cast<std::size_t>(ch - '0')];
        }
        return ch == '-' ? 0x40 : 0;
    }

    void DrawChar(Canvas& canvas, double left, double top, char ch) const {
        const double outline = std::max(1.0, h_ * 0.06);
        const double width = h_ * 0.52;
        const double pad = outline + 2;
        const int x0 = static_cast<int>(std::floor(left - pad));
        const int x1 = static_cast<int>(std::ceil(left + width + h_ * 0.1 + pad));
        const int y0 = static_cast<int>(std::floor(top - pad));
        const int y1 = static_cast<int>(std::ceil(top + h_ + pad));
        const unsigned mask = Mask(ch);
        const double r = t_ / 2;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const double ly = y + 0.5 - top;
                // A slight forward slant.
                const double lx = x + 0.5 - left - (h_ - ly) * 0.08;
                double d = 1e9;
                if (ch == ':') {
                    for (double cy : {h_ * 0.32, h_ * 0.72}) {
                        const double c = h_ * 0.12;
                        d = std::min(d, std::max(std::abs(lx - c), std::abs(ly - cy)) - r * 0.9);
                    }
                } else {
                    const auto horizontal = [&](double cy) {
                        const double along = std::abs(lx - width / 2) - (width / 2 - r - 1);
                        const double across = std::abs(ly - cy);
                        return across + std::max(0.0, along) - r;
                    };
                    const auto vertical = [&](double cx, double ya, double yb) {
                        const double along = std::abs(ly - (ya + yb) / 2) - ((yb - ya) / 2 - 1);
                        const double across = std::abs(lx - cx);
                        return across + std::max(0.0, along) - r;
                    };
                    const double mid = h_ / 2;
                    const std::array<double, 7> seg{horizontal(r),
                                                    vertical(width - r, r, mid),
                                                    vertical(width - r, mid, h_ - r),
                                                    horizontal(h_ - r),
                                                    vertical(r, mid, h_ - r),
                                                    vertical(r, r, mid),
                                                    horizontal(mid)};
                    for (std::size_t i = 0; i < seg.size(); ++i) {
                        if (mask & (1u << i)) {
                            d = std::min(d, seg[i]);
                        }
                    }
                }
                const float edge = Clamp01(static_cast<float>(0.5 - (d - outline)));
                const float fill = Clamp01(static_cast<float>(0.5 - d));
                canvas.Blend(x, y, Color{0, 0, 0}, edge * 0.85f);
                canvas.Blend(x, y, Color{255, 255, 255}, fill);
            }
        }
    }

    double h_;
    double t_;
};

void DrawOverlay(Canvas& canvas, const SceneMoment& m) {
    const int w = canvas.width();
    const int h = canvas.height();
    char date[16];
    char time[16];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", m.clock.year, m.clock.month, m.clock.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", m.clock.hour, m.clock.minute,
                  m.clock.second);
    const double margin = std::max(3.0, w * 0.025);
    const SegmentFont big(std::max(9.0, h * 0.095));
    const SegmentFont small(std::max(6.0, h * 0.055));
    const double bigTop = h - margin - std::max(9.0, h * 0.095);
    const double left = margin;
    small.Draw(canvas, left, bigTop - std::max(6.0, h * 0.055) - margin * 0.6, date);
    big.Draw(canvas, left, bigTop, time);
    // The recording lamp blinks once a second.
    if (m.clock.second % 2 == 0) {
        const double r = std::max(2.0, h * 0.018);
        canvas.FillEllipse(margin + r, margin + r, r, r, {230, 30, 30});
    }
}

struct JpegDestination {
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    ~JpegDestination() { std::free(buffer); }
};

[[noreturn]] void JpegFail(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, message);
    throw std::runtime_error(std::string("jpeg: ") + message);
}

}  // namespace

void DrawScene(std::vector<std::uint8_t>& rgb, int width, int height, const SceneMoment& moment) {
    rgb.assign(static_cast<std::size_t>(width) * height * 3, 0);
    Canvas canvas(rgb, width, height);
    View view;
    view.focal = width * 0.82;
    // Turning slides the scene sideways, the way the view swings in a corner.
    view.centerX = width / 2.0 - std::clamp(moment.yawRate, -0.6, 0.6) * width * 0.35;
    view.horizon = height * 0.47;
    view.distance = moment.distance;
    DrawBackground(canvas, view, moment);
    DrawSprites(canvas, view, moment);
    DrawHood(canvas);
    DrawOverlay(canvas, moment);
}

std::vector<std::uint8_t> EncodeJpeg(const std::vector<std::uint8_t>& rgb, int width, int height,
                                     int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    errors.error_exit = JpegFail;
    JpegDestination destination;
    jpeg_create_compress(&info);
    try {
        jpeg_mem_dest(&info, &destination.buffer, &destination.size);
        info.image_width = static_cast<JDIMENSION>(width);
        info.image_height = static_cast<JDIMENSION>(height);
        info.input_components = 3;
        info.in_color_space = JCS_RGB;
        jpeg_set_defaults(&info);
        jpeg_set_quality(&info, quality, TRUE);
        jpeg_start_compress(&info, TRUE);
        while (info.next_scanline < info.image_height) {
            JSAMPROW row = const_cast<JSAMPROW>(
                &rgb[static_cast<std::size_t>(info.next_scanline) * width * 3]);
            jpeg_write_scanlines(&info, &row, 1);
        }
        jpeg_finish_compress(&info);
    } catch (...) {
        jpeg_destroy_compress(&info);
        throw;
    }
    jpeg_destroy_compress(&info);
    return {destination.buffer, destination.buffer + destination.size};
}

}  // namespace tavrel::samplegen::detail
