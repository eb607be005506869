#pragma once

#include <cstdint>

/// Where the trade list's check cells (CTamrikGrideCellCheck) store a row's buying or selling
/// mark. The trade list implements it and sets it on its grid.
class TradeMarkStore {
public:
    enum class Mark { Buying, Selling };

    virtual ~TradeMarkStore() = default;
    /// Stores `checked` as the mark of the entry filed under `key`; an unknown key changes
    /// nothing.
    virtual void StoreMark(std::int32_t key, Mark mark, bool checked) = 0;
};
