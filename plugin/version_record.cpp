// The plug-in's version record: texts kept readable in the library file.
#include "plugin/version_record.h"

namespace tracklore::plugin {

// Kept (used) although nothing reads it at run time: it is there for people and tools
// that look into the file.
[[gnu::used]] const char kVersionRecord[] =
    "FileVersion=0.7.0.0\n"
    "ProductVersion=1.0.0.0\n"
    "ProductName=MPEG Player\n"
    "CompanyName=Corvane\n"
    "FileDescription=Interface to Fennick's MPEG player.\n"
    "Comments=This is an ALPHA-version.\n";

}  // namespace tracklore::plugin
