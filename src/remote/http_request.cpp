#include "remote/http_request.h"

#include <algorithm>
#include <cctype>

namespace kv::remote {
namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::ranges::transform(out, out.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool IsTokenChar(unsigned char c) {
    return std::isalnum(c) != 0 ||
           std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

// A comma-separated header value names this word, in any case.
bool HasToken(std::string_view value, std::string_view word) {
    while (!value.empty()) {
        const std::size_t comma = value.find(',');
        if (Lower(Trim(value.substr(0, comma))) == word) {
            return true;
        }
        value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
    }
    return false;
}

namespace {

ReadResult Fail(int status, std::string reason) {
    return {ReadState::Failed, status, std::move(reason)};
}

// "METHOD /target HTTP/1.x"; the minor version goes to minor.
bool ReadRequestLine(std::string_view line, HttpRequest& out, int& minor) {
    const std::size_t a = line.find(' ');
    const std::size_t b = a == std::string_view::npos ? a : line.find(' ', a + 1);
    if (b == std::string_view::npos || line.find(' ', b + 1) != std::string_view::npos) {
        return false;
    }
    const std::string_view method = line.substr(0, a);
    const std::string_view target = line.substr(a + 1, b - a - 1);
    const std::string_view version = line.substr(b + 1);
    if (method.empty() || method.size() > 16 ||
        !std::ranges::all_of(method, [](unsigned char c) { return c >= 'A' && c <= 'Z'; })) {
        return false;
    }
    if (target.empty() || target.front() != '/' ||
        !std::ranges::all_of(target, [](unsigned char c) { return c > 0x20 && c < 0x7F; })) {
        return false;
    }
    if (version != "HTTP/1.1" && version != "HTTP/1.0") {
        return false;
    }
    minor = version.back() - '0';
    out.Method = method;
    out.Target = target.substr(0, target.find('?'));
    return true;
}

bool ReadHeaderLine(std::string_view line, HttpRequest& out) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos) {
        return false;
    }
    const std::string_view name = line.substr(0, colon);
    const std::string_view value = Trim(line.substr(colon + 1));
    if (!std::ranges::all_of(name, IsTokenChar) ||
        !std::ranges::all_of(value, [](unsigned char c) { return c >= 0x20 || c == '\t'; })) {
        return false;
    }
    out.Headers.emplace_back(Lower(name), std::string(value));
    return true;
}

}  // namespace

const std::string* HttpRequest::Header(std::string_view name) const {
    for (const auto& [key, value] : Headers) {
        if (key == name) {
            return &value;
        }
    }
    return nullptr;
}

ReadResult RequestReader::Next(HttpRequest& out) {
    if (failed_) {
        return Fail(400, "the connection is closing");
    }
    const std::size_t from = scanned_ >= 3 ? scanned_ - 3 : 0;
    const std::size_t end = buffer_.find("\r\n\r\n", from);
    if (end == std::string::npos) {
        scanned_ = buffer_.size();
        if (buffer_.size() > kMaxHeaderBytes) {
            failed_ = true;
            return Fail(431, "the request headers are too large");
        }
        return {};
    }
    const std::size_t headerBytes = end + 4;
    if (headerBytes > kMaxHeaderBytes) {
        failed_ = true;
        return Fail(431, "the request headers are too large");
    }

    HttpRequest request;
    int minor = 1;
    std::string_view block(buffer_.data(), end);
    bool first = true;
    while (true) {
        const std::size_t cut = block.find("\r\n");
        const std::string_view line = block.substr(0, cut);
        const bool ok =
            first ? ReadRequestLine(line, request, minor) : ReadHeaderLine(line, request);
        if (!ok) {
            failed_ = true;
            return Fail(400, first ? "malformed request line" : "malformed header");
        }
        first = false;
        if (cut == std::string_view::npos) {
            break;
        }
        block.remove_prefix(cut + 2);
    }

    if (request.Header("transfer-encoding") != nullptr) {
        failed_ = true;
        return Fail(400, "chunked bodies are not taken; send Content-Length");
    }
    std::size_t length = 0;
    int lengths = 0;
    for (const auto& [name, value] : request.Headers) {
        if (name != "content-length") {
            continue;
        }
        if (++lengths > 1 || value.empty() ||
            !std::ranges::all_of(value, [](unsigned char c) { return std::isdigit(c) != 0; })) {
            failed_ = true;
            return Fail(400, "bad Content-Length");
        }
        if (value.size() > 9 || std::stoul(value) > kMaxBodyBytes) {
            failed_ = true;
            return Fail(413, "the body is over 4 KiB");
        }
        length = std::stoul(value);
    }
    if (buffer_.size() < headerBytes + length) {
        scanned_ = end;  // the header end is known; only the body is awaited
        return {};
    }

    request.Body = buffer_.substr(headerBytes, length);
    const std::string* connection = request.Header("connection");
    const bool close = connection != nullptr && HasToken(*connection, "close");
    const bool keep = connection != nullptr && HasToken(*connection, "keep-alive");
    request.KeepAlive = minor == 1 ? !close : keep;
    request.Size = headerBytes + length;
    buffer_.erase(0, request.Size);
    scanned_ = 0;
    out = std::move(request);
    return {ReadState::Complete, 0, {}};
}

}  // namespace kv::remote
