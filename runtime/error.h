#pragma once

#include <exception>
#include <string>

namespace runtime {

enum class ErrorKind { Overflow, FloatError, ControlFailure };

// A runtime error raised inside an event handler: what went wrong and where. It travels as an
// exception to the event binding, the one place that reports it.
class RuntimeError : public std::exception {
public:
    // `operation` names what failed ("pyramid product B x H", "constant 1/3");
    // `inputCaption` is the caption of the input box that was being read, or empty.
    RuntimeError(ErrorKind kind, std::string operation, std::string inputCaption = {});

    ErrorKind kind() const noexcept { return m_kind; }
    const std::string &operation() const noexcept { return m_operation; }
    const std::string &inputCaption() const noexcept { return m_inputCaption; }

    // Returns the report shown to the user: the error's name, then what raised it.
    const char *what() const noexcept override { return m_report.c_str(); }

private:
    ErrorKind m_kind;
    std::string m_operation;
    std::string m_inputCaption;
    std::string m_report;
};

// Returns the error's name as the report shows it ("Overflow").
std::string errorName(ErrorKind kind);

[[noreturn]] void raiseOverflow(std::string operation);
[[noreturn]] void raiseFloatError(std::string operation);
[[noreturn]] void raiseControlFailure(std::string operation);

} // namespace runtime
