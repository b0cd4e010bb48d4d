// The outcome of one file operation: success, or the system's error number,
// which callers turn into the reason they show after their own message.
#pragma once

#include <cerrno>
#include <cstring>
#include <string>

namespace tandel {

class [[nodiscard]] IoStatus {
public:
    IoStatus() = default;
    static IoStatus failure(int error) { return IoStatus(error == 0 ? kUnknownError : error); }

    bool ok() const { return error_ == 0; }
    explicit operator bool() const { return ok(); }
    int error() const { return error_; }
    // The system's text for the error, such as "No space left on device".
    // ESTALE is what a file changed under its mapping reports.
    std::string reason() const {
        if (error_ == ESTALE) {
            return "the file changed while it was read";
        }
        return ok() ? std::string() : std::strerror(error_);
    }

private:
    // A failure that left no error number still must not read as success.
    static constexpr int kUnknownError = 5; // EIO
    explicit IoStatus(int error) : error_(error) {}
    int error_ = 0;
};

// "text: reason" for messages that name what failed and why.
inline std::string withReason(const std::string& text, const IoStatus& status) {
    return status.ok() ? text : text + ": " + status.reason();
}

} // namespace tandel
