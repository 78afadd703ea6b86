#include "runtime/error.h"

#include <utility>

namespace runtime {

namespace {

std::string buildReport(ErrorKind kind, const std::string &operation,
                        const std::string &inputCaption) {
    if (!inputCaption.empty()) {
        return errorName(kind) + ": the number in \"" + inputCaption +
               "\" must be a whole number in the range -32768 to 32767.";
    }
    return errorName(kind) + " in " + operation + ".";
}

} // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string operation, std::string inputCaption)
    : m_kind(kind)
    , m_operation(std::move(operation))
    , m_inputCaption(std::move(inputCaption))
    , m_report(buildReport(m_kind, m_operation, m_inputCaption)) {}

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

void raiseOverflow(std::string operation) {
    throw RuntimeError(ErrorKind::Overflow, std::move(operation));
}

void raiseFloatError(std::string operation) {
    throw RuntimeError(ErrorKind::FloatError, std::move(operation));
}

void raiseControlFailure(std::string operation) {
    throw RuntimeError(ErrorKind::ControlFailure, std::move(operation));
}

} // namespace runtime
