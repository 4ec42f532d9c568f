// The live console's HTTP API against a running console: the simulation in
// its frame loop on a thread of its own, a probe vessel in focus recording
// what reaches it, requests through httplib's client.
#include "ConsoleHttpApi.h"
#include "ServeCommand.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "FileContents.h"
#include "LiveConsoleFixture.h"

using namespace cockpittest;
using livetest::kToken;
using Json = nlohmann::json;

namespace {

std::string answerText;

bool keepAnswer(void *, char *text, void *) {
    answerText = text;
    return true;
}

// Width and height from a PNG's header.
std::pair<int, int> pngSize(const std::string &png) {
    if (png.size() < 24 || png.compare(1, 3, "PNG") != 0) return {0, 0};
    auto word = [&png](std::size_t at) {
        return (int(std::uint8_t(png[at])) << 24) | (int(std::uint8_t(png[at + 1])) << 16) |
               (int(std::uint8_t(png[at + 2])) << 8) | int(std::uint8_t(png[at + 3]));
    };
    return {word(16), word(20)};
}

// A plain HTTP exchange on a connection of its own: `request` as it is,
// the whole answer back (the request asks to close the connection).
struct RawAnswer {
    int status = 0;
    std::string head, body;
};
RawAnswer rawExchange(int port, const std::string &request) {
    RawAnswer answer;
    const int sock = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(std::uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(sock, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        close(sock);
        return answer;
    }
    for (std::size_t sent = 0; sent < request.size();) {
        const ssize_t n = write(sock, request.data() + sent, request.size() - sent);
        if (n <= 0) break;
        sent += std::size_t(n);
    }
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(sock, buffer, sizeof buffer)) > 0;) text.append(buffer, std::size_t(n));
    close(sock);
    const std::size_t split = text.find("\r\n\r\n");
    answer.head = text.substr(0, split);
    if (split != std::string::npos) answer.body = text.substr(split + 4);
    if (text.compare(0, 9, "HTTP/1.1 ") == 0) answer.status = std::atoi(text.c_str() + 9);
    return answer;
}

class ConsoleHttpApiTest : public livetest::LiveConsoleTest {
protected:
    // The time acceleration, the pause and the panel are as the console
    // started; after two more frames it stops, and no mouse event or key
    // reached the vessel.
    void expectUnchangedAndStop() {
        const Json after = state();
        EXPECT_EQ(after["warp"], 1.0);
        EXPECT_EQ(after["paused"], false);
        EXPECT_EQ(after["panel"]["id"], 0);
        waitFrames(2);
        stopConsole();
        EXPECT_TRUE(probe->mouse.empty());
        EXPECT_TRUE(probe->bufferedKeys.empty());
    }
};

}  // namespace

