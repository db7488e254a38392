// Saved searches: advanced search expressions kept under a name in the registry store, so
// the dialog can offer them again and the command line can run one by name.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tracklore {

/// The key the saved searches live under, one text value per search (name = expression).
inline constexpr char kSavedSearchesKey[] = "Software\\Corvane\\Tracklore\\1.0\\Saved searches";

/// One saved search.
struct TSavedSearch {
    std::string Name;
    std::string Expression;
    bool operator==(const TSavedSearch&) const = default;
};

/// The saved searches of `registryFile` in the order they were first saved. A missing or
/// unreadable store gives none; values that are not texts are passed over.
std::vector<TSavedSearch> LoadSavedSearches(const std::string& registryFile);

/// The expression saved as `name` (names ignore ASCII case, as registry names do); false
/// when there is none.
bool FindSavedSearch(const std::string& registryFile, const std::string& name,
                     std::string& expression);

/// Saves `expression` as `name`, replacing a search of that name. Raises EInOutError when
/// the store cannot be written; it then stays as it was.
void SaveSearch(const std::string& registryFile, const std::string& name,
                const std::string& expression);

}  // namespace tracklore
