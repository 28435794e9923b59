// The temporary files of outputs not yet given their names, removed by every
// terminating signal that can be caught: the process then ends as that signal would.
#pragma once

namespace output {

// Notes a temporary file for removal on a signal; the text must stay as it is until
// ForgetTemporary. Any number can be noted. The first call installs the handlers, on
// every terminating signal that has no handler of its own yet.
void NoteTemporary(const char *path);
void ForgetTemporary(const char *path);

} // namespace output