TEST_F(ConsoleHttpApiTest, BadRequestsGetAMessageAndChangeNothing) {
    const struct {
        const char *path;
        httplib::Params params;
        const char *message;
    } bad[] = {
        {"/api/click", {{"area", "77"}}, "panel 0 has no area 77"},
        {"/api/click", {{"area", "11"}, {"mx", "40"}, {"my", "0"}}, "outside area 11"},
        {"/api/click", {{"area", "11"}, {"mx", "3"}}, "missing parameter \"my\""},
        {"/api/mouse", {{"x", "12a"}, {"y", "3"}}, "\"12a\" is not a number"},
        {"/api/mouse", {{"x", "1152"}, {"y", "3"}}, "outside panel 0"},
        {"/api/mouse", {{"x", "1"}, {"y", "2"}, {"action", "sideways"}}, "down, up or click"},
        {"/api/key", {{"name", "NOPE"}}, "unknown key \"NOPE\""},
        {"/api/key", {{"name", "A"}, {"action", "hold"}}, "press, down or up"},
        {"/api/type", {{"text", "a,b"}}, "','"},
        {"/api/type", {{"text", std::string(257, 'A')}}, "at most 256 characters"},
        {"/api/input", {{"text", "5"}}, "no input box is open"},
        {"/api/cancel", {}, "no input box is open"},
        {"/api/warp", {{"factor", "1e6"}}, "outside 0.1 to 100000"},
        {"/api/warp", {{"factor", "fast"}}, "is not a number"},
        {"/api/pause", {{"on", "yes"}}, "1 or 0"},
        {"/api/panel", {{"id", "5"}}, "did not load panel 5"},
        {"/api/panel", {{"id", "1.5"}}, "not a whole number"},
        {"/api/save", {{"file", "../escape.scn"}}, "no scenario file name"},
        {"/api/save", {{"file", "notes.txt"}}, "no scenario file name"},
        {"/api/save", {{"file", ".scn"}}, "no scenario file name"},
    };
    for (const auto &request : bad) {
        EXPECT_EQ(status(post(request.path, request.params)), 400) << request.path;
        EXPECT_NE(errorText().find(request.message), std::string::npos)
            << request.path << ": " << errorText();
    }
    EXPECT_EQ(status(client->Get("/api/text?area=MFD2")), 400);
    EXPECT_NE(errorText().find("does not show MFD 2"), std::string::npos) << errorText();
    EXPECT_EQ(status(client->Get("/api/nothing")), 404);
    EXPECT_NE(errorText().find("no such path"), std::string::npos) << errorText();
    // A path that is not UTF-8 (once the end of the server).
    EXPECT_EQ(status(client->Get("/api/%A5%A5")), 404);
    EXPECT_NE(errorText().find("no such path: /api/\xEF\xBF\xBD"), std::string::npos) << errorText();

    expectUnchangedAndStop();
    // The refused panel was asked for and the shown one stayed.
    EXPECT_EQ(probe->loads, std::vector<int>({0, 5}));
    EXPECT_EQ(cockpit().currentPanel(), 0);
    EXPECT_EQ(cockpit().pendingInputAnswers(), 0u);
    EXPECT_TRUE(testsupport::ReadFile(installation.workFile("escape.scn")).empty());
}

TEST_F(ConsoleHttpApiTest, MouseAndKeysReachTheVesselInOrder) {
    EXPECT_EQ(status(post("/api/click", {{"area", "11"}, {"mx", "3"}, {"my", "4"}})), 200);
    EXPECT_EQ(body["x"], 103);
    EXPECT_EQ(status(post("/api/type", {{"text", "a1;"}})), 200);
    EXPECT_EQ(status(post("/api/key", {{"name", "ENTER"}})), 200);
    EXPECT_EQ(status(post("/api/key", {{"name", "NUMPAD8"}, {"action", "down"}})), 200);
    EXPECT_EQ(status(post("/api/mouse", {{"x", "120"}, {"y", "250"}, {"action", "down"}})), 200);
    waitFrames(3);
    EXPECT_EQ(status(post("/api/mouse", {{"action", "up"}})), 200);
    EXPECT_EQ(status(post("/api/key", {{"name", "NUMPAD8"}, {"action", "up"}})), 200);
    waitFrames(2);
    stopConsole();

    std::vector<int> presses;
    for (const Call &call : probe->bufferedKeys)
        if (call.event == 1) presses.push_back(call.id);
    EXPECT_EQ(presses, std::vector<int>(
                           {OAPI_KEY_A, OAPI_KEY_1, OAPI_KEY_SEMICOLON, OAPI_KEY_RETURN, OAPI_KEY_NUMPAD8}));
    // The held key is in the direct-key state frame after frame.
    int framesHeld = 0;
    for (const std::vector<int> &held : probe->directKeys)
        framesHeld += held == std::vector<int>({OAPI_KEY_NUMPAD8});
    EXPECT_GE(framesHeld, 3);
    EXPECT_FALSE(cockpit().keyHeld(OAPI_KEY_NUMPAD8));
    // The click: down once; the held button: down, then held every frame.
    ASSERT_GE(probe->mouse.size(), 4u);
    EXPECT_EQ(probe->mouse[0], (Call{11, PANEL_MOUSE_LBDOWN, 3, 4}));
    EXPECT_EQ(probe->mouse[1], (Call{11, PANEL_MOUSE_LBDOWN, 20, 50}));
    for (std::size_t i = 2; i < probe->mouse.size(); ++i)
        EXPECT_EQ(probe->mouse[i], (Call{11, PANEL_MOUSE_LBPRESSED, 20, 50}));
}

