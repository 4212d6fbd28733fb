#pragma once

// mvstool's exit statuses; scripts rely on them.
enum ExitStatus : int {
    ExitSuccess = 0,
    // check found problems, or build refused a value the editor would refuse.
    ExitRefused = 1,
    // A usage error, or a file that cannot be read or written.
    ExitFailure = 2,
};
