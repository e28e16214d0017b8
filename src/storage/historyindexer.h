#pragma once

// Reads the records of a history file into a catalogue, as the history view's reader reads
// them: a record's domains, keywords, hits and top tens, and the failure (a "pos: " that is not
// a 16-bit number, an option number out of range, more than 32767 entries of one list) that
// ends the reading of a record. Not part of the storage layer's interface.

#include "historycatalogue.h"

#include <functional>

class QIODevice;

namespace historyindex {

// Reads in from its present position, which must be the start of the file or of a record's
// separator line, at most limit bytes (all when negative); start is that position's offset in
// the file. Records are added after those the catalogue holds. started runs at the first
// separator line.
void readrecords(Catalogue &catalogue, QIODevice &in, qint64 start, qint64 limit,
                 const std::function<void()> &started = {});

} // namespace historyindex
