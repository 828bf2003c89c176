// The command line's answer to an interruption: Ctrl+C, a kill, a closed
// terminal or console remove the temporary files and staging folders of the
// run before the process ends as it would have; a file-size limit makes a
// write fail with its reason instead of killing the process. Only the
// program installs these: the library's other callers have their own event
// handling.
#pragma once

namespace tw::cli {

void InstallInterruptHandlers();

}  // namespace tw::cli
