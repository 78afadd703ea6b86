#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace runtime {

enum class ErrorKind { Overflow, FloatError, ControlFailure };

// A runtime error raised inside an event handler: what went wrong and where. It travels as an
// exception to the event binding, the one place that reports it.
class RuntimeError : public std::exception {
public:
    // `operation` names what failed ("constant 1/3"); `inputCaption` is the caption of the
    // input box that was being read, or empty; `report` is what the user is told, by default
    // the error's name and the operation.
    RuntimeError(ErrorKind kind, std::string operation, std::string inputCaption = {},
                 std::string report = {});

    ErrorKind kind() const noexcept { return m_kind; }
    const std::string &operation() const noexcept { return m_operation; }
    const std::string &inputCaption() const noexcept { return m_inputCaption; }

    // Returns the report shown to the user.
    const char *what() const noexcept override { return m_report.c_str(); }

private:
    ErrorKind m_kind;
    std::string m_operation;
    std::string m_inputCaption;
    std::string m_report;
};

// A 16-bit step of a formula: what it makes of two of the formula's inputs ("product"), and
// their positions in the order the inputs are read.
struct Step {
    std::string_view name;
    int first;
    int second;
};

// The overflow of a 16-bit step. The formula knows its inputs only by position; the page that
// read them names them before the report is shown.
class StepOverflow : public RuntimeError {
public:
    explicit StepOverflow(const Step &step);

    const std::string &step() const noexcept { return operation(); }
    int first() const noexcept { return m_first; }
    int second() const noexcept { return m_second; }

private:
    int m_first;
    int m_second;
};

// Returns the error's name as the report shows it ("Overflow").
std::string errorName(ErrorKind kind);

// The reports of an input out of range and of a step out of range, in the user's words:
// '"Enter Radius": 40000 is outside the range -32768 to 32767.' and
// 'The product of "Enter base Area" and "Enter Height" is outside the range -32768 to 32767.'
std::string inputOverflowReport(std::string_view caption, double number);
std::string stepOverflowReport(std::string_view step, std::string_view firstCaption,
                               std::string_view secondCaption);

[[noreturn]] void raiseOverflow(std::string operation);
[[noreturn]] void raiseOverflow(const Step &step);
[[noreturn]] void raiseFloatError(std::string operation);
[[noreturn]] void raiseControlFailure(std::string operation);

} // namespace runtime
