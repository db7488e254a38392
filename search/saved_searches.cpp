// Saved searches: named expressions read from and written to the registry store.
#include "search/saved_searches.h"

#include "platform/registry.h"
#include "streams/stream_errors.h"

namespace tracklore {

std::vector<TSavedSearch> LoadSavedSearches(const std::string& registryFile) {
    std::vector<TSavedSearch> searches;
    const platform::TRegDocument document = platform::LoadRegistryFile(registryFile, false);
    const platform::TRegKey* key =
        document.Find(std::string(platform::kCurrentUserRoot) + "\\" + kSavedSearchesKey);
    if (key == nullptr) return searches;
    key->ForEach([&](const std::string& name, const platform::TRegValue& value) {
        // The default value has no name a user could have given it.
        if (name.empty() || value.Type != platform::TRegDataType::String) return;
        searches.push_back({name, value.Data});
    });
    return searches;
}

bool FindSavedSearch(const std::string& registryFile, const std::string& name,
                     std::string& expression) {
    platform::TRegistry registry(registryFile);
    if (name.empty() || !registry.OpenKey(kSavedSearchesKey, false)) return false;
    return registry.ReadString(name, expression) == platform::TRegResult::Ok;
}

void SaveSearch(const std::string& registryFile, const std::string& name,
                const std::string& expression) {
    platform::TRegistry registry(registryFile);
    if (!registry.OpenKey(kSavedSearchesKey, true)) throw EInOutError(registry.LastError());
    registry.WriteString(name, expression);
}

}  // namespace tracklore
