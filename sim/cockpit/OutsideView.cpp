#include "cockpit/OutsideView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "cockpit/PictureRows.h"
#include "core/Simulation.h"
#include "gdi/SurfaceHandles.h"

namespace sim {

namespace {

// Share of the Sun's light on the night side (what a long exposure keeps).
constexpr double kNightLevel = 0.04;
// Half-width of the terminator's soft band, as the cosine of the Sun's height.
constexpr double kTwilight = 0.1;
// The Sun's limb darkening, I(mu) = 1 - u (1 - mu), u for visible light.
constexpr double kLimbDarkening = 0.6;
// The glow about the Sun's disc at its edge, below the darkened limb.
constexpr double kSunGlow = 0.35;
// The level of the faintest stars.
constexpr double kFaintestStar = 0.08;
// Earth's city lights at full night.
constexpr double kCityLights = 0.9;

double smoothstep(double edge0, double edge1, double x) {
    const double t = std::max(0.0, std::min(1.0, (x - edge0) / (edge1 - edge0)));
    return t * t * (3 - 2 * t);
}

std::uint32_t toPixel(double r, double g, double b) {
    auto channel = [](double v) { return unsigned(std::max(0.0, std::min(255.0, v + 0.5))); };
    return Surface::rgb(channel(r), channel(g), channel(b));
}

// atan on [-1, 1] as a polynomial (Abramowitz and Stegun 4.4.49, error
// under 1e-5 rad, a thousandth of a texel of the finest map): the view's
// inner loop, and the same arithmetic in every build.
double atanUnit(double t) {
    const double t2 = t * t;
    return t * (0.9998660 + t2 * (-0.3302995 + t2 * (0.1801410 + t2 * (-0.0851330 + t2 * 0.0208351))));
}

double fastAtan2(double y, double x) {
    const double ax = std::fabs(x), ay = std::fabs(y);
    if (ax == 0 && ay == 0) return 0;
    double angle = ay <= ax ? atanUnit(ay / ax) : PI / 2 - atanUnit(ax / ay);
    if (x < 0) angle = PI - angle;
    return y < 0 ? -angle : angle;
}

// Longitude east and latitude of a body-fixed unit vector, as the planet
// frames reckon them (y the pole, longitude from x towards z).
void surfaceAngles(const VECTOR3 &local, double &longitude, double &latitude) {
    longitude = fastAtan2(local.z, local.x);
    latitude = fastAtan2(local.y, std::sqrt(local.x * local.x + local.z * local.z));
}

double luminance(const Colour &c) { return 0.2126 * c.r + 0.7152 * c.g + 0.0722 * c.b; }

std::uint32_t scaled(std::uint32_t colour, double factor) {
    factor = std::max(0.0, std::min(1.0, factor));
    return Surface::rgb(unsigned(Surface::red(colour) * factor + 0.5),
                        unsigned(Surface::green(colour) * factor + 0.5),
                        unsigned(Surface::blue(colour) * factor + 0.5));
}

std::uint32_t added(std::uint32_t base, std::uint32_t light, double factor) {
    auto channel = [&](unsigned a, unsigned b) { return unsigned(std::min(255.0, a + b * factor)); };
    return Surface::rgb(channel(Surface::red(base), Surface::red(light)),
                        channel(Surface::green(base), Surface::green(light)),
                        channel(Surface::blue(base), Surface::blue(light)));
}

// The channel-wise brighter of two colours.
std::uint32_t brighter(std::uint32_t a, std::uint32_t b) {
    return Surface::rgb(std::max(Surface::red(a), Surface::red(b)),
                        std::max(Surface::green(a), Surface::green(b)),
                        std::max(Surface::blue(a), Surface::blue(b)));
}

// The camera: position, axes and the pixel scale.
struct Camera {
    VECTOR3 position;
    MATRIX3 rotation;  // camera axes (x right, y up, z forward) to global
    double focal;      // pixels per unit of tan(angle)

    VECTOR3 right() const { return _V(rotation.m11, rotation.m21, rotation.m31); }
    VECTOR3 up() const { return _V(rotation.m12, rotation.m22, rotation.m32); }
    VECTOR3 forward() const { return _V(rotation.m13, rotation.m23, rotation.m33); }

