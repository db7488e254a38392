// The plug-in's version record: texts kept in the library file, readable with `strings`.
#pragma once

namespace tracklore::plugin {

/// "Key=Value" lines, one per version field, each ended by a line feed.
extern const char kVersionRecord[];

}  // namespace tracklore::plugin
