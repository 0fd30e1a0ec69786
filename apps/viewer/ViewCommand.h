#pragma once
// glv view [SOURCE] [--events] [--timing] [--frames N]: the control in a window.

namespace glv::viewer {

// SOURCE is a scenario file (.json: its size, properties and steps run, then the user has the
// control), a folder (a file-manager listing), or a CSV or TSV file; without it the showcase's
// file-manager list. Returns the exit status: 0 closed normally, 1 the window or the data
// failed, 2 bad arguments or a source that cannot be read.
int RunViewCommand(int argc, char** argv);

}  // namespace glv::viewer
