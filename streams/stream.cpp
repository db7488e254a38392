// The base stream and the filter stream that forwards to the stream below.
#include "streams/stream.h"

namespace tracklore {

bool TBaseStream::SetStrict(bool strict) {
    strict_ = strict;
    return strict;
}

bool TBaseStream::Eof() {
    return Remaining() == 0;
}

void TBaseStream::CopyFrom(TBaseStream& source) {
    const TStrictScope lenient(source, false);
    char piece[4096];
    while (!source.Eof()) {
        const int32_t got = source.Read(piece, sizeof piece);
        if (got <= 0) break;  // a source that reports data but delivers none would loop
        Write(piece, got);
    }
}

bool TFilterStream::SetStrict(bool strict) {
    TBaseStream::SetStrict(strict);
    inner_->SetStrict(strict);
    return strict;
}

int32_t TFilterStream::Write(const void* buffer, int32_t count) {
    return inner_->Write(buffer, count);
}

int32_t TFilterStream::Read(void* buffer, int32_t count) {
    return inner_->Read(buffer, count);
}

int64_t TFilterStream::Remaining() {
    return inner_->Remaining();
}

void TFilterStream::FreeChain(TBaseStream* top) noexcept {
    while (top) {
        auto* filter = dynamic_cast<TFilterStream*>(top);
        TBaseStream* below = filter ? filter->inner_ : nullptr;
        delete top;
        top = below;
    }
}

void TFilterStream::FlushChain(TBaseStream* top) {
    for (auto* filter = dynamic_cast<TFilterStream*>(top); filter;
         filter = dynamic_cast<TFilterStream*>(filter->inner_)) {
        filter->Flush();
    }
}

}  // namespace tracklore
