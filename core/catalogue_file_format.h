// The byte layout of the catalogue file: the 64-byte header and the records of the record
// stream, written to and read from any stream.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/catalogue.h"
#include "streams/stream.h"

namespace tracklore::catalogue_file {

/*
 * Header, 64 bytes, numbers little-endian:
 *
 *    0  20  "Corvane Tracklore   "   signature, three spaces, no terminator
 *   20   1  00
 *   21   1  1A
 *   22   2  version                  0x0200: compressed record stream; below: plain
 *   24   4  record count (signed)    checked against the records read, unless negative
 *   28   8  time of saving           double, days since 1899-12-30, local time
 *   36  28  52 52 ... 52             filler ("R")
 *
 * Record, in the (decompressed) record stream from offset 64, no gaps:
 *
 *   "!MP3"  ID:4  Volume  Filename  FileSize:4  FileDate:8  SampleRate:2  BitRate:2
 *   PlayLength:2  Artist  Title  Album  Comment  Year  Genre:1
 *
 * where a text is a 16-bit byte count n and n bytes of UTF-8.
 */
inline constexpr size_t kHeaderSize = 64;
inline constexpr size_t kSignatureSize = 22;  // the text and 00 1A
inline constexpr uint16_t kVersion = 0x0200;
inline constexpr size_t kMaxText = 65535;
inline constexpr char kRecordMarker[4] = {'!', 'M', 'P', '3'};

using Header = std::array<uint8_t, kHeaderSize>;

/// The header for `count` records saved at `savedAt` (days since 1899-12-30).
Header MakeHeader(int32_t count, double savedAt);

/// The version of a header. Raises EDBError "Invalid database, error in header." when the
/// signature is wrong and the invalid-version message when the version is above kVersion.
uint16_t CheckHeader(const Header& header);

/// The record count a header announces (negative: unknown).
int32_t RecordCount(const Header& header);

/// Raises EDBError naming both numbers when `announced` is 0 or more and differs from
/// `read`: a file cut at a record boundary would otherwise load as if complete.
void CheckRecordCount(int32_t announced, int read);

/// Appends the record's bytes to `out`. Texts longer than kMaxText bytes are cut to at most
/// that many at a character boundary.
void AppendRecord(std::string& out, const TrackRecord& record);

/// Reads records from `stream` until it is at its end and puts them into the owning
/// `catalogue` in file order, identifiers as stored. Texts that are not UTF-8 are taken as
/// Windows-1252. Raises EDBError with the alignment message (the number is the marker's
/// byte offset in the record stream) when a record does not start with the marker,
/// EInOutError "Read less than expected" when the stream ends inside a record, and
/// EDBError "Too Many Elements!" when the table is full. The catalogue keeps what was read.
/// The stream is made non-strict: short reads are checked here. With `expected` records
/// announced (above 0), `progress` is told each new percent read, 99 at most. With `keep`,
/// only the records it accepts are inserted, but every record read counts against the
/// capacity. Returns the number of records read.
int ReadRecords(TBaseStream& stream, TTracklore& catalogue, int32_t expected = 0,
                const LoadProgress& progress = {}, const RecordFilter& keep = {});

}  // namespace tracklore::catalogue_file
