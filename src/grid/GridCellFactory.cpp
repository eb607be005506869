#include "grid/GridCellFactory.h"

#include "grid/CGridCell.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridCellCombo.h"
#include "grid/CGridCellDateTime.h"
#include "grid/CGridCellNumeric.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CGridURLCell.h"
#include "grid/CTamrikGrideCellCheck.h"

#include <map>
#include <string>

namespace {

template <class Kind> GridCellFactory::Creator MakeCreator()
{
    return [] { return std::unique_ptr<CGridCellBase>(new Kind); };
}

std::map<std::string, GridCellFactory::Creator, std::less<>>& Registry()
{
    static std::map<std::string, GridCellFactory::Creator, std::less<>> registry = {
        {"CGridCell", MakeCreator<CGridCell>()},
        {"CGridDefaultCell", MakeCreator<CGridDefaultCell>()},
        {"CGridCellCheck", MakeCreator<CGridCellCheck>()},
        {"CTamrikGrideCellCheck", MakeCreator<CTamrikGrideCellCheck>()},
        {"CGridCellCombo", MakeCreator<CGridCellCombo>()},
        {"CGridCellDateTime", MakeCreator<CGridCellDateTime>()},
        {"CGridCellNumeric", MakeCreator<CGridCellNumeric>()},
        {"CGridURLCell", MakeCreator<CGridURLCell>()},
    };
    return registry;
}

} // namespace

std::unique_ptr<CGridCellBase> GridCellFactory::Create(std::string_view className)
{
    const auto& registry = Registry();
    const auto found = registry.find(className);
    if (found == registry.end()) {
        return nullptr;
    }
    return found->second();
}

bool GridCellFactory::IsCellKind(std::string_view className)
{
    return Registry().count(className) > 0;
}

void GridCellFactory::Register(std::string_view className, Creator creator)
{
    Registry()[std::string(className)] = std::move(creator);
}

QStringList GridCellFactory::Kinds()
{
    QStringList kinds;
    for (const auto& entry : Registry()) {
        kinds << QString::fromStdString(entry.first);
    }
    return kinds;
}