    // Screen position of a global direction; false when behind the camera.
    bool project(const VECTOR3 &direction, double &x, double &y) const {
        const VECTOR3 local = tmul(rotation, direction);
        if (local.z <= 1e-9) return false;
        x = OutsideView::width / 2.0 + focal * local.x / local.z;
        y = OutsideView::height / 2.0 - focal * local.y / local.z;
        return true;
    }
    // Global direction (not normalised) through the centre of pixel (px, py).
    VECTOR3 ray(int px, int py) const {
        const double a = (px + 0.5 - OutsideView::width / 2.0) / focal;
        const double b = (py + 0.5 - OutsideView::height / 2.0) / focal;
        return forward() + right() * a - up() * b;
    }
};

void drawStars(Surface &image, const Camera &camera, const std::vector<Star> &stars) {
    for (const Star &star : stars) {
        double x, y;
        // Checked before the conversion: a star almost square to the view
        // axis projects beyond what an int holds.
        if (!camera.project(star.direction, x, y) ||
            !(x >= 0 && y >= 0 && x < image.width() && y < image.height()))
            continue;
        const int px = int(std::floor(x)), py = int(std::floor(y));
        // The square root of the flux, full at magnitude 1: a step of five
        // magnitudes is a tenth of the level, so that the bright stars of a
        // constellation stand out of the many faint ones, which keep a
        // floor of a few per cent.
        const double level =
            std::max(kFaintestStar, std::min(1.0, std::pow(10.0, -0.2 * (star.magnitude - 1.0))));
        // Stars sharing a pixel (the components of a double) leave the
        // brighter one's light.
        auto light = [&](int x, int y, std::uint32_t colour) {
            if (image.contains(x, y)) image.setPixel(x, y, brighter(image.pixel(x, y), colour));
        };
        light(px, py, scaled(star.colour, level));
        if (star.magnitude < 2.0) {
            const std::uint32_t halo = scaled(star.colour, level * 0.5);
            light(px + 1, py, halo);
            light(px - 1, py, halo);
            light(px, py + 1, halo);
            light(px, py - 1, halo);
        }
    }
}

// How a disc's pixels are coloured: the body's map turned with its rotation,
// and the Sun's direction.
struct DiscShading {
    const SurfaceMap *map;
    const SurfaceMap *night;  // Earth's lights by night, or null
    MATRIX3 fixedToGlobal;    // the body's rotation at the date
    VECTOR3 toSun;            // unit, from the body
    double sunMeanLuminance;  // of the Sun's map
};

// The colour of the point of a planet or the Moon with the outward `normal`
// (global frame).
std::uint32_t surfaceColour(const DiscShading &shading, const VECTOR3 &normal) {
    double longitude, latitude;
    surfaceAngles(tmul(shading.fixedToGlobal, normal), longitude, latitude);
    const Colour ground = shading.map->at(longitude, latitude);
    const double sunHeight = dotp(normal, shading.toSun);
    const double lit = smoothstep(-kTwilight, kTwilight, sunHeight) *
                       (kTwilight + (1 - kTwilight) * std::max(0.0, sunHeight));
    const double level = kNightLevel + (1 - kNightLevel) * lit;
    double r = ground.r * level, g = ground.g * level, b = ground.b * level;
    if (shading.night != nullptr) {
        const double dark = 1 - smoothstep(-1.5 * kTwilight, 0.5 * kTwilight, sunHeight);
        if (dark > 0) {
            const Colour lights = shading.night->at(longitude, latitude);
            r += lights.r * kCityLights * dark;
            g += lights.g * kCityLights * dark;
            b += lights.b * kCityLights * dark;
        }
    }
    return toPixel(r, g, b);
}

// The Sun's surface seen along `direction` (unit), the cosine of the angle
// between the line of sight and the surface normal being `mu`.
std::uint32_t sunColour(const DiscShading &shading, const VECTOR3 &normal, double mu) {
    double longitude, latitude;
    surfaceAngles(tmul(shading.fixedToGlobal, normal), longitude, latitude);
    const Colour granules = shading.map->at(longitude, latitude);
    const double texture =
        shading.sunMeanLuminance > 0 ? 0.85 + 0.15 * luminance(granules) / shading.sunMeanLuminance : 1.0;
    const double level = (1 - kLimbDarkening * (1 - mu)) * texture;
    return toPixel(255 * level, 250 * level, 235 * level);
}

void drawBody(Surface &image, const Camera &camera, const Body &body, const Body *sun, const SkyData &sky,
              double mjd) {
    const VECTOR3 centre = body.position() - camera.position;  // from the camera
    const double distance = length(centre);
    const double radius = body.radius();
    if (distance <= radius * 1.000001) return;  // inside the body: nothing sensible to show
    const double angularRadius = std::asin(radius / distance);
    const bool isSun = sun == &body;
    const std::uint32_t colour = OutsideView::bodyColour(body);
    const VECTOR3 toSun = sun != nullptr && !isSun ? unit(sun->position() - body.position()) : _V(0, 0, 0);

    double cx = 0, cy = 0;
    const bool centreVisible = camera.project(centre / distance, cx, cy);
    const double pixelRadius = camera.focal * std::tan(std::min(angularRadius, 1.5));

    if (centreVisible && pixelRadius < 2.0) {
        // A body almost square to the view axis projects far off the
        // picture, where a dot (and the Sun's glow) leaves no pixel, and
        // where its position would not fit an int.
        const double margin = isSun ? 16.0 : 4.0;
        if (cx < -margin || cy < -margin || cx > OutsideView::width + margin ||
            cy > OutsideView::height + margin)
            return;
        // A dot: brightness from the lit fraction of the visible disc.
        double level = 1.0;
        if (!isSun) {
            const double cosPhase = dotp(unit(-centre), toSun);
            level = 0.35 + 0.65 * (1 + cosPhase) / 2;
        }
        const std::uint32_t dot = scaled(colour, level);
        const int px = int(std::floor(cx)), py = int(std::floor(cy));
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (std::abs(dx) + std::abs(dy) <= 1 || pixelRadius >= 1.0)
                    image.setPixel(px + dx, py + dy, dot);
        if (isSun) {
            for (int dy = -12; dy <= 12; ++dy)
                for (int dx = -12; dx <= 12; ++dx) {
                    const double r = std::sqrt(double(dx * dx + dy * dy));
                    if (r > 1.5 && r <= 12 && image.contains(px + dx, py + dy))
                        image.setPixel(px + dx, py + dy,
                                       added(image.pixel(px + dx, py + dy), Surface::rgb(255, 230, 180),
                                             0.6 / (1 + r * r / 9)));
                }
        }
        return;
    }

    // The disc: the pixels whose rays meet the sphere. Small discs in front
    // are scanned in their bounding box, anything else over the whole view.
    // A disc wholly outside the cone that holds the view (the angle from
    // the view axis to a corner) cannot show.
    const double halfDiagonal =
        std::atan(std::hypot(OutsideView::width, OutsideView::height) / 2 / camera.focal);
    const double offAxis =
        std::acos(std::max(-1.0, std::min(1.0, dotp(camera.forward(), centre / distance))));
    if (offAxis > halfDiagonal + angularRadius) return;
    int left = 0, top = 0, right = OutsideView::width, bottom = OutsideView::height;
    const double glowRadius = isSun ? std::max(6.0 * pixelRadius, 30.0) : 0.0;
    if (centreVisible && angularRadius < 0.3) {
        const double reach = std::max(pixelRadius * 1.6 + 2, glowRadius);
        // Clamped as doubles: the centre may lie far off the picture.
        auto within = [](double value, int limit) {
            return int(std::max(0.0, std::min(double(limit), value)));
        };
        left = within(cx - reach, OutsideView::width);
        right = within(cx + reach + 1, OutsideView::width);
        top = within(cy - reach, OutsideView::height);
        bottom = within(cy + reach + 1, OutsideView::height);
    }
    const SurfaceMap &map = sky.map(body.id());
    const DiscShading shading{
        &map, body.id() == BodyId::Earth && !sky.earthNight.empty() ? &sky.earthNight : nullptr,
        body.rotation().rotationMatrix(mjd), toSun, luminance(map.mean())};
    const double centreSquared = dotp(centre, centre);
    shadePictureRows(top, bottom, right - left, [&](int firstRow, int lastRow) {
        for (int py = firstRow; py < lastRow; ++py) {
            std::uint32_t *row = image.row(py);
            for (int px = left; px < right; ++px) {
                const VECTOR3 direction = unit(camera.ray(px, py));
                const double along = dotp(direction, centre);
                const double discriminant =
                    along > 0 ? along * along - (centreSquared - radius * radius) : -1.0;
                if (discriminant < 0) {
                    if (glowRadius > 0 && centreVisible) {
                        const double r = std::hypot(px + 0.5 - cx, py + 0.5 - cy);
                        if (r < glowRadius) {
                            const double k = (r - pixelRadius) / (pixelRadius + 4);
                            row[px] = added(row[px], Surface::rgb(255, 230, 180), kSunGlow / (1 + k * k));
                        }
                    }
                    continue;
                }
                const double hit = along - std::sqrt(discriminant);
                const VECTOR3 normal = (direction * hit - centre) / radius;
                if (map.empty()) {
                    row[px] = isSun ? Surface::rgb(255, 250, 235)
                                    : scaled(colour, kNightLevel + (1 - kNightLevel) *
                                                                       std::max(0.0, dotp(normal, toSun)));
                } else if (isSun) {
                    row[px] = sunColour(shading, normal, std::max(0.0, -dotp(normal, direction)));
                } else {
                    row[px] = surfaceColour(shading, normal);
                }
            }
        }
    });
}

void drawHud(SURFHANDLE target, Surface &image, const Simulation &simulation, VESSEL &focus, int hudMode,
             HFONT font) {
    const std::uint32_t green = Surface::rgb(0, 230, 0);
    const int cx = OutsideView::width / 2, cy = OutsideView::height / 2;
    for (int d = 4; d <= 14; ++d) {
        image.setPixel(cx - d, cy, green);
        image.setPixel(cx + d, cy, green);
        image.setPixel(cx, cy - d, green);
        image.setPixel(cx, cy + d, green);
    }
    char text[160];
    const char *modeName = hudMode == HUD_SURFACE ? "SURFACE" : hudMode == HUD_DOCKING ? "DOCKING" : "ORBIT";
    OBJHANDLE refHandle = focus.GetGravityRef();
    if (simulation.isBody(refHandle)) {
        const Body *ref = static_cast<const Body *>(static_cast<SimObject *>(refHandle));
        VECTOR3 position, velocity;
        focus.GetGlobalPos(position);
        focus.GetGlobalVel(velocity);
        const double speed = length(velocity - ref->velocity());
        const double altitude = length(position - ref->position()) - ref->radius();
        std::snprintf(text, sizeof text, "HUD %s  %s  V %.3f km/s  Alt %.1f km", modeName,
                      ref->name().c_str(), speed / 1000.0, altitude / 1000.0);
    } else {
        std::snprintf(text, sizeof text, "HUD %s", modeName);
    }
    HDC dc = oapiGetDC(target);
    if (dc == nullptr) return;
    if (font != nullptr) SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 230, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, cx, 12, text, int(std::strlen(text)));
    oapiReleaseDC(target, dc);
}

}  // namespace

