#include "decks/view/CDlgDeckCost.h"

#include "data/CardKey.h"
#include "data/PriceText.h"
#include "decks/DeckCostText.h"
#include "decks/DeckExports.h"
#include "decks/DeckFileReader.h"
#include "decks/DeckInputText.h"
#include "grid/CGridCellCombo.h"
#include "grid/CGridCtrl.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "toolkit/WindowPlacement.h"
#include "trade/TradeList.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kVersionColumn = 5;

QString VersionOption(const DeckVersion& version)
{
    return QString::fromStdString((version.setCode.empty() ? std::string("?") : version.setCode) +
                                  (card_key::IsFoil(version.cardKey) ? " Foil " : " Regular ") +
                                  PriceText(version.value));
}

const QString kDeckFilter = QStringLiteral(
    "Decks and collections (*.dek;*.txt;*.csv)|*.dek;*.txt;*.csv|All Files (*.*)|*.*|");

} // namespace

CDlgDeckCost::CDlgDeckCost(DeckCostContext context, QWidget* parent)
    : QDialog(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("deckCostWindow"));
    setWindowTitle(QStringLiteral("Deck Cost"));
    setAcceptDrops(true);

    auto* buttons = new QHBoxLayout;
    auto addButton = [&](const char* name, const QString& text, const char* description,
                         void (CDlgDeckCost::*handler)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAccessibleName(QString(text).remove(QLatin1Char('&')));
        button->setAccessibleDescription(QString::fromLatin1(description));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
    };
    addButton("openDeckButton", QStringLiteral("&Open..."), "Reads a deck or collection file",
              &CDlgDeckCost::OnOpen);
    addButton("priceDeckButton", QStringLiteral("&Price"), "Prices the deck in the text box",
              &CDlgDeckCost::PriceDeck);
    buttons->addStretch();
    addButton("addMissingButton", QStringLiteral("&Add Missing to Trading List"),
              "Puts the cards the deck still needs into the trade list",
              &CDlgDeckCost::OnAddMissing);
    addButton("copyMissingButton", QStringLiteral("&Copy Missing"),
              "Copies the list of cards the deck still needs", &CDlgDeckCost::OnCopyMissing);
    addButton("saveDekButton", QStringLiteral("Save as .&dek..."),
              "Saves the deck as a file the game client reads", &CDlgDeckCost::OnSaveDek);

    m_input = new QPlainTextEdit(this);
    m_input->setObjectName(QStringLiteral("deckText"));
    m_input->setAccessibleName(QStringLiteral("Deck"));
    m_input->setAccessibleDescription(QStringLiteral("The deck to price, one card per line"));
    m_input->setPlaceholderText(
        QStringLiteral("Paste a deck here (\"4 Lightning Bolt\", a .dek file's text or a "
                       "collection export), or drop a file on the window, then press Price."));
    // Dropped files go to the window, which reads them; text is pasted.
    m_input->setAcceptDrops(false);

    m_grid = new CGridCtrl(this);
    m_grid->setObjectName(QStringLiteral("deckGrid"));
    m_grid->setAccessibleName(QStringLiteral("Deck cost"));
    m_grid->setAccessibleDescription(QStringLiteral("Each card of the deck with its price"));
    const auto& headers = deck_cost_text::Headers();
    m_grid->SetColumns(static_cast<int>(headers.size()));
    m_grid->SetFixedRows(1);
    m_grid->SetListMode(true);
    m_grid->SetSortOnClick(true);
    m_grid->SetEditable(true);
    for (std::size_t column = 0; column < headers.size(); ++column) {
        m_grid->SetCellText(0, static_cast<int>(column), QString::fromStdString(headers[column]));
    }
    m_grid->FitAllColumns();
    connect(m_grid, &CGridCtrl::editEnded, this,
            [this](int row, int column, const QString& text, int, bool*) {
                OnEditEnded(row, column, text);
            });

    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("deckTotals"));
    m_totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_unmatched = new QPlainTextEdit(this);
    m_unmatched->setObjectName(QStringLiteral("deckUnmatched"));
    m_unmatched->setAccessibleName(QStringLiteral("Lines without a card"));
    m_unmatched->setAccessibleDescription(QStringLiteral("Lines of the deck that name no card"));
    m_unmatched->setReadOnly(true);
    m_unmatched->setPlaceholderText(QStringLiteral("Lines that name no card are listed here."));

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(m_input);
    splitter->addWidget(m_grid);
    splitter->addWidget(m_unmatched);
    splitter->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->addWidget(m_totals);
    resize(860, 600);
    WindowPlacement::restore(kPlacementSection, *this);
}

