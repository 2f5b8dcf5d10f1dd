#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// HTTP/1.1 requests read from a byte stream as it arrives, bounded: the request line and
// headers within 8 KiB, a Content-Length body of at most 4 KiB, decided from the length
// before the body is read. Chunked bodies are refused; nothing here needs them.

namespace kv::remote {

inline constexpr std::size_t kMaxHeaderBytes = 8 * 1024;
inline constexpr std::size_t kMaxBodyBytes = 4 * 1024;

struct HttpRequest {
    std::string Method;
    std::string Target;                                        // the path, without its query
    std::vector<std::pair<std::string, std::string>> Headers;  // names in lower case
    std::string Body;
    bool KeepAlive = true;
    std::size_t Size = 0;  // bytes of the stream this request took

    // The value of the header, or null; names are given in lower case.
    const std::string* Header(std::string_view name) const;
};

// A comma-separated header value (Connection, Upgrade) names this lower-case word.
bool HasToken(std::string_view value, std::string_view word);

enum class ReadState { Complete, NeedMore, Failed };

struct ReadResult {
    ReadState State = ReadState::NeedMore;
    int Status = 0;      // when failed: the status to answer with before closing
    std::string Reason;  // when failed
};

class RequestReader {
public:
    void Feed(std::string_view bytes) { buffer_.append(bytes); }
    std::size_t Buffered() const { return buffer_.size(); }

    // The next whole request, taken off the buffer; after a failure the stream cannot be
    // trusted and nothing more is read from it.
    ReadResult Next(HttpRequest& out);

private:
    std::string buffer_;
    std::size_t scanned_ = 0;  // where the search for the header end goes on
    bool failed_ = false;
};

}  // namespace kv::remote