std::uint32_t OutsideView::bodyColour(const Body &body) {
    switch (body.id()) {
        case BodyId::Sun:
            return Surface::rgb(255, 250, 235);
        case BodyId::Mercury:
            return Surface::rgb(165, 155, 145);
        case BodyId::Venus:
            return Surface::rgb(235, 220, 175);
        case BodyId::Earth:
            return Surface::rgb(70, 120, 235);
        case BodyId::Moon:
            return Surface::rgb(175, 175, 175);
        case BodyId::Mars:
            return Surface::rgb(215, 100, 55);
        case BodyId::Jupiter:
            return Surface::rgb(215, 185, 145);
        case BodyId::Saturn:
            return Surface::rgb(225, 205, 150);
    }
    return Surface::rgb(200, 200, 200);
}

void OutsideView::render(SURFHANDLE target, const Simulation &simulation, VESSEL &focus, double aperture,
                         int hudMode, HFONT hudFont) {
    Surface *image = surfaceFromHandle(target);
    if (image == nullptr || image->width() != width || image->height() != height) return;
    image->clearTexts();
    drawScene(*image, simulation, focus, aperture, simulation.sky());
    if (hudMode != HUD_NONE) drawHud(target, *image, simulation, focus, hudMode, hudFont);
}

void OutsideView::drawScene(Surface &image, const Simulation &simulation, VESSEL &focus, double aperture,
                            const SkyData &sky) {
    if (image.width() != width || image.height() != height) return;
    image.fill(0);

    Camera camera;
    focus.GetRotationMatrix(camera.rotation);
    VECTOR3 offset, position;
    focus.GetCameraOffset(offset);
    focus.GetGlobalPos(position);
    camera.position = position + mul(camera.rotation, offset);
    aperture = std::max(1e-3, std::min(aperture, 80.0 * RAD));
    camera.focal = (height / 2.0) / std::tan(aperture);

    drawStars(image, camera, sky.stars);

    // Painter's order: the farthest body first.
    std::vector<const Body *> order;
    const Body *sun = nullptr;
    for (const auto &body : simulation.bodies()) {
        order.push_back(body.get());
        if (body->id() == BodyId::Sun) sun = body.get();
    }
    std::sort(order.begin(), order.end(), [&](const Body *a, const Body *b) {
        return dist(a->position(), camera.position) > dist(b->position(), camera.position);
    });
    for (const Body *body : order) drawBody(image, camera, *body, sun, sky, simulation.mjd());
}

}  // namespace sim