CDlgDeckCost::~CDlgDeckCost()
{
    if (isVisible())
        WindowPlacement::save(kPlacementSection, *this);
}

void CDlgDeckCost::hideEvent(QHideEvent* event)
{
    // Kept as the other windows keep theirs: the next start opens it where the user left it.
    if (!event->spontaneous())
        WindowPlacement::save(kPlacementSection, *this);
    QDialog::hideEvent(event);
}

bool CDlgDeckCost::LoadFile(const QString& path)
{
    const DeckInputText input = DeckInputText::FromFile(path.toStdString());
    if (!input.error.empty()) {
        MessageBox::error(
            QStringLiteral("Cannot read \"%1\": %2").arg(path, QString::fromStdString(input.error)),
            this);
        return false;
    }
    m_input->setPlainText(QString::fromStdString(input.text));
    PriceDeck();
    if (!input.note.empty()) {
        m_cost.notes.push_back(input.note);
        FillGrid();
    }
    return true;
}

void CDlgDeckCost::PriceDeck()
{
    if (!m_context.catalogue) {
        return;
    }
    std::string error;
    if (!m_sources.Load(*m_context.catalogue, m_context.priceDatabase, m_context.collectionDatabase,
                        &error)) {
        MessageBox::error(
            QStringLiteral("The deck cannot be priced: %1").arg(QString::fromStdString(error)),
            this);
        return;
    }
    Show(DeckFileReader::ReadBytes(m_input->toPlainText().toStdString()));
}

void CDlgDeckCost::Show(const DeckFile& file)
{
    m_cost = DeckCost{};
    m_priced = !file.Failed();
    if (m_priced) {
        m_cost = DeckCostCalculator(m_sources.Index(), m_sources.Owned()).Price(file);
        if (!m_sources.HasCollection()) {
            m_cost.notes.push_back("My Collection could not be read: every copy counts as missing");
        }
    } else {
        m_cost.notes.push_back(file.error);
    }
    FillGrid();
}

void CDlgDeckCost::FillGrid()
{
    m_grid->DeleteNonFixedRows();
    for (std::size_t i = 0; i < m_cost.rows.size(); ++i) {
        const DeckCostRow& line = m_cost.rows[i];
        const int row = m_grid->InsertRowAt(QString());
        if (row < 0) {
            continue;
        }
        const auto cells = deck_cost_text::Cells(line, m_sources.Index().SetCode(line.cardKey));
        m_grid->SetCellKind<CGridCellCombo>(row, kVersionColumn);
        if (auto* combo = dynamic_cast<CGridCellCombo*>(m_grid->CellAt(row, kVersionColumn))) {
            QStringList options;
            for (const DeckVersion& version : line.versions) {
                options << VersionOption(version);
            }
            combo->SetOptions(options);
            combo->SetStyle(CGridCellCombo::kDropDownList);
        }
        for (std::size_t column = 0; column < cells.size(); ++column) {
            const int c = static_cast<int>(column);
            m_grid->SetCellText(row, c, QString::fromStdString(cells[column]));
            m_grid->SetCellData(row, c, static_cast<std::int32_t>(i));
            m_grid->SetCellReadOnly(row, c, c != kVersionColumn);
        }
    }
    m_grid->FitAllColumns();
    m_grid->Refresh();
    m_totals->setText(TotalsText());
    m_unmatched->setPlainText(UnmatchedText());
}

QString CDlgDeckCost::TotalsText() const
{
    if (!m_priced) {
        return {};
    }
    return QString::fromStdString(deck_cost_text::TotalsLine("Main deck", m_cost.main) + "\n" +
                                  deck_cost_text::TotalsLine("Sideboard", m_cost.side) + "\n" +
                                  deck_cost_text::TotalsLine("Both", m_cost.both));
}

