// Errors raised by the grid and its value conversions.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tavix {

enum EGridError : int32_t {
    tvErrSubscript = 513,
    tvErrInvalidArgument = 514,
    tvErrDuplicateKey = 515,
    tvErrNoColumns = 516,
    tvErrTwoRowTextColumns = 517,
    tvErrImageList = 518,
    tvErrMaxWidthBelowMin = 519,
    tvErrWidthOutOfRange = 520,
    tvErrColumnAfterRowText = 521,
};

// Runtime error numbers the grid and its conversions raise.
enum ERuntimeError : int32_t {
    rtInvalidCall = 5,
    rtOverflow = 6,
    rtOutOfMemory = 7,
    rtSubscript = 9,
    rtDivisionByZero = 11,
    rtTypeMismatch = 13,
    rtObjectNotSet = 91,
    rtInvalidUseOfNull = 94,
    rtInvalidPropertyValue = 380,
    rtInvalidPropertyIndex = 381,
    rtObjectRequired = 424,
    rtNoSuchMember = 438,
    rtArgumentNotOptional = 449,
    rtWrongArguments = 450,
    rtInvalidClipboardFormat = 460,
    rtFormatMismatch = 461,
};

enum EErrorTimer : int32_t { eeBaseTimer = 13650, eeTooManyTimers = 13651, eeCantCreateTimer = 13652 };

// Offset of application-defined automation error numbers.
inline constexpr int32_t kObjectErrorBase = static_cast<int32_t>(0x80040000u);

class TavixError : public std::runtime_error {
public:
    TavixError(int32_t code, int32_t number, std::string source, std::string description);

    // Grid errors 513..521: number = object error base + code, source "Tavix".
    static TavixError Grid(int32_t code);
    // Runtime errors (6 Overflow, 13 Type mismatch, ...): number = code.
    static TavixError Runtime(int32_t number);
    // Timer errors; codes below 1001 are passed through as plain runtime numbers.
    static TavixError Timer(int32_t code);

    int32_t Code() const { return code_; }
    int32_t Number() const { return number_; }
    const std::string& Source() const { return source_; }
    const std::string& Description() const { return description_; }

private:
    int32_t code_;
    int32_t number_;
    std::string source_;
    std::string description_;
};

// Text of a runtime error number, or "" when unknown.
std::string RuntimeErrorText(int32_t number);

[[noreturn]] void RaiseGridError(int32_t code);

}  // namespace tavix
