#include "bodies/SolarSystemEphemeris.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace sim {

namespace {

const char kMagic[8] = {'D', 'E', '4', '0', '5', 'S', 'L', 'C'};
const std::uint32_t kVersion = 1;
const int kHeaderBytes = 56;
const int kSeriesEntryBytes = 16;
// Longest Chebyshev series the evaluator accepts (DE405's longest has 14).
const int kMaxCoefficients = 32;

// JPL's body numbers of the series, in file order.
const std::uint32_t kJplNumber[] = {0, 1, 2, 3, 4, 5, 9, 10};

// ICRS (J2000 mean equator with frame bias) to ecliptic J2000, IAU 2006
// obliquity 84381.406", with the rows ordered for the simulator's axes:
// x = ecliptic x, y = ecliptic north, z = ecliptic y.
const double kIcrsToGlobal[3][3] = {
    {0.999999999999994, -0.000000070783690, 0.000000080562140},
    {-0.000000102070447, -0.397776999444043, 0.917482129914956},
    {0.000000032897004, 0.917482129914958, 0.397776999444048},
};

std::uint32_t readUint32(const unsigned char *bytes) {
    return std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 | std::uint32_t(bytes[2]) << 16 |
           std::uint32_t(bytes[3]) << 24;
}

double readDouble(const unsigned char *bytes) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | bytes[i];
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool fail(std::string &error, const std::string &path, const char *what) {
    error = path + ": " + what;
    return false;
}

// Rotates an ICRS vector in km (or km/s) into the global frame in m (or m/s).
VECTOR3 toGlobal(const double v[3]) { return icrsToGlobal(_V(v[0], v[1], v[2])) * 1000.0; }

}  // namespace

VECTOR3 icrsToGlobal(const VECTOR3 &v) {
    VECTOR3 out;
    for (int row = 0; row < 3; ++row)
        out.data[row] =
            kIcrsToGlobal[row][0] * v.x + kIcrsToGlobal[row][1] * v.y + kIcrsToGlobal[row][2] * v.z;
    return out;
}

bool SolarSystemEphemeris::load(const std::string &path, std::string &error) {
    records_.clear();
    blockCount_ = 0;

    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return fail(error, path, "cannot open the ephemeris file");
    const std::streamoff fileSize = file.tellg();
    if (fileSize < 0) return fail(error, path, "cannot read the ephemeris file");
    std::vector<unsigned char> bytes(static_cast<std::size_t>(fileSize));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char *>(bytes.data()), fileSize))
        return fail(error, path, "cannot read the ephemeris file");

    const std::size_t headerSize = kHeaderBytes + kSeriesCount * kSeriesEntryBytes;
    if (bytes.size() < headerSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return fail(error, path, "not a DE405 slice file");
    const unsigned char *header = bytes.data();
    if (readUint32(header + 8) != kVersion) return fail(error, path, "unsupported ephemeris file version");
    if (readUint32(header + 12) != kSeriesCount) return fail(error, path, "unexpected number of bodies");
    const std::uint32_t blockCount = readUint32(header + 16);
    const std::uint32_t recordSize = readUint32(header + 20);
    const double firstMjd = readDouble(header + 24);
    const double blockDays = readDouble(header + 32);
    const double massRatio = readDouble(header + 48);
    if (blockCount == 0 || blockCount > 100000 || recordSize < 2 || recordSize > 100000 ||
        !(blockDays > 0.0 && blockDays < 1000.0) || !std::isfinite(firstMjd) || !(massRatio > 0.0))
        return fail(error, path, "corrupt ephemeris header");
    if (bytes.size() != headerSize + std::size_t(blockCount) * recordSize * sizeof(double))
        return fail(error, path, "ephemeris file size does not match its header");

    SeriesLayout layout[kSeriesCount];
    for (int series = 0; series < kSeriesCount; ++series) {
        const unsigned char *entry = header + kHeaderBytes + series * kSeriesEntryBytes;
        const std::uint32_t number = readUint32(entry);
        const std::uint32_t offset = readUint32(entry + 4);
        const std::uint32_t count = readUint32(entry + 8);
        const std::uint32_t subIntervals = readUint32(entry + 12);
        if (number != kJplNumber[series]) return fail(error, path, "unexpected body order in ephemeris file");
        if (count < 2 || count > kMaxCoefficients || subIntervals < 1 || subIntervals > 64 || offset < 1 ||
            std::uint64_t(offset) + 3ull * count * subIntervals > recordSize)
            return fail(error, path, "corrupt body layout in ephemeris file");
        layout[series].offset = int(offset);
        layout[series].coefficientCount = int(count);
        layout[series].subIntervals = int(subIntervals);
        layout[series].subIntervalDays = blockDays / subIntervals;
        layout[series].subIntervalsPerDay = subIntervals / blockDays;
    }

    std::vector<double> records(std::size_t(blockCount) * recordSize);
    const unsigned char *data = bytes.data() + headerSize;
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i] = readDouble(data + i * sizeof(double));
        if (!std::isfinite(records[i])) return fail(error, path, "non-finite value in ephemeris file");
    }
    for (std::uint32_t block = 0; block < blockCount; ++block) {
        if (records[std::size_t(block) * recordSize] != firstMjd + block * blockDays)
            return fail(error, path, "ephemeris blocks are not contiguous");
    }

    records_.swap(records);
    for (int series = 0; series < kSeriesCount; ++series) layout_[series] = layout[series];
    recordSize_ = int(recordSize);
    firstMjd_ = firstMjd;
    blockDays_ = blockDays;
    blocksPerDay_ = 1.0 / blockDays;
    spanDays_ = blockCount * blockDays;
    earthShareOfMoon_ = 1.0 / (1.0 + massRatio);
    blockCount_ = int(blockCount);
    error.clear();
    return true;
}

