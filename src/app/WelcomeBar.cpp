#include "app/WelcomeBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

WelcomeBar::WelcomeBar(bool updateDaily, bool bestMatch, QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("welcomeBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Window, QColor(0xFF, 0xF8, 0xD8));
    tinted.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    setPalette(tinted);
    // Whatever has the focus (the search box) keeps it: the bar is reached by mouse or Tab.
    setFocusPolicy(Qt::NoFocus);

    auto* text = new QLabel(
        QStringLiteral("Welcome to Quorvel. Two choices (the Option menu changes them later):"),
        this);
    m_daily = new QCheckBox(QStringLiteral("Update prices daily from MTGJSON"), this);
    m_daily->setObjectName(QStringLiteral("welcomeUpdateDaily"));
    m_daily->setChecked(updateDaily);
    m_daily->setToolTip(QStringLiteral(
        "Once a day, in the background, fetch the day's prices from mtgjson.com. Until this "
        "is ticked, nothing goes over the network unless you ask for an update."));
    m_bestMatch = new QCheckBox(QStringLiteral("Best Match First (recommended)"), this);
    m_bestMatch->setObjectName(QStringLiteral("welcomeBestMatch"));
    m_bestMatch->setChecked(bestMatch);
    for (QCheckBox* box : {m_daily, m_bestMatch})
        box->setFocusPolicy(Qt::TabFocus);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("welcomeClose"));
    close->setText(QStringLiteral("\u00D7"));
    close->setToolTip(QStringLiteral("Close"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::TabFocus);

    auto* choices = new QHBoxLayout;
    choices->addWidget(m_daily);
    choices->addWidget(m_bestMatch);
    choices->addStretch(1);
    auto* column = new QVBoxLayout;
    column->addWidget(text);
    column->addLayout(choices);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 4, 4);
    row->addLayout(column, 1);
    row->addWidget(close, 0, Qt::AlignTop);

    connect(m_daily, &QCheckBox::toggled, this, &WelcomeBar::updateDailyToggled);
    connect(m_bestMatch, &QCheckBox::toggled, this, &WelcomeBar::bestMatchToggled);
    connect(close, &QToolButton::clicked, this, &WelcomeBar::closeRequested);
}

void WelcomeBar::showUpdateDaily(bool on)
{
    const QSignalBlocker quiet(m_daily);
    m_daily->setChecked(on);
}

void WelcomeBar::showBestMatch(bool on)
{
    const QSignalBlocker quiet(m_bestMatch);
    m_bestMatch->setChecked(on);
}
