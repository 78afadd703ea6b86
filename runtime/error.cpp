#include "runtime/error.h"

#include "runtime/numbers.h"

#include <utility>

namespace runtime {

namespace {

const std::string range = " is outside the range " + std::to_string(integerMin) + " to " +
                          std::to_string(integerMax) + ".";

std::string quoted(std::string_view caption) {
    return "\"" + std::string(caption) + "\"";
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string operation, std::string inputCaption,
                           std::string report)
    : m_kind(kind)
    , m_operation(std::move(operation))
    , m_inputCaption(std::move(inputCaption))
    , m_report(report.empty() ? errorName(m_kind) + " in " + m_operation + "."
                              : std::move(report)) {}

StepOverflow::StepOverflow(const Step &step)
    : RuntimeError(ErrorKind::Overflow, std::string(step.name))
    , m_first(step.first)
    , m_second(step.second) {}

std::string errorName(ErrorKind kind) {
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::FloatError:
        return "Floating-point error";
    case ErrorKind::ControlFailure:
        return "Control call failed";
    }
    return "Error";
}

std::string inputOverflowReport(std::string_view caption, double number) {
    return quoted(caption) + ": " + numberText(number) + range;
}

std::string stepOverflowReport(std::string_view step, std::string_view firstCaption,
                               std::string_view secondCaption) {
    return "The " + std::string(step) + " of " + quoted(firstCaption) + " and " +
           quoted(secondCaption) + range;
}

void raiseOverflow(std::string operation) {
    throw RuntimeError(ErrorKind::Overflow, std::move(operation));
}

void raiseOverflow(const Step &step) {
    throw StepOverflow(step);
}

void raiseFloatError(std::string operation) {
    throw RuntimeError(ErrorKind::FloatError, std::move(operation));
}

void raiseControlFailure(std::string operation) {
    throw RuntimeError(ErrorKind::ControlFailure, std::move(operation));
}

} // namespace runtime
