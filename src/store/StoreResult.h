#pragma once
// What a write into the stores returns: nothing when it worked, else why it did not.

#include <optional>
#include <string>
#include <utility>

namespace store {

struct StoreError {
    int number = 0;     // the errno of the call that failed; 0 when no call failed
    std::string path;   // the file or folder it concerned
    std::string reason; // for the user: the system's words ("No space left on device"),
                        // after what could not be done when that is not the write itself

    // "<path>: <reason>"; a reason with no error number says what the path itself is
    // not: "<path> is not a folder of this user".
    std::string message() const { return path + (number != 0 ? ": " : " ") + reason; }
};

// Builds the error of a failed call from its errno: the reason is the system's words,
// after doing and ": " when doing is given.
StoreError SystemError(int number, std::string path, const std::string& doing = {});

class StoreResult {
public:
    StoreResult() = default; // it worked
    StoreResult(StoreError error) : error_(std::move(error)) {}

    explicit operator bool() const { return !error_; }
    // Only for a result that failed.
    const StoreError& error() const { return *error_; }

private:
    std::optional<StoreError> error_;
};

} // namespace store
