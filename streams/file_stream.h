// The bottom of every stream chain: a stream over one file of the operating system, opened
// with access, sharing and creation modes; transfers go straight to the file.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/file.h"
#include "streams/stream.h"

namespace tracklore {

/// Open flags of TFileStream (bit set).
inline constexpr uint32_t OpenRead = 1;
inline constexpr uint32_t OpenWrite = 2;
/// Create the file, or empty it when it exists; without it the file must exist.
inline constexpr uint32_t OpenCreate = 4;
/// Let other streams read the file while this one is open.
inline constexpr uint32_t OpenShareRead = 8;
/// Let other streams write the file while this one is open.
inline constexpr uint32_t OpenShareWrite = 16;

class TFileStream : public TSeekableStream {
public:
    /// Opens `fileName`. Flags without OpenRead and OpenWrite raise EInOutError before the
    /// file system is touched; a failed open raises EInOutError "Error opening ..." with the
    /// system's text and leaves nothing open.
    TFileStream(const std::string& fileName, uint32_t flags);
    /// Closes the file if it is open, silently.
    ~TFileStream() override;

    /// Writes to the file. A strict stream raises when not every byte went out.
    int32_t Write(const void* buffer, int32_t count) override;
    /// Reads from the file. A strict stream raises "Read less than expected" when the file
    /// ends first. A count of 0 or less reads nothing.
    int32_t Read(void* buffer, int32_t count) override;
    /// Size minus position; 0 when positioned at or beyond the end.
    int64_t Remaining() override;
    /// Asks the system to write the file's data to the device.
    void Flush() override;

    int64_t Position() override;
    int64_t Size() override;
    void Seek(int64_t offset) override;
    /// Ends the file at the current position.
    void Truncate() override;

    /// Closes the file, deletes it and destroys the stream, which it takes over. The stream
    /// is destroyed also when closing or deleting raises.
    static void CloseAndDelete(std::unique_ptr<TFileStream> stream);

    const std::string& FileName() const { return fileName_; }
    /// Tells the system how the file is going to be read (a hint; never fails).
    void AdviseAccess(platform::AccessPattern pattern) { file_.AdviseAccess(pattern); }
    /// Tells the system that the given bytes will be read soon (a hint; never fails).
    void AdviseWillNeed(int64_t offset, int64_t length) { file_.AdviseWillNeed(offset, length); }

private:
    platform::TNativeFile file_;
    std::string fileName_;
};

}  // namespace tracklore
