#include "LiveConsole.h"

#include <nlohmann/json.hpp>

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "cockpit/Panel.h"
#include "gdi/Cp1251.h"
#include "gdi/PngWriter.h"
#include "TrajectoryLayout.h"
#include "core/Body.h"
#include "core/Vessel.h"

namespace okulsim {

namespace {

using Json = nlohmann::json;

double milliseconds(ConsoleEvents::Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

Json timesJson(const FrameTimes &times) {
    const double frames = times.frames > 0 ? double(times.frames) : 1.0;
    return Json{{"frames", times.frames},
                {"meanMs", times.totalMs / frames},
                {"maxMs", times.maxMs},
                {"meanCpuMs", times.totalCpuMs / frames}};
}

// Processor time of the calling thread.
double threadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) * 1e-6;
}

// The texts of the panel's areas and MFD screens, with where they lie.
Json panelJson(sim::Cockpit &cockpit) {
    const sim::Panel *panel = cockpit.shownPanel();
    if (panel == nullptr) return nullptr;
    Json json{{"id", panel->id()}};
    int left = 0, top = 0;
    if (cockpit.panelOrigin(left, top))
        json["picture"] = {
            {"left", left}, {"top", top}, {"width", panel->width()}, {"height", panel->height()}};
    else
        json["picture"] = nullptr;
    Json areas = Json::array();
    std::vector<std::string> lines;
    for (const sim::PanelArea &area : panel->areas()) {
        cockpit.areaTexts(area.id, lines);
        areas.push_back({{"id", area.id},
                         {"rect", {area.rect.left, area.rect.top, area.rect.right, area.rect.bottom}},
                         {"mouse", area.mouseMode != PANEL_MOUSE_IGNORE},
                         {"lines", lines}});
    }
    json["areas"] = std::move(areas);
    Json mfds = Json::array();
    for (const sim::PanelMfd &mfd : panel->mfds()) {
        if (!cockpit.mfdTexts(mfd.index, lines)) continue;
        mfds.push_back(
            {{"index", mfd.index},
             {"rect", {mfd.spec.pos.left, mfd.spec.pos.top, mfd.spec.pos.right, mfd.spec.pos.bottom}},
             {"lines", lines}});
    }
    json["mfds"] = std::move(mfds);
    return json;
}

}  // namespace

void FrameTimes::add(double ms, double cpuMs) {
    ++frames;
    totalMs += ms;
    maxMs = std::max(maxMs, ms);
    totalCpuMs += cpuMs;
}

LiveConsole::LiveConsole(sim::Simulation &simulation, ConsoleEvents &events, StateBroadcast &broadcast,
                         Options options)
    : simulation_(simulation), options_(options), events_(events), broadcast_(broadcast) {
    options_.publishEvery = std::min(std::max(options_.publishEvery, 1), int(frameRate));
}

void LiveConsole::run(const std::atomic<bool> &stop) {
    const auto period =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / frameRate));
    Clock::time_point next = Clock::now();
    Clock::time_point previous = next - period;
    while (!stop.load()) {
        // Requests that arrive before the frame is due run as they come.
        Clock::duration busy{};
        const double cpuBefore = threadCpuMs();
        events_.runUntil(next, busy);
        if (stop.load()) break;
        const Clock::time_point start = Clock::now();
        // The frame covers the real time since the last one (a millisecond at
        // least: modules divide by the step).
        const double real = std::chrono::duration<double>(start - previous).count();
        previous = start;
        step(std::min(std::max(real, 1e-3), longestFrame));
        busy += Clock::now() - start;
        {
            std::lock_guard<std::mutex> lock(statsMutex_);
            (lastListeners_ > 0 ? withPage_ : withoutPage_)
                .add(milliseconds(busy), threadCpuMs() - cpuBefore);
        }
        next += period;
        const Clock::time_point now = Clock::now();
        if (next < now) next = now;  // behind: the next frame starts at once, longer
    }
}

