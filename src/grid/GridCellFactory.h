#pragma once

#include <QStringList>

#include <functional>
#include <memory>
#include <string_view>

class CGridCellBase;

/// Creates cells by the run-time class name of their kind ("CGridCell", "CGridCellCheck", ...).
/// Every cell kind of the grid is registered; the program may register its own.
class GridCellFactory {
public:
    using Creator = std::function<std::unique_ptr<CGridCellBase>()>;

    /// A new cell of the named kind, or null for a name that is not a registered cell kind.
    static std::unique_ptr<CGridCellBase> Create(std::string_view className);
    static bool IsCellKind(std::string_view className);
    /// Registers (or replaces) a kind; the creator must make cells whose run-time class name is
    /// `className`.
    static void Register(std::string_view className, Creator creator);
    static QStringList Kinds();
};
