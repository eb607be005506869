#pragma once

struct CardRecord;

/// Where the cards a lookup finds go; the catalogue grid view implements it.
class ShownCardsSink {
public:
    virtual ~ShownCardsSink() = default;
    /// Step 1 of a lookup: forget every card shown so far.
    virtual void ClearShownCards() = 0;
    /// Offers a found card. Returns true when it was added (see ShownCardsTable::Add for the
    /// rule); a clipboard lookup stops once 100 cards have been added. The record may be listed
    /// in place: it must stay where it is until the sink is cleared (the catalogue's do).
    virtual bool AddShownCard(const CardRecord& card, bool fromClipboard) = 0;
};