bool LiveConsole::step(double frameLength) {
    if (!paused_) {
        simulation_.setFrameLength(frameLength);
        simulation_.frame();
        ++serial_;
        ++framesSincePublish_;
        if (releaseAfterFrame_) {
            cockpit().releaseMouse();
            releaseAfterFrame_ = false;
        }
    }
    const int listeners = broadcast_.listeners();
    if (broadcast_.departures() != lastDepartures_) {
        lastDepartures_ = broadcast_.departures();
        // A page that left may have left a key or the button down.
        if (listeners == 0) releaseHeldInput();
    }
    const bool arrived = listeners > lastListeners_;
    lastListeners_ = listeners;
    if (listeners == 0 || !(arrived || (serial_ != publishedSerial_ &&
                                        (framesSincePublish_ >= options_.publishEvery || paused_))))
        return false;
    if (options_.pictures == PictureStream::Changes && serial_ != mirror_.taken()) {
        // What changed is taken now, while the cockpit holds still; the
        // changes are found on the worker, and a request for them waits
        // for the worker to reach the state.
        const double before = threadCpuMs();
        changes_.submit(mirror_.take(cockpit(), mirror_.taken(), serial_));
        std::lock_guard<std::mutex> lock(statsMutex_);
        updateMs_ += threadCpuMs() - before;
        ++updates_;
    }
    ++publishedCount_;
    broadcast_.publish(stateJson());
    publishedSerial_ = serial_;
    framesSincePublish_ = 0;
    return true;
}

void LiveConsole::touch() { ++serial_; }

void LiveConsole::click(int x, int y) {
    cockpit().pressMouse(x, y);
    releaseAfterFrame_ = true;
}

void LiveConsole::press(int x, int y) {
    cockpit().pressMouse(x, y);
    releaseAfterFrame_ = false;
}

void LiveConsole::release() {
    cockpit().releaseMouse();
    releaseAfterFrame_ = false;
}

void LiveConsole::releaseHeldInput() {
    for (int code = 1; code < 256; ++code)
        if (cockpit().keyHeld(code)) cockpit().queueKey(code, false);
    cockpit().releaseMouse();
    releaseAfterFrame_ = false;
}

std::string LiveConsole::stateJson() {
    sim::Cockpit &cockpit = this->cockpit();
    Json state{{"serial", serial_},
               {"published", publishedCount_.load()},
               {"pictures", options_.pictures == PictureStream::Changes ? "changes" : "whole"},
               {"frame", simulation_.frameCount()},
               {"mjd", simulation_.mjd()},
               {"simTime", simulation_.simTime()},
               {"warp", simulation_.timeAcceleration()},
               {"paused", paused_},
               {"window", {{"width", sim::Cockpit::windowWidth}, {"height", sim::Cockpit::windowHeight}}},
               {"panel", panelJson(cockpit)}};
    const char *debug = simulation_.debugString();
    state["debug"] = sim::cp1251ToUtf8(debug, strnlen(debug, 256));
    if (cockpit.inputBoxOpen())
        state["inputBox"] = {{"serial", cockpit.inputBoxSerial()},
                             {"title", cockpit.inputBoxTitle()},
                             {"text", cockpit.inputBoxText()},
                             {"limit", inputAnswerLimit(cockpit)}};
    else
        state["inputBox"] = nullptr;
    return state.dump(-1, ' ', false, Json::error_handler_t::replace);
}

PictureJob LiveConsole::pictureJob(PictureKind kind) {
    CachedPicture &cached = pictures_[static_cast<int>(kind)];
    PictureJob job;
    if (cached.result.valid() && cached.serial == serial_) {
        job.result = cached.result;
        return job;
    }
    auto promise = std::make_shared<std::promise<std::shared_ptr<const EncodedPicture>>>();
    cached.serial = serial_;
    cached.result = promise->get_future().share();
    job.result = cached.result;
    job.serial = serial_;
    // The window goes as its layers; the panel or the view alone as the
    // only layer.
    auto layers = std::make_shared<sim::Cockpit::WindowLayers>();
    std::string error;
    bool taken = true;
    if (kind == PictureKind::Window)
        *layers = cockpit().windowLayers();
    else
        taken = takePicture(cockpit(), kind, layers->view, error);
    if (!taken) {
        auto failed = std::make_shared<EncodedPicture>();
        failed->error = error;
        failed->serial = serial_;
        promise->set_value(failed);
        return job;
    }
    job.layers = layers;
    job.encode = promise;
    return job;
}

