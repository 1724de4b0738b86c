#include "data/Vesko3Common.h"

#include <algorithm>

std::u16string_view FieldText(const char16_t (&field)[NameUnits])
{
    const char16_t* end = std::find(field, field + NameUnits, u'\0');
    return std::u16string_view(field, static_cast<std::size_t>(end - field));
}

const TNamePositions& TNameOrder::Keep(std::shared_ptr<const TNamePositions> order) const
{
    std::shared_ptr<const TNamePositions> first;
    if (!Kept.compare_exchange_strong(first, order, std::memory_order_acq_rel, std::memory_order_acquire))
        return *first;
    return *order;
}
