// The outside view's sky and bodies against references of their own: star
// positions from published J2000 coordinates, the planet's rotation from its
// published elements.
#include "CockpitFixture.h"

#include <cmath>

#include "CameraPointing.h"
#include "cockpit/OutsideView.h"
#include "cockpit/PictureRows.h"

using namespace cockpittest;
using sim::Surface;
using testsupport::lookingAlong;

namespace {

const double kObliquityJ2000 = 84381.448 / 3600 * RAD;  // IAU 1976, for the references

// The global direction of J2000 right ascension (hours) and declination
// (degrees): equator to ecliptic, then the simulator's axes (y north).
VECTOR3 directionOf(double hours, double degrees) {
    const double a = hours * 15 * RAD, d = degrees * RAD;
    const double x = std::cos(d) * std::cos(a), y = std::cos(d) * std::sin(a), z = std::sin(d);
    const double c = std::cos(kObliquityJ2000), s = std::sin(kObliquityJ2000);
    return _V(x, -s * y + c * z, c * y + s * z);
}

struct Pixel {
    double x, y;
};

// Where a pinhole camera with the rotation `camera` and the vertical half
// field `aperture` puts a direction on the 1280 x 960 picture.
Pixel project(const MATRIX3 &camera, double aperture, const VECTOR3 &direction) {
    const VECTOR3 local = tmul(camera, direction);
    const double focal = 480 / std::tan(aperture);
    return Pixel{640 + focal * local.x / local.z, 480 - focal * local.y / local.z};
}

unsigned brightest(const Surface &view, int x, int y, int reach) {
    unsigned best = 0;
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (view.contains(x + dx, y + dy))
                best = std::max(best, Surface::green(view.pixel(x + dx, y + dy)));
    return best;
}

}  // namespace

TEST_F(CockpitTest, OrionStandsWhereTheCatalogueHasIt) {
    // SIMBAD's J2000 positions of Orion's seven brightest stars.
    const struct {
        const char *name;
        double hours, degrees;
    } orion[] = {{"Betelgeuse", 5.919529, 7.406706}, {"Rigel", 5.242298, -8.201638},
                 {"Bellatrix", 5.418851, 6.349702},  {"Mintaka", 5.533445, -0.299092},
                 {"Alnilam", 5.603559, -1.201919},   {"Alnitak", 5.679313, -1.942572},
                 {"Saiph", 5.795941, -9.669605}};
    const VECTOR3 alnilam = directionOf(orion[4].hours, orion[4].degrees);
    Vessel *focus = simulation->focus();
    // Far out on the side of Orion, so that no body stands in front of it.
    focus->position = simulation->body(sim::BodyId::Earth)->position() + alnilam * 1e10;
    focus->rotation = lookingAlong(alnilam);
    const double aperture = 15 * RAD;
    simulation->setCameraAperture(aperture);
    const Surface view = cockpit().viewImage();
    for (const auto &star : orion) {
        const Pixel at = project(focus->rotation, aperture, directionOf(star.hours, star.degrees));
        const int x = int(std::floor(at.x)), y = int(std::floor(at.y));
        // The star within a pixel of its place (the catalogue rounds to a
        // few arc seconds, under a tenth of a pixel here) ...
        EXPECT_GT(brightest(view, x, y, 1), 120u) << star.name << " at " << x << "," << y;
        // ... and a dark sky a few pixels away.
        EXPECT_LT(brightest(view, x + 6, y + 6, 1), 60u) << star.name;
    }
    // The belt is the middle of the picture: Alnilam on the centre pixel.
    EXPECT_GT(brightest(view, 640, 480, 1), 120u);

    // Each in its colour: Betelgeuse the red supergiant (B-V +1.5), Rigel
    // and Bellatrix blue-white (-0.03, -0.22).
    auto pixelAt = [&](int index) {
        const Pixel at =
            project(focus->rotation, aperture, directionOf(orion[index].hours, orion[index].degrees));
        return view.pixel(int(std::floor(at.x)), int(std::floor(at.y)));
    };
    const std::uint32_t betelgeuse = pixelAt(0), rigel = pixelAt(1), bellatrix = pixelAt(2);
    EXPECT_EQ(Surface::red(betelgeuse), 255u);
    EXPECT_GT(Surface::red(betelgeuse), Surface::blue(betelgeuse) + 80);
    EXPECT_EQ(Surface::blue(rigel), 255u);
    EXPECT_GT(Surface::blue(rigel), Surface::red(rigel) + 40);
    EXPECT_GT(Surface::blue(bellatrix), Surface::red(bellatrix) + 30);
}

