#pragma once

namespace Brisvane {

// Makes standard input, output and error safe to use before anything else
// opens a file. A descriptor among 0, 1 and 2 that the program was started
// without is opened on /dev/null: otherwise the next file the program opens
// (the X connection, say) would take its number, and the error line meant
// for standard error would be written into it. A pipe whose reader has gone
// then fails a write with EPIPE instead of killing the process before the
// user has seen anything.
void ProtectStandardStreams() noexcept;

}  // namespace Brisvane