double SolarSystemEphemeris::firstMjd() const { return loaded() ? firstMjd_ : 0.0; }

double SolarSystemEphemeris::lastMjd() const { return loaded() ? firstMjd_ + blockCount_ * blockDays_ : 0.0; }

bool SolarSystemEphemeris::covers(double mjd) const {
    return loaded() && mjd >= firstMjd() && mjd <= lastMjd();
}

void SolarSystemEphemeris::evaluate(Series series, double mjd, double pos[3], double vel[3]) const {
    const SeriesLayout &layout = layout_[series];

    double sinceFirst = mjd - firstMjd_;
    if (!(sinceFirst > 0.0)) sinceFirst = 0.0;  // also catches NaN
    if (sinceFirst > spanDays_) sinceFirst = spanDays_;
    int block = int(sinceFirst * blocksPerDay_);
    if (block >= blockCount_) block = blockCount_ - 1;
    double inBlock = sinceFirst - block * blockDays_;
    if (inBlock > blockDays_) inBlock = blockDays_;
    int sub = int(inBlock * layout.subIntervalsPerDay);
    if (sub >= layout.subIntervals) sub = layout.subIntervals - 1;
    const double t = 2.0 * (inBlock - sub * layout.subIntervalDays) * layout.subIntervalsPerDay - 1.0;

    // Chebyshev polynomials of the first kind T_k(t) and, for the derivative
    // T_k' = k U_(k-1), of the second kind U_k(t). Stepping by two
    // (X_k = 2 T_2 X_(k-2) - X_(k-4), for T and U alike) gives four
    // independent chains instead of two long ones.
    const int count = layout.coefficientCount;
    double first[kMaxCoefficients + 4];
    double second[kMaxCoefficients + 4];
    const double t2 = t * t;
    first[0] = 1.0;
    first[1] = t;
    first[2] = 2.0 * t2 - 1.0;
    first[3] = t * (4.0 * t2 - 3.0);
    second[0] = 1.0;
    second[1] = 2.0 * t;
    second[2] = 4.0 * t2 - 1.0;
    second[3] = 4.0 * t * (2.0 * t2 - 1.0);
    const double step = 4.0 * t2 - 2.0;
    for (int k = 4; k < count; ++k) {
        first[k] = step * first[k - 2] - first[k - 4];
        second[k] = step * second[k - 2] - second[k - 4];
    }

    const std::size_t base = std::size_t(block) * recordSize_ + layout.offset + std::size_t(sub) * 3 * count;
    const double *cx = records_.data() + base;
    const double *cy = cx + count;
    const double *cz = cy + count;
    // Two sets of sums (odd and even degrees) halve the chains of additions.
    double px = cx[0], py = cy[0], pz = cz[0], vx = 0.0, vy = 0.0, vz = 0.0;
    double qx = 0.0, qy = 0.0, qz = 0.0, wx = 0.0, wy = 0.0, wz = 0.0;
    int k = 1;
    for (; k + 1 < count; k += 2) {
        const double value = first[k], nextValue = first[k + 1];
        const double slope = k * second[k - 1], nextSlope = (k + 1) * second[k];
        px += cx[k] * value;
        py += cy[k] * value;
        pz += cz[k] * value;
        vx += cx[k] * slope;
        vy += cy[k] * slope;
        vz += cz[k] * slope;
        qx += cx[k + 1] * nextValue;
        qy += cy[k + 1] * nextValue;
        qz += cz[k + 1] * nextValue;
        wx += cx[k + 1] * nextSlope;
        wy += cy[k + 1] * nextSlope;
        wz += cz[k + 1] * nextSlope;
    }
    if (k < count) {
        const double slope = k * second[k - 1];
        px += cx[k] * first[k];
        py += cy[k] * first[k];
        pz += cz[k] * first[k];
        vx += cx[k] * slope;
        vy += cy[k] * slope;
        vz += cz[k] * slope;
    }
    px += qx;
    py += qy;
    pz += qz;
    vx += wx;
    vy += wy;
    vz += wz;
    // d/dt of the series is per half sub-interval; turn it into km/s.
    const double velocityScale = 2.0 * layout.subIntervalsPerDay / 86400.0;
    pos[0] = px;
    pos[1] = py;
    pos[2] = pz;
    vel[0] = vx * velocityScale;
    vel[1] = vy * velocityScale;
    vel[2] = vz * velocityScale;
}