TEST_F(ConsoleHttpApiTest, AnInputBoxIsShownAndAnsweredWithinItsLimit) {
    answerText.clear();
    // The title as a module passes it, in Windows-1251.
    events.post([this] { cockpit().openInputBox("\xC2\xE2\xEE\xE4", keepAnswer, "12", 8, nullptr); }).wait();
    const Json box = state()["inputBox"];
    ASSERT_TRUE(box.is_object()) << box;
    EXPECT_EQ(box["title"], "Ввод");
    EXPECT_EQ(box["text"], "12");
    EXPECT_EQ(box["limit"], 7);
    EXPECT_EQ(status(post("/api/input", {{"text", "12345678"}})), 400);
    EXPECT_NE(errorText().find("takes at most 7"), std::string::npos) << errorText();
    EXPECT_EQ(status(post("/api/input", {{"text", "漢"}})), 400);
    EXPECT_EQ(status(post("/api/input", {{"text", "Жук"}})), 200);
    waitFrames(2);
    EXPECT_TRUE(state()["inputBox"].is_null());
    stopConsole();
    EXPECT_EQ(answerText, "\xC6\xF3\xEA");  // Windows-1251
}

TEST_F(ConsoleHttpApiTest, PicturesAreRenderedOncePerState) {
    EXPECT_EQ(status(post("/api/pause", {{"on", "1"}})), 200);
    const long frame = state()["frame"];
    auto first = client->Get("/api/window.png");
    auto second = client->Get("/api/window.png");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(pngSize(first->body), std::make_pair(1280, 960));
    EXPECT_EQ(first->body, second->body);
    const Json stats = Json::parse(client->Get("/api/stats")->body);
    EXPECT_EQ(stats["encodings"]["count"], 1);
    EXPECT_EQ(state()["frame"], frame);  // paused: no frames

    EXPECT_EQ(pngSize(client->Get("/api/panel.png")->body), std::make_pair(1152, 864));
    EXPECT_EQ(pngSize(client->Get("/api/view.png")->body), std::make_pair(1280, 960));
    EXPECT_EQ(status(post("/api/panel", {{"id", "1"}})), 200);
    EXPECT_EQ(status(client->Get("/api/panel.png")), 404);
    EXPECT_EQ(errorText(), "panel 1 has no picture");
    EXPECT_EQ(status(post("/api/pause", {{"on", "0"}})), 200);
    waitFrames(2);
    EXPECT_GT(state()["frame"].get<long>(), frame);
}

TEST_F(ConsoleHttpApiTest, ASecondConsoleCannotShareThePort) {
    httplib::Server second;
    okulsim::ConsoleHttpApi(events, *console, broadcast, installation.work(), kToken).install(second);
    EXPECT_FALSE(second.bind_to_port("127.0.0.1", port));
}

TEST_F(ConsoleHttpApiTest, TimePanelsAndSaving) {
    EXPECT_EQ(status(post("/api/warp", {{"factor", "100"}})), 200);
    EXPECT_EQ(status(post("/api/panel", {{"id", "2"}})), 200);
    const Json now = state();
    EXPECT_EQ(now["warp"], 100.0);
    EXPECT_EQ(now["panel"]["id"], 2);
    EXPECT_EQ(now["panel"]["picture"]["top"], 96);
    EXPECT_EQ(now["panel"]["areas"][0]["id"], 20);
    EXPECT_EQ(status(post("/api/save", {{"file", "live_1.scn"}})), 200);
    EXPECT_NE(testsupport::ReadFile(installation.workFile("live_1.scn")).find("BEGIN_SHIPS"),
              std::string::npos);
    auto text = client->Get("/api/text?area=20");
    ASSERT_TRUE(text);
    EXPECT_NE(text->body.find("area 20 draw"), std::string::npos) << text->body;
}

