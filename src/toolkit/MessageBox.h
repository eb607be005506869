#pragma once

#include <QString>
#include <vector>

class QWidget;

/// The one way the program asks or tells the user something in a box. Every box of the program
/// goes through `show`, so tests can answer it: in test mode no box is shown, each question is
/// recorded and answered with the next queued answer (or the box's default button).
class MessageBox {
public:
    enum class Icon { None, Question, Information, Warning, Error };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    /// One box as it was asked while in test mode.
    struct Asked {
        QString text;
        QString caption;
        Icon icon;
        Buttons buttons;
        QString checkText; ///< the box's check box, or empty when it had none
    };

    /// The captions the program uses.
    static const QString kQuestion;
    static const QString kInformation;
    static const QString kWarning;
    static const QString kCaution;
    static const QString kError;

    /// Shows a modal box and returns the button pressed. Closing the box without a button
    /// answers Cancel where the box has one, No for a Yes/No box and Ok for an Ok box.
    static Answer show(const QString& text, const QString& caption, Icon icon, Buttons buttons,
                       Answer defaultAnswer, QWidget* owner = nullptr);

    /// "Question" box with Yes and No, No by default; true when the user answers Yes.
    static bool askYesNo(const QString& text, QWidget* owner = nullptr);
    /// The same with a check box labelled `checkText` below the text, unticked at first;
    /// `checked` receives whether it was ticked.
    static bool askYesNo(const QString& text, const QString& checkText, bool& checked,
                         QWidget* owner = nullptr);
    /// Ok boxes with the matching caption and icon ("Caution" has the warning icon).
    static void information(const QString& text, QWidget* owner = nullptr);
    static void warning(const QString& text, QWidget* owner = nullptr);
    static void caution(const QString& text, QWidget* owner = nullptr);
    static void error(const QString& text, QWidget* owner = nullptr);

    // Test hooks.
    /// Turns test mode on or off; turning it off also forgets queued answers and records.
    static void setTestMode(bool on);
    static bool testMode();
    /// Queues the answer to the next box and turns test mode on.
    static void setNextAnswer(Answer answer);
    /// Ticks the check box of the next box that has one (test mode only).
    static void setNextCheck(bool checked);
    /// The boxes asked in test mode, oldest first.
    static const std::vector<Asked>& asked();
    static void clearAsked();
};
