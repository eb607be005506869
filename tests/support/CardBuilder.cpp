#include "CardBuilder.h"

CardRecord MakeCard(int id, const std::string& name, double reg, double foil, int set, int number,
                    int rarity, int hot, DateTime date)
{
    CardRecord card;
    card.id = id;
    card.name = name;
    card.reg_value = reg;
    card.foil_value = foil;
    card.expansion = set;
    card.collection_no = number;
    card.rarity = rarity;
    card.hot = hot;
    card.update_date = date;
    return card;
}
