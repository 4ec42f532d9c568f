// Who may use the live console: only the user who started it. Every
// request must name this machine's address (no DNS rebinding), come from
// the console's own page or a program (not from another site's page in the
// same browser), change state only by POST, and carry the run's token: in
// a header, in the cookie the page gets, or, for the page itself, in the
// address `okulsim serve` prints. A refused request gets a 403 with the
// reason before any route sees it, and is counted.
#pragma once

#include <array>
#include <atomic>
#include <set>
#include <string>

namespace httplib {
struct Request;
}

namespace okulsim {

class RequestAdmission {
public:
    // The header a program sends the token in, the page address's parameter
    // and the cookie's name (followed by the port: cookies do not keep
    // consoles on different ports apart).
    static constexpr const char *tokenHeader = "X-Okul-Token";
    static constexpr const char *tokenParameter = "token";
    static constexpr const char *cookiePrefix = "okul_token_";
    // Random bytes in a made token (shown as twice as many hex digits).
    static constexpr std::size_t tokenBytes = 24;

    enum class Refusal { None, Host, Method, Site, Token };
    static constexpr std::size_t refusalKinds = 4;

    // A token of `tokenBytes` from the system's random source; throws
    // std::runtime_error when there is none.
    static std::string makeToken();
    // Whether a token given by the user can be used: 1 to 128 letters,
    // digits, '-', '_', '.' or '~' (it goes into an address and a cookie as
    // it is).
    static bool checkToken(const std::string &token, std::string &error);

    explicit RequestAdmission(std::string token);

    // A path that only POST may use; any other method on it is refused.
    void addStateChange(const std::string &path) { stateChanges_.insert(path); }

    struct Verdict {
        Refusal refusal = Refusal::None;
        std::string reason;
        // A cookie to set: the page was asked for with the token in its
        // address.
        std::string setCookie;
    };
    // Judges a request (its method, path, headers and query; the body is
    // not read yet) and counts a refusal.
    Verdict judge(const httplib::Request &request);

    // The refusals so far, by kind, as JSON.
    std::string refusalsJson() const;

private:
    Verdict refuse(Refusal kind, std::string reason);
    bool tokenMatches(const std::string &candidate) const;

    std::string token_;
    std::set<std::string> stateChanges_;
    std::array<std::atomic<unsigned long>, refusalKinds> refused_{};
};

}  // namespace okulsim
