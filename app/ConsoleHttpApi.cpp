#include "ConsoleHttpApi.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <vector>

#include "NumberParsing.h"
#include "PageFiles.h"
#include "gdi/PngWriter.h"

namespace okulsim {

namespace {

using Json = nlohmann::json;

const char kJson[] = "application/json; charset=utf-8";
const char kEventsPath[] = "/api/events";

// httplib's pool whose threads run below the simulation thread's priority
// (a nice value `requestThreadNice` higher): encoding pictures and serving
// many clients, they take the processors the frame loop leaves.
class RequestThreads : public httplib::ThreadPool {
public:
    using ThreadPool::ThreadPool;
    void enqueue(std::function<void()> work) override {
        ThreadPool::enqueue([work = std::move(work)] {
            thread_local bool lowered = false;
            if (!lowered) {
                setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), ConsoleHttpApi::requestThreadNice);
                lowered = true;
            }
            work();
        });
    }
};
// The headers of a picture of changes (see the README's API table).
const char kPictureSinceHeader[] = "X-Picture-Since";
const char kPictureSerialHeader[] = "X-Picture-Serial";
const char kPicturePiecesHeader[] = "X-Picture-Pieces";
// Changes in more pieces than this (a new panel) go as the whole window: one
// picture decodes faster than many pieces paint, and the header stays short.
const std::size_t kMostPieces = 400;

ApiReply ok(Json extra = Json::object()) {
    extra["ok"] = true;
    return ApiReply{200, extra.dump(-1, ' ', false, Json::error_handler_t::replace)};
}

ApiReply failure(int status, const std::string &message) {
    return ApiReply{status, Json{{"error", message}}.dump(-1, ' ', false, Json::error_handler_t::replace)};
}

ApiReply badRequest(const std::string &message) { return failure(400, message); }

void send(httplib::Response &response, const ApiReply &reply) {
    response.status = reply.status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(reply.body, kJson);
}

// A request's parameter (query or form), or a message naming it.
bool parameter(const httplib::Request &request, const char *name, std::string &value, std::string &error) {
    if (!request.has_param(name)) {
        error = std::string("missing parameter \"") + name + "\"";
        return false;
    }
    value = request.get_param_value(name);
    return true;
}

bool intParameter(const httplib::Request &request, const char *name, int &value, std::string &error) {
    std::string text;
    if (!parameter(request, name, text, error)) return false;
    if (parseInt(text, value, error)) return true;
    error = std::string("parameter \"") + name + "\": " + error;
    return false;
}

// An optional state serial (0 when absent).
bool serialParameter(const httplib::Request &request, const char *name, unsigned long long &value,
                     std::string &error) {
    value = 0;
    if (!request.has_param(name)) return true;
    long count = 0;
    if (!parseCount(request.get_param_value(name), count, error)) {
        error = std::string("parameter \"") + name + "\": " + error;
        return false;
    }
    value = static_cast<unsigned long long>(count);
    return true;
}

// A file name for a saved scenario: letters, digits, '_', '-' and '.', not
// starting with a dot, ending in ".scn"; it stays in the working folder.
bool checkScenarioName(const std::string &name, std::string &error) {
    const bool shaped =
        name.size() > 4 && name.size() <= 100 && name[0] != '.' &&
        name.compare(name.size() - 4, 4, ".scn") == 0 &&
        name.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-.") ==
            std::string::npos;
    if (!shaped)
        error = "\"" + name +
                "\" is no scenario file name (letters, digits, '_', '-', '.'; ending in .scn; at most 100 "
                "characters)";
    return shaped;
}

}  // namespace

