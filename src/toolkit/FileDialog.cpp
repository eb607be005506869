#include "toolkit/FileDialog.h"

#include "toolkit/MessageBox.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QUrl>
#include <QFileInfo>
#include <QStringList>
#include <deque>

const QString FileDialog::kTradeListFilter = QStringLiteral("All Files (*.ryn)|*.ryn|(*.*)|*.*|");
const QString FileDialog::kCommandScheme = QStringLiteral("quorvel");

namespace {

struct TestState {
    bool on = false;
    std::deque<std::optional<QStringList>> answers;
    std::deque<QString> followed; // parallel to answers: a link clicked instead
    std::vector<FileDialog::Asked> asked;
};

TestState& testState()
{
    static TestState state;
    return state;
}

// True when test mode answered the request; `answer` then holds the file names or nothing.
bool testAnswers(bool save, const QString& title, const QString& filter, QStringList& answer,
                 bool& cancelled)
{
    TestState& state = testState();
    if (!state.on)
        return false;
    state.asked.push_back({save, title, filter, QString()});
    cancelled = true;
    if (!state.answers.empty()) {
        if (state.answers.front() && !state.answers.front()->isEmpty()) {
            answer = *state.answers.front();
            cancelled = false;
        }
        state.answers.pop_front();
        state.followed.pop_front();
    }
    return true;
}

// Shows `guide` under a dialog of Qt's own (a desktop's dialog takes no words of ours).
void addGuide(QFileDialog& dialog, const QString& guide, QString* followed)
{
    if (guide.isEmpty())
        return;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* label = new QLabel(guide, &dialog);
    label->setObjectName(QStringLiteral("fileDialogGuide"));
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    QObject::connect(label, &QLabel::linkActivated, &dialog, [&dialog, followed](const QString& link) {
        if (QUrl(link).scheme() != FileDialog::kCommandScheme) {
            QDesktopServices::openUrl(QUrl(link));
            return;
        }
        if (followed)
            *followed = link;
        dialog.reject();
    });
    grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
}

bool testAnswer(bool save, const QString& title, const QString& filter, QString& answer,
                bool& cancelled)
{
    QStringList answers;
    if (!testAnswers(save, title, filter, answers, cancelled))
        return false;
    if (!cancelled)
        answer = answers.front();
    return true;
}

std::optional<QString> answered(const QString& answer, bool cancelled)
{
    if (cancelled)
        return std::nullopt;
    return answer;
}

std::optional<QString> runDialog(QFileDialog& dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty())
        return std::nullopt;
    return files.front();
}

// A desktop's own save dialog may hand back a name without the suffix the program asked for.
// The suffix is added here, and since the dialog never saw the full name, replacing an
// existing file is confirmed here too.
std::optional<QString> completeSaveName(const QString& name, const QString& defaultSuffix,
                                        QWidget* owner)
{
    if (defaultSuffix.isEmpty() || !QFileInfo(name).suffix().isEmpty())
        return name;
    const QString full = name + QLatin1Char('.') + defaultSuffix;
    if (QFileInfo::exists(full) &&
        !MessageBox::askYesNo(
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(full), owner))
        return std::nullopt;
    return full;
}

} // namespace

QString FileDialog::convertFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString windowsPatterns = parts[i + 1].trimmed();
        if (description.isEmpty() && windowsPatterns.isEmpty())
            continue;
        QStringList patterns;
        for (const QString& pattern : windowsPatterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        const QString qtPatterns =
            QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
        // A description that already ends with its patterns in brackets gets Qt's form of them
        // there; any other description gets them appended.
        const QString windowsTail = QLatin1Char('(') + windowsPatterns + QLatin1Char(')');
        QString entry;
        if (description.endsWith(windowsTail))
            entry = description.left(description.size() - windowsTail.size()) + qtPatterns;
        else if (description.isEmpty())
            entry = qtPatterns;
        else
            entry = description + QLatin1Char(' ') + qtPatterns;
        result << entry;
    }
    return result.join(QStringLiteral(";;"));
}

std::optional<QString> FileDialog::getOpenFileName(const QString& title, const QString& filter,
                                                   QWidget* owner)
{
    const QString qtFilter = convertFilter(filter);
    QString answer;
    bool cancelled = false;
    if (testAnswer(false, title, qtFilter, answer, cancelled))
        return answered(answer, cancelled);
    QFileDialog dialog(owner, title, QString(), qtFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return runDialog(dialog);
}

std::optional<QStringList> FileDialog::getOpenFileNames(const QString& title,
                                                        const QString& filter, QWidget* owner,
                                                        const QString& guide, QString* followed)
{
    const QString qtFilter = convertFilter(filter);
    QStringList answer;
    bool cancelled = false;
    TestState& state = testState();
    const QString link = state.on && !state.followed.empty() ? state.followed.front() : QString();
    if (testAnswers(false, title, qtFilter, answer, cancelled)) {
        state.asked.back().guide = guide;
        if (followed && !link.isEmpty())
            *followed = link;
        if (cancelled)
            return std::nullopt;
        return answer;
    }
    QFileDialog dialog(owner, title, QString(), qtFilter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    addGuide(dialog, guide, followed);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    QStringList files = dialog.selectedFiles();
    files.removeAll(QString());
    if (files.isEmpty())
        return std::nullopt;
    return files;
}

std::optional<QString> FileDialog::getSaveFileName(const QString& title, const QString& filter,
                                                   const QString& defaultSuffix, QWidget* owner)
{
    const QString qtFilter = convertFilter(filter);
    QString answer;
    bool cancelled = false;
    std::optional<QString> chosen;
    if (testAnswer(true, title, qtFilter, answer, cancelled)) {
        chosen = answered(answer, cancelled);
    } else {
        QFileDialog dialog(owner, title, QString(), qtFilter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(defaultSuffix);
        // Asking before an existing file is replaced is QFileDialog's default; keep it explicit.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        chosen = runDialog(dialog);
    }
    if (!chosen)
        return std::nullopt;
    return completeSaveName(*chosen, defaultSuffix, owner);
}

void FileDialog::setTestMode(bool on)
{
    TestState& state = testState();
    state.on = on;
    if (!on) {
        state.answers.clear();
        state.followed.clear();
        state.asked.clear();
    }
}

bool FileDialog::testMode()
{
    return testState().on;
}

void FileDialog::setNextFileName(std::optional<QString> fileName)
{
    setNextFileNames(fileName ? std::optional<QStringList>(QStringList{*fileName}) : std::nullopt);
}

void FileDialog::setNextFileNames(std::optional<QStringList> fileNames)
{
    testState().on = true;
    testState().answers.push_back(std::move(fileNames));
    testState().followed.push_back(QString());
}

void FileDialog::setNextFollowedLink(const QString& link)
{
    testState().on = true;
    testState().answers.push_back(std::nullopt);
    testState().followed.push_back(link);
}

const std::vector<FileDialog::Asked>& FileDialog::asked()
{
    return testState().asked;
}
