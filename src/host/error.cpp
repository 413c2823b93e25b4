#include <tavix/error.h>

#include <utility>

namespace tavix {

namespace {

const char* GridErrorText(int32_t code)
{
    switch (code) {
    case 513: return "Subscript out of range.";
    case 514: return "Invalid procedure call or argument.";
    case 515: return "This key is already associated with an element of this collection.";
    case 516: return "Attempt to add rows with no columns.";
    case 517: return "Attempt to add more than one row text column.";
    case 518: return "This property expects an ImageList object or a long hImageList handle.";
    case 519: return "Column maximum width can not be less than its minimum width.";
    case 520: return "Column width can not be less than its minimum width or greater than its maximum width.";
    case 521: return "Attempt to add columns after the row text column.";
    default: return "";
    }
}

}  // namespace

std::string RuntimeErrorText(int32_t number)
{
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 91: return "Object variable or With block variable not set";
    case 94: return "Invalid use of Null";
    case 424: return "Object required";
    case 438: return "Object doesn't support this property or method";
    case 449: return "Argument not optional";
    case 460: return "Invalid Clipboard format";
    case 461: return "Specified format doesn't match format of data";
    default: return "";
    }
}

TavixError::TavixError(int32_t code, int32_t number, std::string source, std::string description)
    : std::runtime_error(description)
    , code_(code)
    , number_(number)
    , source_(std::move(source))
    , description_(std::move(description))
{
}

TavixError TavixError::Grid(int32_t code)
{
    return TavixError(code, kObjectErrorBase + code, "Tavix", GridErrorText(code));
}

TavixError TavixError::Runtime(int32_t number) { return TavixError(number, number, "Tavix", RuntimeErrorText(number)); }

TavixError TavixError::Timer(int32_t code)
{
    // Low numbers are the platform's own errors passed through untouched.
    if (code < 1001)
        return TavixError(code, code, "", "");
    std::string text;
    if (code == eeTooManyTimers)
        text = "No more than 10 timers allowed per class";
    else if (code == eeCantCreateTimer)
        text = "Can't create system timer";
    return TavixError(code, kObjectErrorBase + code, "Tavix.CTimer.WindowProc", std::move(text));
}

void RaiseGridError(int32_t code) { throw TavixError::Grid(code); }

}  // namespace tavix
