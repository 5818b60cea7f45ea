#include "EventDispatch.h"

#include "Error.h"
#include "StandardError.h"
#include "Texts.h"

namespace Brisvane {
namespace {

std::pair<std::string, std::string> KindAndDetail(const std::exception& error)
{
    const auto* known = dynamic_cast<const Error*>(&error);
    if (known == nullptr)
        return {Texts::UnexpectedError, error.what()};
    return {known->Kind() == ErrorKind::TypeMismatch ? Texts::TypeMismatch : Texts::Overflow, known->Detail()};
}

}  // namespace

UnhandledErrorReport ReportOf(const std::exception& error)
{
    auto [kind, detail] = KindAndDetail(error);
    std::string message = kind + ": " + detail + ".";
    return UnhandledErrorReport{std::move(kind), std::move(message), Texts::ProgramCloses};
}

std::string ReportLine(const std::exception& error)
{
    const auto [kind, detail] = KindAndDetail(error);
    return Texts::StandardErrorPrefix + kind + ": " + detail + "\n";
}

void ReportUnhandledError(const std::exception& error, const std::function<void(const UnhandledErrorReport&)>& show)
{
    // Standard error may be closed, a file, or a pipe nobody reads: the
    // line is a courtesy to a terminal, and the modal report is what
    // counts, so a failed write changes nothing.
    WriteToStandardError(ReportLine(error));
    show(ReportOf(error));
}

}  // namespace Brisvane
