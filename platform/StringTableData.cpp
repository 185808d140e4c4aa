#include "StringTable.h"

#include <algorithm>
#include <iterator>

namespace qrl {

namespace {

struct Entry {
    int id;
    const char* text;
};

// The program's built-in English texts, by id, in the list's ascending order.
constexpr Entry kStrings[] = {
#define QRL_STRING(id, area, name, text) {id, text},
#include "StringList.def"
#undef QRL_STRING
};

// The lookup is a binary search: an id out of order or twice would make texts unreachable.
constexpr bool idsAscend()
{
    for (std::size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id)
            return false;
    return true;
}
static_assert(idsAscend(), "StringList.def: string ids must be unique and ascending");

} // namespace

const char* builtInText(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry& e, int key) { return e.id < key; });
    if (it == std::end(kStrings) || it->id != id)
        return nullptr;
    return it->text;
}

std::vector<int> builtInIds()
{
    std::vector<int> ids;
    ids.reserve(std::size(kStrings));
    for (const Entry& e : kStrings)
        ids.push_back(e.id);
    return ids;
}

} // namespace qrl