void SolarSystemEphemeris::state(BodyId body, double mjd, VECTOR3 &pos, VECTOR3 &vel) const {
    if (!loaded()) {
        pos = _V(0.0, 0.0, 0.0);
        vel = _V(0.0, 0.0, 0.0);
        return;
    }
    double p[3], v[3];
    switch (body) {
        case BodyId::Sun:
        default:
            evaluate(Sun, mjd, p, v);
            break;
        case BodyId::Mercury:
            evaluate(Mercury, mjd, p, v);
            break;
        case BodyId::Venus:
            evaluate(Venus, mjd, p, v);
            break;
        case BodyId::Mars:
            evaluate(Mars, mjd, p, v);
            break;
        case BodyId::Jupiter:
            evaluate(Jupiter, mjd, p, v);
            break;
        case BodyId::Saturn:
            evaluate(Saturn, mjd, p, v);
            break;
        case BodyId::Earth:
        case BodyId::Moon: {
            // Earth sits on the line to the Moon, 1/(1 + EMRAT) of the way
            // back from the Earth-Moon barycentre.
            double moonPos[3], moonVel[3];
            evaluate(EarthMoonBarycentre, mjd, p, v);
            evaluate(GeocentricMoon, mjd, moonPos, moonVel);
            const double toMoon = body == BodyId::Moon ? 1.0 : 0.0;
            for (int axis = 0; axis < 3; ++axis) {
                p[axis] += (toMoon - earthShareOfMoon_) * moonPos[axis];
                v[axis] += (toMoon - earthShareOfMoon_) * moonVel[axis];
            }
            break;
        }
    }
    pos = toGlobal(p);
    vel = toGlobal(v);
}

}  // namespace sim