TEST_F(CockpitTest, ASkyOfTheCatalogueHasItsThousandsOfStars) {
    const sim::SkyData &sky = simulation->sky();
    // The Bright Star Catalogue: some 9,100 stars to about magnitude 6.5.
    EXPECT_GT(sky.stars.size(), 9000u);
    int faint = 0;
    double faintest = -10;
    for (const sim::Star &star : sky.stars) {
        faint += star.magnitude > 6.0;
        faintest = std::max(faintest, star.magnitude);
        ASSERT_NEAR(length(star.direction), 1.0, 1e-12);
    }
    EXPECT_GT(faint, 500);
    EXPECT_GE(faintest, 6.5);
}

namespace {

// A map of Mars that tells where it is sampled: red in the northern
// hemisphere, green within 15 degrees of the prime meridian, blue between
// 60 and 120 degrees east.
sim::SkyData markedMars() {
    const int width = 360, height = 180;
    std::vector<std::uint8_t> rgb(std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double longitude = x + 0.5 - 180, latitude = 90 - (y + 0.5);
            std::uint8_t *p = &rgb[(std::size_t(y) * width + x) * 3];
            p[0] = latitude > 0 ? 200 : 0;
            p[1] = std::fabs(longitude) < 15 ? 255 : 0;
            p[2] = longitude > 60 && longitude < 120 ? 255 : 0;
        }
    sim::SkyData sky;
    sky.maps[std::size_t(sim::BodyId::Mars)] = sim::SurfaceMap(width, height, std::move(rgb));
    return sky;
}

// The global direction from Mars's centre to the surface point at
// longitude east and latitude (degrees) at the date, from Mars's published
// rotation (IAU 2009 pole and prime meridian, frozen at MJD 43200).
VECTOR3 marsSurfaceDirection(double mjd, double longitude, double latitude) {
    const double obliquity = 26.717005 * RAD, theta = 262.952469 * RAD;
    const double rotation = 177.605320 * RAD + 2 * PI * (mjd - 43200.0) * 86400.0 / 88642.6638;
    const double w = rotation + longitude * RAD, lat = latitude * RAD;
    // Body frame (y the pole) turned by the rotation angle, then tilted.
    VECTOR3 v = _V(std::cos(lat) * std::cos(w), std::sin(lat), std::cos(lat) * std::sin(w));
    v = _V(v.x, std::cos(obliquity) * v.y - std::sin(obliquity) * v.z,
           std::sin(obliquity) * v.y + std::cos(obliquity) * v.z);
    return _V(std::cos(theta) * v.x - std::sin(theta) * v.z, v.y,
              std::sin(theta) * v.x + std::cos(theta) * v.z);
}

}  // namespace

TEST_F(CockpitTest, MarsShowsTheSurfacePointUnderTheCameraAsItTurns) {
    const sim::SkyData sky = markedMars();
    const sim::Body &mars = *simulation->body(sim::BodyId::Mars);
    Vessel *focus = simulation->focus();
    Surface view(sim::OutsideView::width, sim::OutsideView::height);
    auto centreOver = [&](double longitude, double latitude) {
        const VECTOR3 up = marsSurfaceDirection(simulation->mjd(), longitude, latitude);
        focus->position = mars.position() + up * (3 * mars.radius());
        focus->rotation = lookingAlong(-up);
        sim::OutsideView::drawScene(view, *simulation, *focus->iface, 10 * RAD, sky);
        return view.pixel(640, 480);
    };
    // Over the prime meridian north of the equator: green and red.
    std::uint32_t p = centreOver(0, 20);
    EXPECT_GT(Surface::green(p), 4 * Surface::blue(p) + 2) << std::hex << p;
    EXPECT_GT(Surface::red(p), 4 * Surface::blue(p) + 2) << std::hex << p;
    // 90 degrees east, south of the equator: blue alone (a wrong sense of
    // longitude would put 90 degrees west here, black on this map).
    p = centreOver(90, -20);
    EXPECT_GT(Surface::blue(p), 4 * (Surface::green(p) + Surface::red(p)) + 2) << std::hex << p;
    // Half a turn from the prime meridian: neither marked band.
    p = centreOver(180, -20);
    EXPECT_LT(Surface::green(p) + Surface::blue(p) + Surface::red(p), 3u) << std::hex << p;

    // A quarter of Mars's day later the direction that looked down on 90
    // degrees east looks down on the prime meridian (the surface turns
    // eastward under a fixed direction).
    const VECTOR3 fixed = marsSurfaceDirection(simulation->mjd(), 90, -20);
    const double quarterDay = 88642.6638 / 4;
    simulation->setTimeAcceleration(10000);
    simulation->setFrameLength(quarterDay / 10000);
    const double before = simulation->mjd();
    frames(1);
    ASSERT_NEAR((simulation->mjd() - before) * 86400, quarterDay, 1e-3);
    focus->position = mars.position() + fixed * (3 * mars.radius());
    focus->rotation = lookingAlong(-fixed);
    sim::OutsideView::drawScene(view, *simulation, *focus->iface, 10 * RAD, sky);
    p = view.pixel(640, 480);
    EXPECT_GT(Surface::green(p), 4 * (Surface::blue(p) + Surface::red(p)) + 2) << std::hex << p;
}