TEST_F(ConsoleHttpApiTest, TheEventStreamSendsStatesAndAPageThatLeavesLetsGoOfItsKeys) {
    EXPECT_EQ(status(post("/api/key", {{"name", "CTRL"}, {"action", "down"}})), 200);
    std::string received;
    auto result = client->Get("/api/events", [&received](const char *data, std::size_t length) {
        received.append(data, length);
        return received.find("\n\n") == std::string::npos;  // one message, then leave
    });
    ASSERT_EQ(received.compare(0, 19, "event: state\ndata: "), 0) << received;
    const Json pushed = Json::parse(received.substr(19, received.find("\n\n") - 19), nullptr, false);
    EXPECT_EQ(pushed["panel"]["id"], 0);
    EXPECT_EQ(pushed["window"]["width"], 1280);
    // The stream has gone: the key the page held is released. The server
    // notices a listener left at its next write, which on a loaded machine
    // under the sanitizers can take seconds.
    ASSERT_TRUE(result.error() == httplib::Error::Canceled) << httplib::to_string(result.error());
    for (int i = 0; i < 3000 && broadcast.listeners() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(broadcast.listeners(), 0);
    waitFrames(3);
    stopConsole();
    ASSERT_FALSE(probe->bufferedKeys.empty());
    EXPECT_EQ(probe->bufferedKeys.back().id, OAPI_KEY_LCONTROL);
    EXPECT_EQ(probe->bufferedKeys.back().event, 0);
    EXPECT_FALSE(cockpit().keyHeld(OAPI_KEY_LCONTROL));
}

// What another site's page, or a page of a name rebound to this machine,
// can send from the user's browser, and what a program without the token
// sends: each is refused with its reason before it reaches the console.
TEST_F(ConsoleHttpApiTest, RequestsFromOthersAreRefusedAndChangeNothing) {
    const std::string host = "Host: 127.0.0.1:" + std::to_string(port) + "\r\n";
    const std::string cookie = "Cookie: okul_token_" + std::to_string(port) + "=" + kToken + "\r\n";
    const std::string header = std::string(okulsim::RequestAdmission::tokenHeader) + ": " + kToken + "\r\n";
    const auto form = [](const std::string &body) {
        return "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
               std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    };
    const struct {
        const char *attack;
        std::string request;
        const char *reason;
    } attacks[] = {
        {"cross-site form post",
         "POST /api/click HTTP/1.1\r\n" + host + "Origin: http://evil.example\r\n" + form("area=51"),
         "another site"},
        {"cross-site form post, with the cookie an old browser sends",
         "POST /api/type HTTP/1.1\r\n" + host + cookie + "Origin: http://evil.example\r\n" + form("text=HLP"),
         "another site"},
        {"text/plain post",
         "POST /api/type?text=HLP HTTP/1.1\r\n" + host + cookie +
             "Origin: http://evil.example\r\nSec-Fetch-Site: cross-site\r\nContent-Type: text/plain\r\n"
             "Content-Length: 8\r\nConnection: close\r\n\r\ntext=HLP",
         "another site"},
        {"a page of another port of this machine",
         "POST /api/warp HTTP/1.1\r\n" + host + cookie + "Sec-Fetch-Site: same-site\r\n" + form("factor=100"),
         "same-site request"},
        {"a sandboxed page",
         "POST /api/pause HTTP/1.1\r\n" + host + cookie + "Origin: null\r\n" + form("on=1"), "another site"},
        {"no token", "POST /api/type HTTP/1.1\r\n" + host + form("text=HLP"), "no token"},
        {"wrong token in the header",
         "POST /api/type HTTP/1.1\r\n" + host + okulsim::RequestAdmission::tokenHeader +
             ": test-token_0123456788\r\n" + form("text=HLP"),
         "wrong token"},
        {"wrong cookie",
         "POST /api/panel HTTP/1.1\r\n" + host + "Cookie: okul_token_" + std::to_string(port) + "=guess\r\n" +
             form("id=2"),
         "wrong token"},
        {"the token of the address on an API request",
         "POST /api/type?token=" + std::string(kToken) + " HTTP/1.1\r\n" + host + form("text=HLP"),
         "no token"},
        {"the page without the token", "GET / HTTP/1.1\r\n" + host + "Connection: close\r\n\r\n", "no token"},
        {"rebinding Host",
         "GET /api/text?area=51 HTTP/1.1\r\nHost: evil.example:" + std::to_string(port) + "\r\n" + cookie +
             "Connection: close\r\n\r\n",
         "is not this console's address"},
        {"rebinding Host, another port",
         "POST /api/type HTTP/1.1\r\nHost: 127.0.0.1:1\r\n" + header + form("text=A"),
         "is not this console's address"},
        {"no Host", "GET /api/state HTTP/1.0\r\n" + header + "\r\n", "no Host header"},
        {"a GET that changes state",
         "GET /api/type?text=HLP HTTP/1.1\r\n" + host + cookie + "Connection: close\r\n\r\n", "POSTs only"},
        {"a HEAD that changes state",
         "HEAD /api/warp?factor=100 HTTP/1.1\r\n" + host + header + "Connection: close\r\n\r\n", ""},
        {"PUT", "PUT /api/type HTTP/1.1\r\n" + host + header + form("text=HLP"), "method PUT"},
    };
    for (const auto &attack : attacks) {
        const RawAnswer answer = rawExchange(port, attack.request);
        EXPECT_EQ(answer.status, 403) << attack.attack << ":\n" << answer.head;
        EXPECT_NE(answer.body.find(attack.reason), std::string::npos) << attack.attack << ": " << answer.body;
        EXPECT_EQ(answer.head.find("Set-Cookie"), std::string::npos) << attack.attack;
    }

    const Json stats = Json::parse(client->Get("/api/stats")->body);
    EXPECT_EQ(stats["refused"], Json::parse(R"({"host": 3, "method": 3, "site": 5, "token": 5})")) << stats;
    expectUnchangedAndStop();
    EXPECT_EQ(probe->loads, std::vector<int>({0}));
}

// The user's page: opened with the token in its address, it gets the
// cookie its requests then carry; its own requests (same origin, by any of
// this machine's names) are served, and a refused request does not upset
// the next one on a kept-alive connection.
TEST_F(ConsoleHttpApiTest, ThePageOpenedWithTheTokenIsServed) {
    const std::string port_ = std::to_string(port);
    RawAnswer page =
        rawExchange(port, "GET /?token=" + std::string(kToken) + " HTTP/1.1\r\nHost: 127.0.0.1:" + port_ +
                              "\r\nSec-Fetch-Site: none\r\nConnection: close\r\n\r\n");
    EXPECT_EQ(page.status, 200) << page.head;
    EXPECT_NE(page.body.find("<html"), std::string::npos);
    EXPECT_NE(page.head.find("Set-Cookie: okul_token_" + port_ + "=" + kToken +
                             "; Path=/; HttpOnly; SameSite=Strict"),
              std::string::npos)
        << page.head;

    const std::string cookie = "Cookie: other=1; okul_token_" + port_ + "=" + kToken + "\r\n";
    for (const std::string &host : {"127.0.0.1:" + port_, "localhost:" + port_, "LocalHost:" + port_}) {
        const RawAnswer click = rawExchange(
            port, "POST /api/click HTTP/1.1\r\nHost: " + host + "\r\n" + cookie + "Origin: http://" + host +
                      "\r\nSec-Fetch-Site: same-origin\r\nContent-Type: application/x-www-form-urlencoded\r\n"
                      "Content-Length: 7\r\nConnection: close\r\n\r\narea=11");
        EXPECT_EQ(click.status, 200) << host << ": " << click.body;
        const RawAnswer picture = rawExchange(port, "GET /api/view.png HTTP/1.1\r\nHost: " + host + "\r\n" +
                                                        cookie + "Connection: close\r\n\r\n");
        EXPECT_EQ(picture.status, 200) << host;
        EXPECT_EQ(picture.body.compare(1, 3, "PNG"), 0) << host;
    }

    httplib::Client stranger("127.0.0.1", port);
    EXPECT_EQ(status(stranger.Post("/api/type", "text=A", "application/x-www-form-urlencoded")), 403);
    stranger.set_default_headers({{okulsim::RequestAdmission::tokenHeader, kToken}});
    EXPECT_EQ(status(stranger.Post("/api/type", "text=A", "application/x-www-form-urlencoded")), 200);
    EXPECT_EQ(status(stranger.Get("/api/state")), 200);
    waitFrames(2);
    stopConsole();
    EXPECT_EQ(probe->mouse.size(), 3u);
    ASSERT_EQ(probe->bufferedKeys.size(), 2u);
    EXPECT_EQ(probe->bufferedKeys[0].id, OAPI_KEY_A);
}

TEST(RequestAdmissionTokens, MadeTokensAreLongAndRandomAndGivenOnesFitAnAddress) {
    const std::string first = okulsim::RequestAdmission::makeToken(),
                      second = okulsim::RequestAdmission::makeToken();
    EXPECT_EQ(first.size(), 2 * okulsim::RequestAdmission::tokenBytes);
    EXPECT_GE(okulsim::RequestAdmission::tokenBytes * 8, 128u);
    EXPECT_EQ(first.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_NE(first, second);
    std::string error;
    EXPECT_TRUE(okulsim::RequestAdmission::checkToken("a-Z_0.9~", error));
    for (const std::string &bad :
         {std::string(), std::string("a b"), std::string("a;b"), std::string("a%20"), std::string(129, 'a')})
        EXPECT_FALSE(okulsim::RequestAdmission::checkToken(bad, error)) << bad;
}

// Each open page holds a server thread with its event stream; past the
// limit a page is turned away, and the API is still answered.
TEST_F(ConsoleHttpApiTest, OpenPagesLeaveThreadsForTheApi) {
    std::atomic<bool> leave{false};
    std::vector<std::thread> pages;
    for (int i = 0; i < okulsim::ConsoleHttpApi::eventStreamLimit; ++i)
        pages.emplace_back([this, &leave] {
            httplib::Client page("127.0.0.1", port);
            page.set_default_headers({{okulsim::RequestAdmission::tokenHeader, kToken}});
            page.Get("/api/events", [&leave](const char *, std::size_t) { return !leave.load(); });
        });
    for (int i = 0; i < 500 && broadcast.listeners() < okulsim::ConsoleHttpApi::eventStreamLimit; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_EQ(broadcast.listeners(), okulsim::ConsoleHttpApi::eventStreamLimit);
    EXPECT_EQ(status(client->Get("/api/events")), 503);
    EXPECT_EQ(errorText(), "already 16 pages open");
    EXPECT_EQ(status(post("/api/type", {{"text", "A"}})), 200);
    EXPECT_EQ(status(client->Get("/api/state")), 200);
    leave = true;
    for (std::thread &page : pages) page.join();
}

TEST_F(ConsoleHttpApiTest, PicturesAsChangesFollowThePagesStates) {
    // A page listening, so that states (and their changes) are published.
    okulsim::StateBroadcast::Listener page(broadcast);
    std::string json;
    auto nextSerial = [&] {
        EXPECT_TRUE(page.next(json, std::chrono::milliseconds(5000)));
        return Json::parse(json)["serial"].get<unsigned long long>();
    };
    const unsigned long long first = nextSerial();
    auto whole = client->Get("/api/picture?since=0");
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->status, 200);
    EXPECT_EQ(whole->get_header_value("X-Picture-Since"), "0");
    EXPECT_GE(std::stoull(whole->get_header_value("X-Picture-Serial")), first);
    EXPECT_EQ(whole->get_header_value("X-Picture-Pieces"), "[[0,0,1280,960,0,0]]");
    EXPECT_EQ(pngSize(whole->body), std::make_pair(1280, 960));

    // The next states' changes: area 10 is redrawn every frame with a new count.
    const unsigned long long since = nextSerial();
    const unsigned long long serial = nextSerial();
    const std::string path =
        "/api/picture?since=" + std::to_string(since) + "&serial=" + std::to_string(serial);
    auto changes = client->Get(path.c_str());
    ASSERT_TRUE(changes);
    EXPECT_EQ(changes->get_header_value("X-Picture-Since"), std::to_string(since));
    EXPECT_EQ(changes->get_header_value("X-Picture-Serial"), std::to_string(serial));
    const Json pieces = Json::parse(changes->get_header_value("X-Picture-Pieces"));
    ASSERT_TRUE(pieces.is_array());
    ASSERT_FALSE(pieces.empty());
    const std::pair<int, int> size = pngSize(changes->body);
    for (const Json &piece : pieces) {
        ASSERT_EQ(piece.size(), 6u);
        EXPECT_LE(piece[0].get<int>() + piece[2].get<int>(), 1280);
        EXPECT_LE(piece[4].get<int>() + piece[2].get<int>(), size.first);
        EXPECT_LE(piece[5].get<int>() + piece[3].get<int>(), size.second);
    }
    EXPECT_LT(changes->body.size(), whole->body.size() / 10);
    // The same request again is the same picture (encoded once).
    EXPECT_EQ(client->Get(path.c_str())->body, changes->body);

    // A state the history never had: the whole window instead.
    auto lost = client->Get("/api/picture?since=1234567&serial=1234568");
    ASSERT_TRUE(lost);
    EXPECT_EQ(lost->get_header_value("X-Picture-Since"), "0");
    EXPECT_EQ(status(client->Get("/api/picture?since=x")), 400);
    EXPECT_NE(errorText().find("parameter \"since\""), std::string::npos) << errorText();
    const Json stats = Json::parse(client->Get("/api/stats")->body);
    EXPECT_GE(stats["sent"]["pictures"].get<int>(), 4);
    EXPECT_GT(stats["changeUpdates"]["count"].get<int>(), 0);
}

TEST_F(ConsoleHttpApiTest, TheMapShowsThePathAboutTheReferenceBody) {
    auto result = client->Get("/api/map");
    ASSERT_TRUE(result);
    const Json map = Json::parse(result->body);
    // The probe's low Earth orbit: one turn of its ellipse about the Earth,
    // the periapsis on it, no program run.
    EXPECT_EQ(map["body"]["name"], "Earth");
    EXPECT_NEAR(map["days"].get<double>(), 5553.0 / 86400.0, 0.01);
    ASSERT_TRUE(map["periapsis"].is_object()) << map;
    EXPECT_NEAR(map["periapsis"]["radiusKm"].get<double>(), 6771.0, 30.0);
    EXPECT_TRUE(map["target"].is_null());
    ASSERT_GT(map["path"].size(), 100u);
    for (const Json &point : map["path"])
        EXPECT_NEAR(std::hypot(point[0].get<double>(), point[1].get<double>()), 6771.0, 30.0);
}

TEST(PublishIntervalTest, StatesASecondBecomeFramesBetweenStates) {
    int frames = 0;
    const std::pair<double, int> rates[] = {{50.0, 1}, {50.0 / 3.0, 3}, {16.7, 3},
                                            {25.0, 2}, {1.0, 50},       {0.5, 100}};
    for (const auto &rate : rates) {
        ASSERT_TRUE(okulsim::publishInterval(rate.first, frames)) << rate.first;
        EXPECT_EQ(frames, rate.second) << rate.first;
    }
    for (double refused : {0.0, -1.0, 50.5, std::nan("")})
        EXPECT_FALSE(okulsim::publishInterval(refused, frames));
}
