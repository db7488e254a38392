// Fuzz target for the tag reader: any bytes are read as a file, once with the audio analysis
// and once without. Only the reader's own errors, the audio analysis's and the stream's may
// escape; anything else (and any crash) is a fault.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "core/convert.h"
#include "media/id3v2.h"
#include "media/media_input.h"

namespace {

void Read(const std::vector<uint8_t>& bytes, bool withAudio) {
    using namespace tracklore;
    TMediaInput input(bytes);
    try {
        Tid3v2 tag("fuzz.mp3", input, withAudio);
        // Every stored frame must be reachable under its own identifier.
        for (const auto& frame : tag.Frames()) {
            if (tag.FindFrame(frame->FrameID) != frame.get()) std::abort();
            frame->DisplayText();
        }
        if (withAudio && !tag.Audio) std::abort();
    } catch (const Eid3v2&) {
    } catch (const EMPEGError&) {
    } catch (const EInOutError&) {
    } catch (const EConvertError&) {
    } catch (...) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    Read(bytes, false);
    Read(bytes, true);
    return 0;
}