TEST_F(CockpitTest, TheSunsDiscDarkensTowardsItsLimb) {
    const sim::Body &sun = *simulation->body(sim::BodyId::Sun);
    Vessel *focus = simulation->focus();
    const VECTOR3 out = _V(0, 0, 1);
    focus->position = sun.position() + out * (3 * sun.radius());
    focus->rotation = lookingAlong(-out);
    const double aperture = 30 * RAD;
    Surface view(sim::OutsideView::width, sim::OutsideView::height);
    sim::OutsideView::drawScene(view, *simulation, *focus->iface, aperture, simulation->sky());
    // The disc's edge on the picture: the tangent from three radii out.
    const double edge = 480 / std::tan(aperture) * std::tan(std::asin(1.0 / 3));
    const std::uint32_t centre = view.pixel(640, 480);
    const std::uint32_t limb = view.pixel(640 + int(0.99 * edge), 480);
    // Limb darkening 1 - 0.6 (1 - mu): about 0.48 of the centre's light
    // at 0.99 of the radius (mu 0.13), give or take the granulation.
    EXPECT_GT(Surface::green(centre), 200u);
    EXPECT_LT(Surface::green(limb), 0.65 * Surface::green(centre));
    EXPECT_GT(Surface::green(limb), 0.3 * Surface::green(centre));
    // Just beyond the disc: the glow, dimmer than the limb.
    EXPECT_LT(Surface::green(view.pixel(640 + int(edge) + 3, 480)), Surface::green(limb));
}

// Large discs are shaded on several threads: the Sun's darkened disc with
// its glow and Mars's mapped face come out the same to the bit as on one.
TEST_F(CockpitTest, TheViewIsTheSameDrawnOnOneThreadOrOnMany) {
    const sim::Body &sun = *simulation->body(sim::BodyId::Sun);
    const sim::Body &mars = *simulation->body(sim::BodyId::Mars);
    Vessel *focus = simulation->focus();
    const struct {
        const sim::Body *body;
        double radii, aperture;
    } views[] = {{&sun, 3, 30 * RAD}, {&sun, 40, 10 * RAD}, {&mars, 2, 40 * RAD}};
    for (const auto &shot : views) {
        const VECTOR3 out = unit(_V(0.3, 0.2, 1));
        focus->position = shot.body->position() + out * (shot.radii * shot.body->radius());
        focus->rotation = lookingAlong(-out);
        Surface alone(sim::OutsideView::width, sim::OutsideView::height), shared = alone;
        sim::setPictureThreads(1);
        sim::OutsideView::drawScene(alone, *simulation, *focus->iface, shot.aperture, simulation->sky());
        sim::setPictureThreads(5);
        sim::OutsideView::drawScene(shared, *simulation, *focus->iface, shot.aperture, simulation->sky());
        sim::setPictureThreads(0);
        int differing = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x) differing += alone.pixel(x, y) != shared.pixel(x, y);
        EXPECT_EQ(differing, 0) << shot.radii << " radii from body " << int(shot.body->id());
        EXPECT_GT(Surface::green(alone.pixel(640, 480)), 20u);  // the disc is there
    }
}
