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

/// Sets the capacity from `text`, naming `from` in the message on stderr when it is not a
/// valid capacity (then false).
bool TakeCapacity(const char* text, const char* from);

/// Sets the capacity from TRACKLORE_CAPACITY when it is set and not empty; false after a
/// message when it is not a valid capacity.
bool TakeCapacityVariable();

}  // namespace tracklore::cli
