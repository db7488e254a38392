// Writing a file through a stream chain by "write beside, then replace".
#include "core/catalogue_file_target.h"

#include "core/format.h"
#include "core/messages.h"
#include "platform/replace_file.h"
#include "streams/file_stream.h"

namespace tracklore {

void WriteAll(TBaseStream& stream, const void* bytes, size_t count) {
    const auto size = static_cast<int32_t>(count);
    if (stream.Write(bytes, size) != size) throw EInOutError(Format(msg::ErrorWriting, ""));
}

void WriteReplacing(const std::string& fileName, const std::function<void(StreamChain&)>& write) {
    platform::ReplaceFile(fileName, [&write](const std::string& path, bool& opened) {
        auto* file = new TFileStream(path, OpenWrite | OpenCreate);
        opened = true;
        StreamChain chain(file);
        write(chain);
        TFilterStream::FlushChain(chain.get());
        file->Flush();
        chain.reset();
    });
}

}  // namespace tracklore
