// Writing the records of a catalogue or result set in pieces of about one size: how the
// catalogue file and the CSV export hand their bytes on, so a save neither builds the whole
// file in memory nor writes each record on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/catalogue.h"

namespace tracklore {

/// Appends the bytes of each record of `set`, in slot order, to a piece that starts with
/// `head`, calling `append(piece, record)`; hands `sink` the piece whenever it has reached
/// `pieceSize` bytes, and the rest (possibly empty) at the end.
template <class Append, class Sink>
void WriteRecordPieces(const TTracklore& set, std::string head, size_t pieceSize, Append append,
                       Sink sink) {
    std::string piece = std::move(head);
    piece.reserve(2 * pieceSize);
    for (int slot = 0; slot < set.SlotEnd(); ++slot) {
        if (const TrackRecord* record = set.SlotRecord(slot)) {
            append(piece, *record);
            if (piece.size() < pieceSize) continue;
            sink(std::string_view(piece));
            piece.clear();
        }
    }
    sink(std::string_view(piece));
}

}  // namespace tracklore
