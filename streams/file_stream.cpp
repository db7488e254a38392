// TFileStream: the stream over one file at the bottom of every chain.
#include "streams/file_stream.h"

#include <algorithm>

#include "core/format.h"
#include "core/messages.h"

namespace tracklore {

namespace {

std::string ErrorText(const platform::TNativeFile& file) {
    return platform::SystemErrorText(file.LastError());
}

}  // namespace

TFileStream::TFileStream(const std::string& fileName, uint32_t flags) : fileName_(fileName) {
    uint32_t access = 0;
    if (flags & OpenRead) access |= platform::kAccessRead;
    if (flags & OpenWrite) access |= platform::kAccessWrite;
    if (access == 0) throw EInOutError(msg::AccessNotSpecified);
    uint32_t share = 0;
    if (flags & OpenShareRead) share |= platform::kShareRead;
    if (flags & OpenShareWrite) share |= platform::kShareWrite;
    const auto creation = (flags & OpenCreate) ? platform::FileCreation::kCreateAlways
                                               : platform::FileCreation::kOpenExisting;
    if (!file_.Open(fileName_, access, share, creation)) {
        throw EInOutError(Format(msg::ErrorOpening, fileName_.c_str(), ErrorText(file_).c_str()));
    }
    canRead_ = (flags & OpenRead) != 0;
    canWrite_ = (flags & OpenWrite) != 0;
}

TFileStream::~TFileStream() {
    file_.Close();
}

int32_t TFileStream::Write(const void* buffer, int32_t count) {
    if (count <= 0) return 0;
    size_t done = 0;
    if (!file_.Write(buffer, static_cast<size_t>(count), done)) {
        throw EInOutError(Format(msg::ErrorWriting, ErrorText(file_).c_str()));
    }
    if (strict_ && done < static_cast<size_t>(count))
        throw EInOutError(Format(msg::ErrorWriting, ""));
    return static_cast<int32_t>(done);
}

int32_t TFileStream::Read(void* buffer, int32_t count) {
    if (count <= 0) return 0;
    size_t done = 0;
    if (!file_.Read(buffer, static_cast<size_t>(count), done)) {
        throw EInOutError(Format(msg::ErrorReading, ErrorText(file_).c_str()));
    }
    if (strict_ && done < static_cast<size_t>(count)) throw EInOutError(msg::ReadLessThanExpected);
    return static_cast<int32_t>(done);
}

int64_t TFileStream::Remaining() {
    return std::max<int64_t>(0, Size() - Position());
}

void TFileStream::Flush() {
    if (!file_.Flush()) throw EInOutError(Format(msg::ErrorWriting, ErrorText(file_).c_str()));
}

int64_t TFileStream::Position() {
    const auto position = file_.Position();
    if (!position) throw EInOutError(Format(msg::IoError, ErrorText(file_).c_str()));
    return *position;
}

int64_t TFileStream::Size() {
    const auto size = file_.Size();
    if (!size) throw EInOutError(Format(msg::IoError, ErrorText(file_).c_str()));
    return *size;
}

void TFileStream::Seek(int64_t offset) {
    if (!file_.Seek(offset)) {
        throw EInOutError(Format(msg::ErrorMovingPointer, ErrorText(file_).c_str()));
    }
}

void TFileStream::Truncate() {
    if (!file_.Truncate()) {
        throw EInOutError(
            Format(msg::ErrorTruncating, fileName_.c_str(), ErrorText(file_).c_str()));
    }
}

void TFileStream::CloseAndDelete(std::unique_ptr<TFileStream> stream) {
    if (!stream) return;
    const std::string& name = stream->fileName_;
    if (!stream->file_.Close()) {
        throw EInOutError(
            Format(msg::ErrorClosing, name.c_str(), ErrorText(stream->file_).c_str()));
    }
    if (const int code = platform::RemoveFile(name); code != 0) {
        throw EInOutError(
            Format(msg::ErrorDeleting, name.c_str(), platform::SystemErrorText(code).c_str()));
    }
}

}  // namespace tracklore
