#pragma once

#include <cstdint>
#include <vector>

namespace rw
{

class ResultSet;

// The folders of a result set in the case-folded order of their texts, for
// comparing the paths of two records without forming them: where neither
// folder's text begins the other's, the folders alone decide the paths'
// order. Every folder has a position in that order, and the texts that begin
// with a folder's text lie right after it there, so "begins with" is a range
// check. Made for the folders the set has when it is built.
class FolderOrder
{
public:
    explicit FolderOrder(const ResultSet& set);

    // The folders the order was made for.
    std::uint32_t folderCount() const { return std::uint32_t(m_position.size()); }
    // Position of folder `f`; folders whose texts are equal without regard to
    // case share one.
    std::uint32_t position(std::uint32_t f) const { return m_position[f]; }
    // True when folder `a`'s text, case-folded, begins folder `b`'s or `b`'s
    // begins `a`'s (equal texts included).
    bool onePrefixOfOther(std::uint32_t a, std::uint32_t b) const;

private:
    std::vector<std::uint32_t> m_position;  // by folder
    std::vector<std::uint32_t> m_prefixEnd; // by position: the last position beginning with it
};

} // namespace rw
