// Failures of the SQLite layer, carrying SQLite's own message and result code.
#pragma once

#include <stdexcept>
#include <string>

namespace tavix::sqlite {

class Error : public std::runtime_error {
public:
    Error(int code, const std::string& message)
        : std::runtime_error(message)
        , code_(code)
    {
    }
    int Code() const noexcept { return code_; }

private:
    int code_;
};

}  // namespace tavix::sqlite
