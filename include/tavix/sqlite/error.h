// Failures of the SQLite layer, carrying SQLite's own message.
#pragma once

#include <stdexcept>
#include <string>

namespace tavix::view {

class SqliteError : public std::runtime_error {
public:
    SqliteError(int code, const std::string& message)
        : std::runtime_error(message)
        , code_(code)
    {
    }
    int Code() const noexcept { return code_; }

private:
    int code_;
};

}  // namespace tavix::view