std::string LiveConsole::mapJson() {
    const Clock::time_point now = Clock::now();
    if (!map_.empty() && now - mapMade_ < std::chrono::duration<double>(mapLifetime)) return map_;
    mapMade_ = now;
    // The newest program result on the panel shown (the terminal), kept
    // while another panel is shown or the lines scroll away.
    if (const sim::Panel *panel = cockpit().shownPanel()) {
        std::vector<std::string> lines;
        for (const sim::PanelArea &area : panel->areas()) {
            cockpit().areaTexts(area.id, lines);
            ProgramTarget found;
            if (findProgramTarget(lines, found)) target_ = std::make_unique<ProgramTarget>(found);
        }
    }
    Json map{{"mjd", simulation_.mjd()}, {"serial", serial_}};
    const Vessel *vessel = simulation_.focus();
    const Vessel *top = vessel;
    while (top != nullptr && top->parent() != nullptr) top = top->parent();
    // About the body of the program's point when a program ran (the Mars
    // approach is aimed at Mars long before Mars pulls hardest), otherwise
    // about the vessel's reference body.
    const sim::Body *body = target_ ? simulation_.bodyByName(target_->body) : nullptr;
    if (body == nullptr && top != nullptr) body = top->gravityRef;
    if (vessel == nullptr || body == nullptr) {
        map["vessel"] = nullptr;
        map_ = map.dump();
        return map_;
    }
    const double days = mapDays(simulation_, *vessel, *body, mapLongestDays);
    SurfacePoint aim;
    const bool aimed = target_ && target_->body == body->name();
    if (aimed)
        aim = SurfacePoint{target_->longitudeDeg * RAD, target_->latitudeDeg * RAD,
                           target_->radiusKm * 1000.0, target_->mjd};
    const TrajectoryLayout layout =
        layOutTrajectory(simulation_, *vessel, *body, days, mapPoints, aimed ? &aim : nullptr);
    const double km = 1e-3;
    // The path to 100 m (the page draws it a few hundred pixels across).
    auto hectometres = [](double metres) { return std::round(metres / 100.0) / 10.0; };
    Json path = Json::array();
    for (const TrajectoryLayout::Point &p : layout.path) path.push_back({hectometres(p.x), hectometres(p.y)});
    map["vessel"] = vessel->name();
    map["body"] = {{"name", body->name()}, {"radiusKm", layout.bodyRadius * km}};
    map["days"] = days;
    map["extentKm"] = layout.extent * km;
    map["path"] = std::move(path);
    const sim::PredictedPeriapsis &p = layout.periapsis;
    if (p.found)
        map["periapsis"] = {{"mjd", p.mjd},
                            {"radiusKm", p.radius * km},
                            {"altitudeKm", (p.radius - layout.bodyRadius) * km},
                            {"longitudeDeg", p.longitude * DEG},
                            {"latitudeDeg", p.latitude * DEG},
                            {"x", layout.periapsisAt.x * km},
                            {"y", layout.periapsisAt.y * km}};
    else
        map["periapsis"] = nullptr;
    if (target_)
        map["target"] = {{"program", target_->program},
                         {"body", target_->body},
                         {"mjd", target_->mjd},
                         {"radiusKm", target_->radiusKm},
                         {"longitudeDeg", target_->longitudeDeg},
                         {"latitudeDeg", target_->latitudeDeg},
                         {"shown", layout.withTarget},
                         {"x", layout.targetAt.x * km},
                         {"y", layout.targetAt.y * km},
                         {"missKm", layout.targetMiss * km}};
    else
        map["target"] = nullptr;
    map_ = map.dump(-1, ' ', false, Json::error_handler_t::replace);
    return map_;
}

