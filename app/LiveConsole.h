// The live console's simulation side: runs on the simulation thread, takes
// the queued requests between frames, advances the simulation in real time
// times the time acceleration, frame by frame at a steady rate, and
// publishes its state to the pages' event streams.
//
// Everything here is called on the simulation thread, by the loop or by
// work posted to the event queue, except countEncoding, countPictureBytes,
// patch and statsJson.
#pragma once

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string>

#include "CockpitControls.h"
#include "ConsoleEvents.h"
#include "ProgramTarget.h"
#include "StateBroadcast.h"
#include "WindowChanges.h"
#include "core/Simulation.h"

namespace okulsim {

// An answer to an API request: an HTTP status and a JSON body.
struct ApiReply {
    int status = 200;
    std::string body;
};

// A PNG picture of the console, or why there is none.
struct EncodedPicture {
    bool ok = false;
    std::string png;
    std::string error;
    unsigned long long serial = 0;  // the console state it shows
};
using PictureResult = std::shared_future<std::shared_ptr<const EncodedPicture>>;

// A request for a picture, as the simulation thread answers it: the result
// to wait for, and, for the one request that asked first in this state,
// what it is to make into the picture and encode (off the simulation
// thread: a window's layers are put together there too) and the promise to
// fulfil with it.
struct PictureJob {
    PictureResult result;
    std::shared_ptr<sim::Cockpit::WindowLayers> layers;
    std::shared_ptr<std::promise<std::shared_ptr<const EncodedPicture>>> encode;
    unsigned long long serial = 0;  // the state it shows
    // The picture from the layers (once).
    sim::Surface picture();
};

// How the page gets its pictures: the tiles that changed since its last
// picture (whole pictures only to start with or after falling behind), or
// a whole picture each time (the way it was first built, kept to compare).
enum class PictureStream { Changes, Whole };

// A picture of changes as sent: the PNG of the packed pieces and where they go.
struct EncodedPatch {
    bool ok = false;
    std::string png;
    std::string error;
    unsigned long long since = 0, serial = 0;
    std::vector<WindowPatch::Piece> pieces;
};

// Frame times of the simulation thread: the work of a frame (queued
// requests, the frame itself, the state published), apart for the frames
// with and without a page's event stream open; as real time, and as the
// thread's processor time (which leaves out the time other threads and
// programs had the processor).
struct FrameTimes {
    long frames = 0;
    double totalMs = 0.0;
    double maxMs = 0.0;
    double totalCpuMs = 0.0;
    void add(double ms, double cpuMs);
};

class LiveConsole {
public:
    using Clock = std::chrono::steady_clock;

    // Frames per second of the loop and how often the state goes to the
    // event streams (every `publishEvery` frames).
    static constexpr double frameRate = 50.0;
    static constexpr int defaultPublishEvery = 3;
    // The longest simulated frame, in real seconds: a longer stall (a
    // program running in a key callback) is not caught up.
    static constexpr double longestFrame = 0.1;

    struct Options {
        PictureStream pictures = PictureStream::Changes;
        int publishEvery = defaultPublishEvery;  // 1 to frameRate
    };

    LiveConsole(sim::Simulation &simulation, ConsoleEvents &events, StateBroadcast &broadcast,
                Options options);
    LiveConsole(sim::Simulation &simulation, ConsoleEvents &events, StateBroadcast &broadcast)
        : LiveConsole(simulation, events, broadcast, Options{}) {}
    const Options &options() const { return options_; }

    // The frame loop; returns when `stop` is set.
    void run(const std::atomic<bool> &stop);
    // One turn of the loop after its requests, without the pacing: a frame
    // of `frameLength` real seconds (unless paused), then the state to the
    // event streams when it is due. True when the state was published.
    bool step(double frameLength);

    // ---- requests (simulation thread) --------------------------------------
    sim::Simulation &simulation() { return simulation_; }
    sim::Cockpit &cockpit() { return simulation_.cockpit(); }
    bool paused() const { return paused_; }
    void setPaused(bool paused) { paused_ = paused; }
    // Presses the mouse at a panel pixel now and releases it after the
    // next frame, as a click of the runner's scripts does.
    void click(int x, int y);
    // Presses and holds the button; releases it. Either replaces a click's
    // release still to come.
    void press(int x, int y);
    void release();
    // A request changed what the console shows outside a frame (a panel, the
    // time acceleration, the pause).
    void touch();
    // The state as JSON.
    std::string stateJson();
    // A picture of the present state; see PictureJob.
    PictureJob pictureJob(PictureKind kind);
    // The whole window as last published (the changes' starting picture);
    // its serial is that state's.
    PictureJob publishedWindowJob();
    // The map: the focus vessel's predicted path about its reference body,
    // the periapsis and the last program's target point, as JSON (see the
    // README); made again when older than mapLifetime.
    static constexpr double mapLifetime = 2.5;  // s, real time
    static constexpr double mapLongestDays = 30.0;
    static constexpr int mapPoints = 400;
    std::string mapJson();
    // The frame times so far as JSON.
    std::string statsJson() const;

    // Counts an encoding done by a request thread (any thread), and the
    // bytes of pictures sent.
    void countEncoding(double ms);
    void countPictureBytes(std::size_t bytes);

    // The changes from state `since` to state `serial` as an encoded picture
    // (any thread; encoded once and shared); null when the history no longer
    // holds them.
    std::shared_ptr<const EncodedPatch> patch(unsigned long long since, unsigned long long serial);

private:
    void releaseHeldInput();

    sim::Simulation &simulation_;
    Options options_;
    ConsoleEvents &events_;
    StateBroadcast &broadcast_;
    bool paused_ = false;
    bool releaseAfterFrame_ = false;
    // Counts frames and requests taken: a picture or state is rendered
    // once for each.
    unsigned long long serial_ = 0;
    unsigned long long publishedSerial_ = 0;
    std::atomic<unsigned long long> publishedCount_{0};
    int framesSincePublish_ = 0;
    int lastListeners_ = 0;
    unsigned long long lastDepartures_ = 0;

    struct CachedPicture {
        unsigned long long serial = 0;
        PictureResult result;
    };
    CachedPicture pictures_[3];
    CachedPicture publishedWindow_;

    // The map as last made, and the last program target seen on the panel.
    std::string map_;
    Clock::time_point mapMade_{};
    std::unique_ptr<ProgramTarget> target_;

    WindowMirror mirror_;
    WindowHistory history_;
    // Finds the published states' changes off the simulation thread (after
    // the mirror and the history it uses, so that it stops first).
    ChangesWorker changes_{mirror_, history_};
    struct CachedPatch {
        unsigned long long since = 0, serial = 0;
        std::shared_future<std::shared_ptr<const EncodedPatch>> result;
    };
    std::mutex patchMutex_;
    std::deque<CachedPatch> patches_;

    mutable std::mutex statsMutex_;
    FrameTimes withoutPage_, withPage_;
    long encodings_ = 0;
    double encodingMs_ = 0.0;
    unsigned long long pictureBytes_ = 0;
    long picturesSent_ = 0;
    double updateMs_ = 0.0;
    long updates_ = 0;
};

}  // namespace okulsim
