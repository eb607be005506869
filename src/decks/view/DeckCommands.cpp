#include "decks/view/DeckCommands.h"

#include "data/CADODataBase.h"
#include "data/CardRecord.h"
#include "data/DateTime.h"
#include "decks/CollectionImport.h"
#include "decks/DeckExports.h"
#include "decks/DeckFileReader.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "trade/TradeList.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kExportFilter =
    QStringLiteral("Deck files (*.dek)|*.dek|Collection files (*.csv)|*.csv|");

} // namespace

DeckCommands::DeckCommands(DeckCostContext context, std::function<void()> collectionChanged,
                           QWidget* owner)
    : m_context(std::move(context)), m_collectionChanged(std::move(collectionChanged)),
      m_owner(owner)
{
}

DeckCommands::~DeckCommands()
{
    delete m_deckCost.data();
}

CDlgDeckCost* DeckCommands::ShowDeckCost()
{
    if (!m_deckCost) {
        // A top-level window of its own, like the trade list.
        m_deckCost = new CDlgDeckCost(m_context, nullptr);
    }
    m_deckCost->show();
    m_deckCost->raise();
    m_deckCost->activateWindow();
    return m_deckCost;
}

bool DeckCommands::LoadSources(DeckSources& sources)
{
    std::string error;
    if (!m_context.catalogue || !sources.Load(*m_context.catalogue, m_context.priceDatabase,
                                              m_context.collectionDatabase, &error)) {
        MessageBox::error(QStringLiteral("The collection database could not be read: %1")
                              .arg(QString::fromStdString(error)),
                          m_owner);
        return false;
    }
    if (!sources.HasCollection()) {
        MessageBox::error(QStringLiteral("The collection database is not open."), m_owner);
        return false;
    }
    return true;
}

bool DeckCommands::ImportCollection()
{
    const auto path = FileDialog::getOpenFileName(
        QStringLiteral("Import Collection"),
        QStringLiteral("Collection exports and decks (*.csv;*.dek)|*.csv;*.dek|All Files "
                       "(*.*)|*.*|"),
        m_owner);
    DeckSources sources;
    if (!path || !LoadSources(sources)) {
        return false;
    }
    const std::string fileName = QFileInfo(*path).fileName().toStdString();
    const CollectionImportPlan plan = CollectionImport::Plan(
        DeckFileReader::ReadFile(path->toStdString()), fileName, sources.Index(), sources.Owned());
    const QString preview = QString::fromStdString(CollectionImport::PreviewText(plan));
    if (!plan.error.empty()) {
        MessageBox::error(preview, m_owner);
        return false;
    }
    if (!plan.HasChanges()) {
        MessageBox::information(
            preview + QStringLiteral("\nMy Collection already holds these counts; nothing was "
                                     "imported."),
            m_owner);
        return false;
    }
    if (!MessageBox::askYesNo(preview + QStringLiteral("\nMake My Collection's counts equal to "
                                                       "this file's?"),
                              m_owner)) {
        return false;
    }
    const CollectionImportResult result =
        CollectionImport::Apply(*m_context.collectionDatabase, plan, DateTime::Now());
    if (!result.imported) {
        MessageBox::error(QStringLiteral("The collection was not imported; nothing was written "
                                         "to the collection database.\n%1")
                              .arg(QString::fromStdString(result.error)),
                          m_owner);
        return false;
    }
    MessageBox::information(QStringLiteral("Collection imported: logged as the deal \"%1\".")
                                .arg(QString::fromStdString(plan.Comment())),
                            m_owner);
    if (m_collectionChanged) {
        m_collectionChanged();
    }
    return true;
}

void DeckCommands::Export(const QString& title,
                          const std::vector<std::pair<std::int32_t, std::int32_t>>& copies,
                          const DeckSources& sources)
{
    if (copies.empty()) {
        MessageBox::information(QStringLiteral("There are no cards to save."), m_owner);
        return;
    }
    auto sorted = copies;
    const DeckCatalogueIndex& index = sources.Index();
    std::sort(sorted.begin(), sorted.end(), [&index](const auto& a, const auto& b) {
        const CardRecord* x = index.Card(a.first);
        const CardRecord* y = index.Card(b.first);
        return std::make_pair(x ? x->name : std::string(), a.first) <
               std::make_pair(y ? y->name : std::string(), b.first);
    });
    const auto path =
        FileDialog::getSaveFileName(title, kExportFilter, QStringLiteral("dek"), m_owner);
    if (!path) {
        return;
    }
    const bool csv = path->endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const std::string bytes = csv ? deck_exports::CollectionCsv(sorted, index)
                                  : DekWriter::Write(deck_exports::KeyedCards(sorted, index));
    std::string error;
    if (!deck_exports::WriteFileSafely(path->toStdString(), bytes, &error)) {
        MessageBox::error(QString::fromStdString(error), m_owner);
    }
}

void DeckCommands::ExportCollection()
{
    DeckSources sources;
    if (!LoadSources(sources)) {
        return;
    }
    const std::vector<std::pair<std::int32_t, std::int32_t>> copies(sources.Owned().begin(),
                                                                    sources.Owned().end());
    Export(QStringLiteral("Export My Collection"), copies, sources);
}

void DeckCommands::ExportTradeList()
{
    DeckSources sources;
    std::string error;
    TradeList* list = m_context.tradeList ? m_context.tradeList() : nullptr;
    if (!list || !m_context.catalogue ||
        !sources.Load(*m_context.catalogue, m_context.priceDatabase, nullptr, &error)) {
        MessageBox::error(QStringLiteral("The trading list cannot be saved: %1")
                              .arg(QString::fromStdString(error)),
                          m_owner);
        return;
    }
    Export(QStringLiteral("Export Trading List"), deck_exports::TradeListCopies(*list),
           sources);
}
