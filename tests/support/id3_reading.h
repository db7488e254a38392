// Reading hand-made tag bytes in tests: a tag object over bytes in memory, its frames'
// texts, and checks of the errors reading raises.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "media/id3v2.h"
#include "media/media_input.h"
#include "tests/support/error_text.h"
#include "tests/support/id3_builder.h"

namespace tracklore::test {

// A tag object read from bytes in memory, with the stream it reads from.
struct TLoaded {
    explicit TLoaded(const std::string& bytes, bool withAudio = false)
        : input(ToBytes(bytes)), tag(std::make_unique<Tid3v2>("x.mp3", input, withAudio)) {}
    TMediaInput input;
    std::unique_ptr<Tid3v2> tag;
};

inline std::string TextOf(const Tid3v2& tag, const std::string& id) {
    auto* frame = dynamic_cast<Tid3text*>(tag.FindFrame(id));
    return frame ? frame->Text : "<missing>";
}

inline const Tid3comment& CommentOf(const TLoaded& loaded) {
    auto* frame = dynamic_cast<Tid3comment*>(loaded.tag->FindFrame("COMM"));
    if (!frame) throw std::runtime_error("no comment frame");
    return *frame;
}

template <typename E>
void ExpectError(const std::function<void()>& action, const std::string& message) {
    EXPECT_EQ(ErrorOf<E>(action), message);
}

inline void ExpectTagError(const std::string& bytes, const std::string& message) {
    ExpectError<Eid3v2>([&] { TLoaded loaded(bytes); }, message);
}

inline void ExpectShortRead(const std::string& bytes) {
    ExpectError<EInOutError>([&] { TLoaded loaded(bytes); }, "Read less than expected");
}

}  // namespace tracklore::test
