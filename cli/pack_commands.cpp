// tracklore-cli pack and unpack: a raw file run through the LZ77 stream, and back.
#include "cli/pack_commands.h"

#include <vector>

#include "cli/command_args.h"
#include "core/format.h"
#include "core/messages.h"
#include "streams/buffered_stream.h"
#include "streams/file_stream.h"
#include "streams/lz77.h"

namespace tracklore::cli {

namespace {

constexpr int32_t kPieceSize = 65536;

StreamChain OpenSource(const std::string& path, bool compressed) {
    StreamChain chain(new TFileStream(path, OpenRead));
    PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(-1, 0, inner); });
    if (compressed) PushFilter(chain, [](TBaseStream* inner) { return new TLZ77Stream(inner); });
    return chain;
}

StreamChain OpenTarget(const std::string& path, bool compressed) {
    StreamChain chain(new TFileStream(path, OpenWrite | OpenCreate));
    PushFilter(chain, [](TBaseStream* inner) { return new TBufferedStream(0, -1, inner); });
    if (compressed) PushFilter(chain, [](TBaseStream* inner) { return new TLZ77Stream(inner); });
    return chain;
}

void Copy(TBaseStream& source, TBaseStream& target) {
    source.SetStrict(false);  // the last piece is usually short
    std::vector<uint8_t> piece(kPieceSize);
    while (!source.Eof()) {
        const int32_t got = source.Read(piece.data(), kPieceSize);
        if (got <= 0) break;
        if (target.Write(piece.data(), got) != got) {
            throw EInOutError(Format(msg::ErrorWriting, ""));
        }
    }
}

int Run(const std::vector<std::string>& args, const char* usage, bool pack) {
    if (args.size() != 2) return Usage(usage);
    StreamChain source = OpenSource(args[0], !pack);
    StreamChain target = OpenTarget(args[1], pack);
    Copy(*source, *target);
    TFilterStream::FlushChain(target.get());
    return 0;
}

}  // namespace

int RunPack(const std::vector<std::string>& args) {
    return Run(args, "pack IN OUT", true);
}

int RunUnpack(const std::vector<std::string>& args) {
    return Run(args, "unpack IN OUT", false);
}

}  // namespace tracklore::cli