QString CDlgDeckCost::UnmatchedText() const
{
    std::string text;
    for (const DeckUnmatched& unmatched : m_cost.unmatched) {
        text += deck_cost_text::UnmatchedLine(unmatched) + "\n";
    }
    for (const DeckCostRow& row : m_cost.rows) {
        if (!row.note.empty()) {
            text += "line " + std::to_string(row.line) + ": " + row.note + "\n";
        }
    }
    for (const std::string& note : m_cost.notes) {
        text += note + "\n";
    }
    return QString::fromStdString(text);
}

void CDlgDeckCost::OnEditEnded(int row, int column, const QString& text)
{
    if (column != kVersionColumn || row < m_grid->GetFixedRowCount()) {
        return;
    }
    const auto index = static_cast<std::size_t>(m_grid->GetCellData(row, column));
    if (index >= m_cost.rows.size()) {
        return;
    }
    for (const DeckVersion& version : m_cost.rows[index].versions) {
        if (VersionOption(version) == text) {
            DeckCostCalculator(m_sources.Index(), m_sources.Owned())
                .ChooseVersion(m_cost, index, version.cardKey);
            // The grid still works on the edited cell when it tells us; rebuild after.
            QTimer::singleShot(0, this, [this] { FillGrid(); });
            return;
        }
    }
}

void CDlgDeckCost::OnOpen()
{
    if (const auto path =
            FileDialog::getOpenFileName(QStringLiteral("Open a Deck"), kDeckFilter, this)) {
        LoadFile(*path);
    }
}

void CDlgDeckCost::OnAddMissing()
{
    TradeList* list = m_context.tradeList ? m_context.tradeList() : nullptr;
    if (!list || !m_priced) {
        return;
    }
    const int filed = deck_exports::AddMissingToTradeList(*list, m_cost, m_sources.Index());
    if (filed == 0) {
        MessageBox::information(QStringLiteral("Nothing is missing: no card was added."), this);
        return;
    }
    if (m_context.showTradeList) {
        m_context.showTradeList();
    }
}

void CDlgDeckCost::OnCopyMissing()
{
    const std::string text = MissingDeckText(m_cost);
    if (text.empty()) {
        MessageBox::information(QStringLiteral("Nothing is missing: nothing was copied."), this);
        return;
    }
    if (!m_context.copyText || !m_context.copyText(text)) {
        MessageBox::error(QStringLiteral("The clipboard did not take the missing cards. Please "
                                         "try again."),
                          this);
    }
}

void CDlgDeckCost::OnSaveDek()
{
    if (!m_priced || m_cost.rows.empty()) {
        MessageBox::information(QStringLiteral("Price a deck first: there is nothing to save."),
                                this);
        return;
    }
    bool missingOnly = false;
    if (m_cost.both.missing > 0 && m_cost.both.missing < m_cost.both.cards) {
        const auto answer = MessageBox::show(
            QStringLiteral("Save only the missing cards? No saves the whole deck."),
            MessageBox::kQuestion, MessageBox::Icon::Question, MessageBox::Buttons::YesNoCancel,
            MessageBox::Answer::No, this);
        if (answer == MessageBox::Answer::Cancel) {
            return;
        }
        missingOnly = answer == MessageBox::Answer::Yes;
    }
    const auto path = FileDialog::getSaveFileName(QStringLiteral("Save as .dek"),
                                                  QStringLiteral("Deck files (*.dek)|*.dek|"),
                                                  QStringLiteral("dek"), this);
    if (!path) {
        return;
    }
    std::string error;
    const std::string bytes =
        DekWriter::Write(deck_exports::DeckCards(m_cost, missingOnly, m_sources.Index()));
    if (!deck_exports::WriteFileSafely(path->toStdString(), bytes, &error)) {
        MessageBox::error(QString::fromStdString(error), this);
    }
}

void CDlgDeckCost::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls() || event->mimeData()->hasText()) {
        event->acceptProposedAction();
    }
}

void CDlgDeckCost::dropEvent(QDropEvent* event)
{
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile()) {
        LoadFile(data->urls().first().toLocalFile());
    } else if (data->hasText()) {
        m_input->setPlainText(data->text());
        PriceDeck();
    } else {
        return;
    }
    event->acceptProposedAction();
}