PictureJob LiveConsole::publishedWindowJob() {
    PictureJob job;
    // Asked before any state went out (no page listening yet): the window now.
    if (mirror_.taken() == 0 && serial_ > 0) changes_.submit(mirror_.take(cockpit(), 0, serial_));
    if (publishedWindow_.result.valid() && publishedWindow_.serial == mirror_.taken()) {
        job.result = publishedWindow_.result;
        return job;
    }
    auto promise = std::make_shared<std::promise<std::shared_ptr<const EncodedPicture>>>();
    job.layers = std::make_shared<sim::Cockpit::WindowLayers>();
    // The worker done with every state taken (rare: a page starting or
    // fallen behind).
    job.layers->view = changes_.window(job.serial);
    publishedWindow_.serial = job.serial;
    publishedWindow_.result = promise->get_future().share();
    job.result = publishedWindow_.result;
    job.encode = promise;
    return job;
}

std::shared_ptr<const EncodedPatch> LiveConsole::patch(unsigned long long since, unsigned long long serial) {
    std::promise<std::shared_ptr<const EncodedPatch>> promise;
    std::shared_future<std::shared_ptr<const EncodedPatch>> shared;
    {
        std::lock_guard<std::mutex> lock(patchMutex_);
        for (const CachedPatch &cached : patches_)
            if (cached.since == since && cached.serial == serial) shared = cached.result;
        if (!shared.valid()) {
            patches_.push_back(CachedPatch{since, serial, promise.get_future().share()});
            while (patches_.size() > 16) patches_.pop_front();
        }
    }
    // Another request is making (or made) this one.
    if (shared.valid()) return shared.get();
    std::shared_ptr<EncodedPatch> encoded;
    WindowPatch pieces;
    // The page may ask as soon as the state is out: the worker may still be
    // finding its changes.
    changes_.waitFor(serial, std::chrono::seconds(2));
    if (history_.patch(since, serial, pieces)) {
        encoded = std::make_shared<EncodedPatch>();
        const auto start = Clock::now();
        std::vector<unsigned char> bytes;
        encoded->ok = sim::encodePng(pieces.picture, sim::PngCompression::Fast, bytes, encoded->error);
        encoded->png.assign(bytes.begin(), bytes.end());
        encoded->since = since;
        encoded->serial = serial;
        encoded->pieces = std::move(pieces.pieces);
        countEncoding(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    promise.set_value(encoded);
    return encoded;
}

sim::Surface PictureJob::picture() { return sim::Cockpit::composeWindow(std::move(*layers)); }

void LiveConsole::countEncoding(double ms) {
    std::lock_guard<std::mutex> lock(statsMutex_);
    ++encodings_;
    encodingMs_ += ms;
}

void LiveConsole::countPictureBytes(std::size_t bytes) {
    std::lock_guard<std::mutex> lock(statsMutex_);
    ++picturesSent_;
    pictureBytes_ += bytes;
}

std::string LiveConsole::statsJson() const {
    double workerMs = 0.0;
    long workerStates = 0;
    changes_.times(workerMs, workerStates);
    std::lock_guard<std::mutex> lock(statsMutex_);
    const Json stats{{"frameRate", frameRate},
                     {"listeners", broadcast_.listeners()},
                     {"withoutPage", timesJson(withoutPage_)},
                     {"withPage", timesJson(withPage_)},
                     {"publishEvery", options_.publishEvery},
                     {"pictures", options_.pictures == PictureStream::Changes ? "changes" : "whole"},
                     {"published", publishedCount_.load()},
                     {"encodings",
                      {{"count", encodings_},
                       {"totalMs", encodingMs_},
                       {"meanMs", encodings_ > 0 ? encodingMs_ / double(encodings_) : 0.0}}},
                     {"changeUpdates",
                      {{"count", updates_},
                       {"totalCpuMs", updateMs_},
                       {"meanCpuMs", updates_ > 0 ? updateMs_ / double(updates_) : 0.0},
                       {"worker",
                        {{"count", workerStates},
                         {"totalCpuMs", workerMs},
                         {"meanCpuMs", workerStates > 0 ? workerMs / double(workerStates) : 0.0}}}}},
                     {"sent", {{"pictures", picturesSent_}, {"bytes", pictureBytes_}}}};
    return stats.dump();
}

}  // namespace okulsim
