// Saving and loading the catalogue file: the stream chains around the layout of
// core/catalogue_file_format.h.
#include <string>
#include <string_view>

#include "core/catalogue.h"
#include "core/catalogue_file_format.h"
#include "core/catalogue_file_target.h"
#include "core/record_pieces.h"
#include "platform/date_time.h"
#include "streams/buffered_stream.h"
#include "streams/file_stream.h"
#include "streams/lz77.h"

namespace tracklore {

namespace {

// Records are gathered into pieces of about this size before they go to the compressor.
constexpr size_t kPieceSize = 16384;

}  // namespace

void TTracklore::SaveToFile(const std::string& fileName) {
    SortBy(TrackField::ID);
    WriteReplacing(fileName, [this](StreamChain& chain) {
        PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(0, -1, inner); });
        const auto header = catalogue_file::MakeHeader(count_, platform::NowDateTime());
        WriteAll(*chain, header.data(), header.size());
        PushFilter(chain, [](TBaseStream* inner) { return new TLZ77Stream(inner); });
        WriteRecordPieces(
            *this, {}, kPieceSize,
            [](std::string& piece, const TrackRecord& record) {
                catalogue_file::AppendRecord(piece, record);
            },
            [&chain](std::string_view piece) { WriteAll(*chain, piece.data(), piece.size()); });
    });
}

void TTracklore::LoadFromFile(const std::string& fileName, const LoadProgress& progress,
                              const RecordFilter& keep) {
    ResetDB();
    try {
        StreamChain chain(new TFileStream(fileName, OpenRead));
        PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(-1, 0, inner); });
        catalogue_file::Header header;
        // The buffered stream is strict: a file shorter than the header raises here.
        chain->Read(header.data(), static_cast<int32_t>(header.size()));
        if (catalogue_file::CheckHeader(header) == catalogue_file::kVersion)
            PushFilter(chain, [](TBaseStream* inner) { return new TLZ77Stream(inner); });
        const int32_t announced = catalogue_file::RecordCount(header);
        const int read = catalogue_file::ReadRecords(*chain, *this, announced, progress, keep);
        catalogue_file::CheckRecordCount(announced, read);
    } catch (...) {
        ResetDB();
        throw;
    }
    if (progress) progress(100);
}

}  // namespace tracklore
