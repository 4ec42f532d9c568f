#include "RequestAdmission.h"

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <sys/random.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <stdexcept>

namespace okulsim {

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char ch) { return char(std::tolower(ch)); });
    return text;
}

// The value of a cookie in a Cookie header ("a=1; b=2"), or empty.
std::string cookieValue(const std::string &header, const std::string &name) {
    std::size_t at = 0;
    while (at < header.size()) {
        std::size_t end = header.find(';', at);
        if (end == std::string::npos) end = header.size();
        std::size_t begin = header.find_first_not_of(' ', at);
        if (begin < end) {
            const std::size_t equals = header.find('=', begin);
            if (equals < end && header.compare(begin, equals - begin, name) == 0)
                return header.substr(equals + 1, end - equals - 1);
        }
        at = end + 1;
    }
    return "";
}

// The Host values that name the address a request came to: the loopback
// names and that address itself (an IP literal, which a rebound DNS name is
// not), with the port; without it too on port 80.
bool servedHost(const std::string &host, const httplib::Request &request) {
    if (request.local_port <= 0) return false;
    const std::string port = ":" + std::to_string(request.local_port);
    const std::string local =
        lowered(request.local_addr.find(':') != std::string::npos ? "[" + request.local_addr + "]"
                                                                  : request.local_addr);
    for (const std::string &name :
         {std::string("localhost"), std::string("127.0.0.1"), std::string("[::1]"), local}) {
        if (name.empty() || name == "[]") continue;
        if (host == name + port || (request.local_port == 80 && host == name)) return true;
    }
    return false;
}

}  // namespace

std::string RequestAdmission::makeToken() {
    unsigned char bytes[tokenBytes];
    std::size_t filled = 0;
    while (filled < tokenBytes) {
        const ssize_t got = getrandom(bytes + filled, tokenBytes - filled, 0);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error("no random source for the console's token");
        }
        filled += std::size_t(got);
    }
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

bool RequestAdmission::checkToken(const std::string &token, std::string &error) {
    const bool shaped = !token.empty() && token.size() <= 128 &&
                        token.find_first_not_of(
                            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                            "0123456789-_.~") == std::string::npos;
    if (!shaped) error = "a token is 1 to 128 letters, digits, '-', '_', '.' or '~'";
    return shaped;
}

RequestAdmission::RequestAdmission(std::string token) : token_(std::move(token)) {
    for (auto &count : refused_) count.store(0);
}

RequestAdmission::Verdict RequestAdmission::refuse(Refusal kind, std::string reason) {
    ++refused_[std::size_t(kind) - 1];
    Verdict verdict;
    verdict.refusal = kind;
    verdict.reason = std::move(reason);
    return verdict;
}

// Compares in a time that does not depend on where the texts differ.
bool RequestAdmission::tokenMatches(const std::string &candidate) const {
    if (candidate.size() != token_.size()) return false;
    unsigned char difference = 0;
    for (std::size_t i = 0; i < token_.size(); ++i) difference |= (candidate[i] ^ token_[i]);
    return difference == 0;
}

RequestAdmission::Verdict RequestAdmission::judge(const httplib::Request &request) {
    // Another name for this address is a page of another site that had
    // its name point here.
    const std::string host = lowered(request.get_header_value("Host"));
    if (!servedHost(host, request))
        return refuse(Refusal::Host, host.empty() ? "no Host header"
                                                  : "Host \"" + host + "\" is not this console's address");

    const bool post = request.method == "POST";
    if (!post && request.method != "GET" && request.method != "HEAD")
        return refuse(Refusal::Method, "method " + request.method + " is not served");
    if (!post && stateChanges_.count(request.path) != 0)
        return refuse(Refusal::Method, "state changes are POSTs only");

    // A browser names the page a request comes from; only the console's own.
    if (request.has_header("Origin") && lowered(request.get_header_value("Origin")) != "http://" + host)
        return refuse(Refusal::Site,
                      "a request from another site (Origin " + request.get_header_value("Origin") + ")");
    if (request.has_header("Sec-Fetch-Site")) {
        const std::string site = request.get_header_value("Sec-Fetch-Site");
        if (site != "same-origin" && site != "none") return refuse(Refusal::Site, "a " + site + " request");
    }

    // The token: for the page, from its address first (a cookie of an
    // earlier run may still be there); then the header; then the cookie.
    const std::string cookieName = cookiePrefix + std::to_string(request.local_port);
    const bool page = !post && request.path == "/" && request.has_param(tokenParameter);
    std::string given;
    if (page)
        given = request.get_param_value(tokenParameter);
    else if (request.has_header(tokenHeader))
        given = request.get_header_value(tokenHeader);
    else
        given = cookieValue(request.get_header_value("Cookie"), cookieName);
    if (given.empty())
        return refuse(Refusal::Token, "no token: open the address okulsim serve printed, or send the " +
                                          std::string(tokenHeader) + " header");
    if (!tokenMatches(given)) return refuse(Refusal::Token, "wrong token");

    Verdict admitted;
    if (page) admitted.setCookie = cookieName + "=" + token_ + "; Path=/; HttpOnly; SameSite=Strict";
    return admitted;
}

std::string RequestAdmission::refusalsJson() const {
    const nlohmann::json counts{{"host", refused_[0].load()},
                                {"method", refused_[1].load()},
                                {"site", refused_[2].load()},
                                {"token", refused_[3].load()}};
    return counts.dump();
}

}  // namespace okulsim
