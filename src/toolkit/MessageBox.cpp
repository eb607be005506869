#include "toolkit/MessageBox.h"

#include <QCheckBox>
#include <QMessageBox>
#include <deque>

const QString MessageBox::kQuestion = QStringLiteral("Question");
const QString MessageBox::kInformation = QStringLiteral("Information");
const QString MessageBox::kWarning = QStringLiteral("Warning");
const QString MessageBox::kCaution = QStringLiteral("Caution");
const QString MessageBox::kError = QStringLiteral("Error");

namespace {

struct TestState {
    bool on = false;
    std::deque<MessageBox::Answer> answers;
    std::vector<MessageBox::Asked> asked;
    bool nextCheck = false;
};

TestState& testState()
{
    static TestState state;
    return state;
}

QMessageBox::Icon qtIcon(MessageBox::Icon icon)
{
    switch (icon) {
    case MessageBox::Icon::Question:
        return QMessageBox::Question;
    case MessageBox::Icon::Information:
        return QMessageBox::Information;
    case MessageBox::Icon::Warning:
        return QMessageBox::Warning;
    case MessageBox::Icon::Error:
        return QMessageBox::Critical;
    case MessageBox::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton qtButton(MessageBox::Answer answer)
{
    switch (answer) {
    case MessageBox::Answer::Ok:
        return QMessageBox::Ok;
    case MessageBox::Answer::Cancel:
        return QMessageBox::Cancel;
    case MessageBox::Answer::Yes:
        return QMessageBox::Yes;
    case MessageBox::Answer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons qtButtons(MessageBox::Buttons buttons)
{
    switch (buttons) {
    case MessageBox::Buttons::Ok:
        return QMessageBox::Ok;
    case MessageBox::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageBox::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageBox::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The answer a box gives when the user closes it without pressing a button.
MessageBox::Answer escapeAnswer(MessageBox::Buttons buttons)
{
    switch (buttons) {
    case MessageBox::Buttons::Ok:
        return MessageBox::Answer::Ok;
    case MessageBox::Buttons::YesNo:
        return MessageBox::Answer::No;
    case MessageBox::Buttons::OkCancel:
    case MessageBox::Buttons::YesNoCancel:
        break;
    }
    return MessageBox::Answer::Cancel;
}

bool offered(MessageBox::Buttons buttons, MessageBox::Answer answer)
{
    return qtButtons(buttons).testFlag(qtButton(answer));
}

// Every box; `checked` is null for a box without a check box.
MessageBox::Answer showBox(const QString& text, const QString& caption, MessageBox::Icon icon,
                           MessageBox::Buttons buttons, MessageBox::Answer defaultAnswer,
                           QWidget* owner, const QString& checkText, bool* checked)
{
    using Answer = MessageBox::Answer;
    if (!offered(buttons, defaultAnswer))
        defaultAnswer = escapeAnswer(buttons);

    TestState& state = testState();
    if (state.on) {
        state.asked.push_back({text, caption, icon, buttons, checkText});
        if (checked != nullptr) {
            *checked = state.nextCheck;
            state.nextCheck = false;
        }
        if (state.answers.empty())
            return defaultAnswer;
        const Answer answer = state.answers.front();
        state.answers.pop_front();
        return answer;
    }

    QMessageBox box(qtIcon(icon), caption, text, qtButtons(buttons), owner);
    box.setDefaultButton(qtButton(defaultAnswer));
    box.setEscapeButton(qtButton(escapeAnswer(buttons)));
    if (checked != nullptr)
        box.setCheckBox(new QCheckBox(checkText, &box));
    const int pressed = box.exec();
    if (checked != nullptr)
        *checked = box.checkBox()->isChecked();
    switch (pressed) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return escapeAnswer(buttons);
    }
}

} // namespace

MessageBox::Answer MessageBox::show(const QString& text, const QString& caption, Icon icon,
                                    Buttons buttons, Answer defaultAnswer, QWidget* owner)
{
    return showBox(text, caption, icon, buttons, defaultAnswer, owner, QString(), nullptr);
}

bool MessageBox::askYesNo(const QString& text, QWidget* owner)
{
    return show(text, kQuestion, Icon::Question, Buttons::YesNo, Answer::No, owner) == Answer::Yes;
}

bool MessageBox::askYesNo(const QString& text, const QString& checkText, bool& checked,
                          QWidget* owner)
{
    return showBox(text, kQuestion, Icon::Question, Buttons::YesNo, Answer::No, owner, checkText,
                   &checked) == Answer::Yes;
}

void MessageBox::information(const QString& text, QWidget* owner)
{
    show(text, kInformation, Icon::Information, Buttons::Ok, Answer::Ok, owner);
}

void MessageBox::warning(const QString& text, QWidget* owner)
{
    show(text, kWarning, Icon::Warning, Buttons::Ok, Answer::Ok, owner);
}

void MessageBox::caution(const QString& text, QWidget* owner)
{
    show(text, kCaution, Icon::Warning, Buttons::Ok, Answer::Ok, owner);
}

void MessageBox::error(const QString& text, QWidget* owner)
{
    show(text, kError, Icon::Error, Buttons::Ok, Answer::Ok, owner);
}

void MessageBox::setTestMode(bool on)
{
    TestState& state = testState();
    state.on = on;
    if (!on) {
        state.answers.clear();
        state.asked.clear();
        state.nextCheck = false;
    }
}

bool MessageBox::testMode()
{
    return testState().on;
}

void MessageBox::setNextAnswer(Answer answer)
{
    testState().on = true;
    testState().answers.push_back(answer);
}

void MessageBox::setNextCheck(bool checked)
{
    testState().nextCheck = checked;
}

const std::vector<MessageBox::Asked>& MessageBox::asked()
{
    return testState().asked;
}

void MessageBox::clearAsked()
{
    testState().asked.clear();
}
