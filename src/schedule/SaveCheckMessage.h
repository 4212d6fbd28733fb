#pragma once

#include "SaveChecks.h"

class TextTable;

// The words of a failed save check, from the given text table: exactly what
// the message box shows, its lines broken with CRLF.
QString SaveCheckMessage(const SaveCheckFinding& finding, const TextTable& texts);
// The same lines broken with LF, for a terminal.
QString SaveCheckPlainMessage(const SaveCheckFinding& finding, const TextTable& texts);
