// The capacity of the catalogues tracklore-cli opens: --capacity N or TRACKLORE_CAPACITY.
#pragma once

#include <optional>
#include <string>

namespace tracklore::cli {

/// The capacity every command gives the catalogues it opens (32,769 unless set).
int CatalogueCapacity();
void SetCatalogueCapacity(int capacity);

/// `text` as a capacity: a whole number from 32,769 to 1,048,576, else nothing.
std::optional<int> ParseCapacity(const std::string& text);

}  // namespace tracklore::cli
