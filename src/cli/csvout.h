#pragma once

#include "export/csvexport.h"

#include <optional>

// Writes the lines as CSV to the file (as the window's export does) or, without one, to
// standard output; a failure is named on standard error. Returns the exit status.
int printcsv(const QList<csvexport::CsvLine> &lines, const std::optional<QString> &filename);