std::thread serveOnThread(httplib::Server &server) {
    auto ended = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([&server, ended] {
        server.listen_after_bind();
        ended->store(true);
    });
    while (!server.is_running() && !ended->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return thread;
}

ConsoleHttpApi::ConsoleHttpApi(ConsoleEvents &events, LiveConsole &console, StateBroadcast &broadcast,
                               std::string workDir, std::string token)
    : events_(events),
      console_(console),
      broadcast_(broadcast),
      workDir_(std::move(workDir)),
      admission_(std::move(token)) {}

template <class Work, class Result>
bool ConsoleHttpApi::runOnSimulation(Work work, Result &result, ApiReply &refusal) {
    std::future<Result> posted = events_.post(std::move(work));
    if (posted.wait_for(std::chrono::seconds(requestTimeoutSeconds)) != std::future_status::ready) {
        refusal = failure(503, "the simulation did not take the request within " +
                                   std::to_string(requestTimeoutSeconds) + " s");
        return false;
    }
    try {
        result = posted.get();
        return true;
    } catch (const std::future_error &) {
        refusal = failure(503, "the console is shutting down");
        return false;
    }
}

template <class Work>
ApiReply ConsoleHttpApi::onSimulation(Work work) {
    ApiReply reply, refusal;
    return runOnSimulation(std::move(work), reply, refusal) ? reply : refusal;
}

// Encodes the job's picture when this request is the one to (see
// PictureJob) and waits for the state's picture; null with the refusal in
// `refusal` when there is none.
std::shared_ptr<const EncodedPicture> ConsoleHttpApi::finish(PictureJob &job, ApiReply &refusal) {
    if (job.encode) {
        auto encoded = std::make_shared<EncodedPicture>();
        const auto start = std::chrono::steady_clock::now();
        std::vector<unsigned char> bytes;
        encoded->ok = sim::encodePng(job.picture(), sim::PngCompression::Fast, bytes, encoded->error);
        encoded->png.assign(bytes.begin(), bytes.end());
        encoded->serial = job.serial;
        console_.countEncoding(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        job.encode->set_value(encoded);
    }
    std::shared_ptr<const EncodedPicture> result;
    try {
        result = job.result.get();
    } catch (const std::future_error &) {
        // The request that was to encode this state's picture gave up.
        refusal = failure(503, "the picture was not made; ask again");
        return nullptr;
    }
    if (!result->ok) {
        refusal = failure(404, result->error);
        return nullptr;
    }
    return result;
}

// A picture of the present state: the simulation thread renders it once per
// state, the first request for it encodes it here and every request for
// the same state shares the file.
ApiReply ConsoleHttpApi::picture(PictureKind kind) {
    PictureJob job;
    ApiReply refusal;
    if (!runOnSimulation([this, kind] { return console_.pictureJob(kind); }, job, refusal)) return refusal;
    std::shared_ptr<const EncodedPicture> result = finish(job, refusal);
    return result ? ApiReply{200, result->png} : refusal;
}

void ConsoleHttpApi::install(httplib::Server &server) {
    using httplib::Request;
    using httplib::Response;

    // Short keep-alive and timeouts: a page that went away frees its thread
    // soon, and a stop does not wait for idle connections. A kept connection
    // takes many requests: with httplib's five, fifty busy clients
    // reconnecting waited seconds for some of their answers.
    server.new_task_queue = [] { return new RequestThreads(serverThreads); };
    server.set_keep_alive_timeout(1);
    server.set_keep_alive_max_count(1000);
    server.set_read_timeout(5);
    server.set_write_timeout(5);
    server.set_payload_max_length(64 * 1024);
    // Address reuse after a restart, but not a port shared with another
    // server (httplib's default also sets SO_REUSEPORT, which would let a
    // second console take half of the first one's requests).
    server.set_socket_options([](socket_t sock) {
        const int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });

    // httplib's own refusals (a malformed request, a POST without a body or
    // Content-Length, an unknown path) get a message too.
    server.set_error_handler([](const Request &request, Response &response) {
        if (!response.body.empty()) return;
        const std::string message =
            response.status == 404 ? "no such path: " + request.path
            : response.status == 400
                ? std::string("malformed request (a POST needs a body, or Content-Length: 0)")
                : "HTTP status " + std::to_string(response.status);
        // The path may be any bytes: the message is made as every other
        // one is, with what is not UTF-8 replaced.
        response.set_content(failure(response.status, message).body, kJson);
    });

    // Every request passes the admission before a route sees it; a refused
    // one ends its connection, as its body, if any, was not read.
    server.set_pre_routing_handler([this](const Request &request, Response &response) {
        const RequestAdmission::Verdict verdict = admission_.judge(request);
        if (!verdict.setCookie.empty()) response.set_header("Set-Cookie", verdict.setCookie);
        if (verdict.refusal == RequestAdmission::Refusal::None) {
            if (request.path != kEventsPath || broadcast_.listeners() < eventStreamLimit)
                return httplib::Server::HandlerResponse::Unhandled;
            send(response, failure(503, "already " + std::to_string(eventStreamLimit) + " pages open"));
            return httplib::Server::HandlerResponse::Handled;
        }
        response.set_header("Connection", "close");
        send(response, failure(403, verdict.reason));
        return httplib::Server::HandlerResponse::Handled;
    });
    // The routes that change state: POST only.
    const auto post = [this, &server](const char *path, httplib::Server::Handler handler) {
        admission_.addStateChange(path);
        server.Post(path, std::move(handler));
    };

    server.Get("/", [](const Request &, Response &response) {
        const PageFile *file = findPageFile("/");
        response.set_content(reinterpret_cast<const char *>(file->data), file->size, file->contentType);
    });
    server.Get(R"(/(\w[\w.-]*\.(?:html|css|js)))", [](const Request &request, Response &response) {
        const PageFile *file = findPageFile(request.path);
        if (file == nullptr) {
            send(response, failure(404, "no file " + request.path));
            return;
        }
        response.set_content(reinterpret_cast<const char *>(file->data), file->size, file->contentType);
    });

    // ---- reading ---------------------------------------------------------
    server.Get("/api/state", [this](const Request &, Response &response) {
        send(response, onSimulation([this] { return ApiReply{200, console_.stateJson()}; }));
    });
    server.Get("/api/map", [this](const Request &, Response &response) {
        send(response, onSimulation([this] { return ApiReply{200, console_.mapJson()}; }));
    });
    server.Get("/api/stats", [this](const Request &, Response &response) {
        Json stats = Json::parse(console_.statsJson());
        stats["refused"] = Json::parse(admission_.refusalsJson());
        send(response, ApiReply{200, stats.dump()});
    });
    server.Get("/api/text", [this](const Request &request, Response &response) {
        std::string areaText, error;
        if (!parameter(request, "area", areaText, error)) return send(response, badRequest(error));
        send(response, onSimulation([this, areaText] {
                 AreaRef area;
                 std::vector<std::string> lines;
                 std::string why;
                 if (!parseArea(console_.cockpit(), areaText, area, why) ||
                     !areaLines(console_.cockpit(), area, lines, why))
                     return badRequest(why);
                 return ok(Json{{"lines", lines}});
             }));
    });
    const std::pair<const char *, PictureKind> pictures[] = {{"/api/window.png", PictureKind::Window},
                                                             {"/api/panel.png", PictureKind::Panel},
                                                             {"/api/view.png", PictureKind::View}};
    for (const auto &entry : pictures) {
        const PictureKind kind = entry.second;
        server.Get(entry.first, [this, kind](const Request &, Response &response) {
            const ApiReply reply = picture(kind);
            if (reply.status != 200) return send(response, reply);
            response.set_header("Cache-Control", "no-store");
            response.set_content(reply.body, "image/png");
            console_.countPictureBytes(reply.body.size());
        });
    }
    // The window's changes from the page's last picture (state `since`) to
    // state `serial`, or the whole window as last published when they are no
    // longer at hand (or `since` is 0).
    server.Get("/api/picture", [this](const Request &request, Response &response) {
        if (console_.options().pictures != PictureStream::Changes)
            return send(response, failure(404, "this console sends whole pictures (/api/window.png)"));
        unsigned long long since = 0, serial = 0;
        std::string error;
        if (!serialParameter(request, "since", since, error) ||
            !serialParameter(request, "serial", serial, error))
            return send(response, badRequest(error));
        std::shared_ptr<const EncodedPatch> patch;
        if (since > 0 && serial > since) patch = console_.patch(since, serial);
        std::string png;
        Json pieces = Json::array();
        if (patch && patch->ok && patch->pieces.size() <= kMostPieces) {
            png = patch->png;
            for (const WindowPatch::Piece &p : patch->pieces)
                pieces.push_back({p.x, p.y, p.width, p.height, p.atlasX, p.atlasY});
        } else {
            PictureJob job;
            ApiReply refusal;
            if (!runOnSimulation([this] { return console_.publishedWindowJob(); }, job, refusal))
                return send(response, refusal);
            std::shared_ptr<const EncodedPicture> whole = finish(job, refusal);
            if (!whole) return send(response, refusal);
            png = whole->png;
            since = 0;
            serial = whole->serial;
            pieces.push_back({0, 0, sim::Cockpit::windowWidth, sim::Cockpit::windowHeight, 0, 0});
        }
        response.set_header("Cache-Control", "no-store");
        response.set_header(kPictureSinceHeader, std::to_string(since));
        response.set_header(kPictureSerialHeader, std::to_string(serial));
        response.set_header(kPicturePiecesHeader, pieces.dump());
        response.set_content(png, "image/png");
        console_.countPictureBytes(png.size());
    });
    server.Get(kEventsPath, [this](const Request &, Response &response) {
        auto listener = std::make_shared<StateBroadcast::Listener>(broadcast_);
        response.set_header("Cache-Control", "no-store");
        response.set_chunked_content_provider(
            "text/event-stream", [this, listener](std::size_t, httplib::DataSink &sink) {
                std::string json;
                if (listener->next(json, std::chrono::milliseconds(1000))) {
                    const std::string message = "event: state\ndata: " + json + "\n\n";
                    return sink.write(message.data(), message.size());
                }
                if (broadcast_.closed()) {
                    sink.done();
                    return true;
                }
                static const char keepAlive[] = ": waiting\n\n";
                return sink.write(keepAlive, sizeof keepAlive - 1);
            });
    });

    // ---- input -------------------------------------------------------------
    post("/api/mouse", [this](const Request &request, Response &response) {
        int x = 0, y = 0;
        std::string action = "click", error;
        if (request.has_param("action")) action = request.get_param_value("action");
        if (action != "down" && action != "up" && action != "click")
            return send(response, badRequest("parameter \"action\": down, up or click"));
        if (action != "up" &&
            (!intParameter(request, "x", x, error) || !intParameter(request, "y", y, error)))
            return send(response, badRequest(error));
        send(response, onSimulation([this, x, y, action] {
                 sim::Cockpit &cockpit = console_.cockpit();
                 if (action == "up") {
                     console_.release();
                     return ok();
                 }
                 std::string why;
                 if (!checkPanelPoint(cockpit, x, y, why)) return badRequest(why);
                 if (action == "click")
                     console_.click(x, y);
                 else
                     console_.press(x, y);
                 return ok();
             }));
    });
    post("/api/click", [this](const Request &request, Response &response) {
        std::string areaText, error;
        int offset[2] = {0, 0};
        const bool withOffset = request.has_param("mx") || request.has_param("my");
        if (!parameter(request, "area", areaText, error) ||
            (withOffset && (!intParameter(request, "mx", offset[0], error) ||
                            !intParameter(request, "my", offset[1], error))))
            return send(response, badRequest(error));
        send(response, onSimulation([this, areaText, offset, withOffset] {
                 int x = 0, y = 0;
                 std::string why;
                 if (!areaPoint(console_.cockpit(), areaText, withOffset ? offset : nullptr, x, y, why))
                     return badRequest(why);
                 console_.click(x, y);
                 return ok(Json{{"x", x}, {"y", y}});
             }));
    });
    post("/api/key", [this](const Request &request, Response &response) {
        std::string name, error, action = "press";
        std::vector<int> codes;
        if (request.has_param("action")) action = request.get_param_value("action");
        if (action != "down" && action != "up" && action != "press")
            return send(response, badRequest("parameter \"action\": press, down or up"));
        if (!parameter(request, "name", name, error) || !parseKeyChord(name, codes, error))
            return send(response, badRequest(error));
        send(response, onSimulation([this, codes, action] {
                 sim::Cockpit &cockpit = console_.cockpit();
                 if (action != "up")
                     for (int code : codes) cockpit.queueKey(code, true);
                 if (action != "down")
                     for (auto it = codes.rbegin(); it != codes.rend(); ++it) cockpit.queueKey(*it, false);
                 return ok();
             }));
    });
    post("/api/type", [this](const Request &request, Response &response) {
        std::string text, error;
        if (!parameter(request, "text", text, error) || !checkTypable(text, error))
            return send(response, badRequest(error));
        if (text.size() > typeLimit)
            return send(response,
                        badRequest("at most " + std::to_string(typeLimit) + " characters a request"));
        send(response, onSimulation([this, text] {
                 for (char ch : text) {
                     console_.cockpit().queueKey(characterKey(ch), true);
                     console_.cockpit().queueKey(characterKey(ch), false);
                 }
                 return ok();
             }));
    });
    post("/api/input", [this](const Request &request, Response &response) {
        std::string text, error;
        if (!parameter(request, "text", text, error)) return send(response, badRequest(error));
        send(response, onSimulation([this, text] {
                 std::string why;
                 if (!checkInputAnswer(console_.cockpit(), text, why)) return badRequest(why);
                 console_.cockpit().queueInputAnswer(text);
                 return ok();
             }));
    });
    post("/api/cancel", [this](const Request &, Response &response) {
        send(response, onSimulation([this] {
                 if (!console_.cockpit().inputBoxOpen()) return badRequest("no input box is open");
                 console_.cockpit().queueInputCancel();
                 return ok();
             }));
    });

    // ---- time, panels, saving ------------------------------------------------
    post("/api/warp", [this](const Request &request, Response &response) {
        std::string text, error;
        double warp = 0;
        if (!parameter(request, "factor", text, error) || !parseNumber(text, warp, error) ||
            !checkTimeAcceleration(warp, error))
            return send(response, badRequest(error));
        send(response, onSimulation([this, warp] {
                 console_.simulation().setTimeAcceleration(warp);
                 console_.touch();
                 return ok(Json{{"warp", console_.simulation().timeAcceleration()}});
             }));
    });
    post("/api/pause", [this](const Request &request, Response &response) {
        std::string text, error;
        if (!parameter(request, "on", text, error)) return send(response, badRequest(error));
        if (text != "0" && text != "1") return send(response, badRequest("parameter \"on\": 1 or 0"));
        const bool paused = text == "1";
        send(response, onSimulation([this, paused] {
                 console_.setPaused(paused);
                 console_.touch();
                 return ok(Json{{"paused", paused}});
             }));
    });
    post("/api/panel", [this](const Request &request, Response &response) {
        int id = 0;
        std::string error;
        if (!intParameter(request, "id", id, error)) return send(response, badRequest(error));
        send(response, onSimulation([this, id] {
                 std::string why;
                 console_.touch();
                 if (!showPanel(console_.cockpit(), id, why)) return badRequest(why);
                 return ok(Json{{"panel", id}});
             }));
    });
    post("/api/save", [this](const Request &request, Response &response) {
        std::string name, error;
        if (!parameter(request, "file", name, error) || !checkScenarioName(name, error))
            return send(response, badRequest(error));
        const std::string path = workDir_ + "/" + name;
        send(response, onSimulation([this, path, name] {
                 std::string why;
                 if (!console_.simulation().saveScenario(path, why)) return failure(500, why);
                 return ok(Json{{"file", name}});
             }));
    });
}

}  // namespace okulsim
