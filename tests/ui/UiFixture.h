// A shown, active Form1 on a game file of the test's own, with a message sink that records
// instead of blocking and choosers that answer as the test sets them.
#pragma once

#include "Choosers.h"
#include "EngineTypes.h"
#include "Form1.h"
#include "GameController.h"
#include "GamePrinters.h"
#include "MessageSink.h"
#include "StoreFiles.h"
#include "StoreLocation.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// A run whose command line names this game, by its absolute path.
inline StoreLocationInputs startUpOn(const QString& path)
{
    return {{QStringLiteral("plimo"), path}, {}, {}, {}, {}, {}};
}

struct ShownMessage {
    QString text;
    MessageIcon icon;
};

// Keeps every box's text and icon; a question is answered `yes` with Oui and Non, `choice`
// with Annuler too.
class RecordingSink : public MessageSink {
  public:
    Answer answer(const Question& question) override
    {
        shown.push_back({question.text, question.icon});
        if (question.buttons == Question::Buttons::Ok)
            return Answer::Yes;
        if (question.buttons == Question::Buttons::YesNo)
            return yes ? Answer::Yes : Answer::No;
        return choice;
    }

    std::vector<ShownMessage> shown;
    bool yes = true;
    Answer choice = Answer::Yes;
};

// Gives the colour and font set, or cancels when none is; keeps what the chooser opened on.
class ScriptedChoosers : public Choosers {
  public:
    std::optional<QColor> chooseColour(const QColor& initial, QWidget*) override
    {
        initialColour = initial;
        return colour;
    }
    std::optional<QFont> chooseFont(const QFont& initial, QWidget*) override
    {
        initialFont = initial;
        return font;
    }

    std::optional<QColor> colour;
    std::optional<QFont> font;
    QColor initialColour;
    QFont initialFont;
};

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { endWindow(); }
    // The game the first window starts on: by default the empty game «Nouvelle partie» makes.
    virtual void makeGame();

    // A new game and window on m_path, with these boxes and choosers (Qt's own for nullptr):
    // shown and active when the start-up worked. The old window goes first.
    bool startWindow(MessageSink* messages, Choosers* choosers);
    bool startWindow() { return startWindow(&m_sink, &m_choosers); }
    // The sample game ("LE CHAT", found "** ****", proposal "LE CHIEN", count 4, a stored look)
    // with these changes, made afresh at m_path, and a window on it.
    bool startOnSample(const QStringList& changes = {});
    // Closes the program's other windows, then ends the window and its game without asking.
    void endWindow();

    template <typename T> T* child(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // One of the program's windows other than the main one, or nullptr.
    template <typename T = QWidget> static T* topLevel(const char* name)
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == QLatin1String(name))
                return qobject_cast<T*>(widget);
        return nullptr;
    }
    QPlainTextEdit* ref() const { return child<QPlainTextEdit>(QStringLiteral("ref")); }
    QPlainTextEdit* soluce() const { return child<QPlainTextEdit>(QStringLiteral("soluce")); }
    QTextEdit* propal() const { return child<QTextEdit>(QStringLiteral("propal")); }
    QPlainTextEdit* lettres() const { return child<QPlainTextEdit>(QStringLiteral("lettres")); }
    QString label(const QString& name) const { return child<QLabel>(name)->text(); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(name); }
    void trigger(const char* item) const { child<QAction>(QString::fromUtf8(item))->trigger(); }
    // The four texts and the remaining count as the window shows them.
    QStringList shown() const;
    // The format of the proposal's character at index.
    QTextCharFormat proposalFormatAt(int index) const;
    // The first value the query reads from the game's file.
    QVariant stored(const QString& sql) const { return RawStore(m_path).value(sql); }

    // A real left click, which moves the focus first as a user's click does.
    void click(QWidget* widget);
    void clickButton(const QString& name) { click(button(name)); }
    // Focuses the pane with a click and types the text at its end; Enter for "\n".
    void typeInto(QWidget* pane, const QString& text);
    // Starts a puzzle through the window: the reference typed, then "Initialiser".
    void initialise(const QString& reference);
    // Empties the proposal pane, types the proposal and presses "Générer".
    void generate(const QString& proposal);

    // Runs check on the modal dialog of that type once it is shown, from the event loop that
    // shows it: a real box or chooser is answered through its own widgets.
    template <typename Dialog> void onModal(std::function<void(Dialog*)> check)
    {
        m_onModal = [this, check] {
            auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
            if (!dialog || !QTest::qWaitForWindowExposed(dialog)) {
                QTimer::singleShot(10, m_onModal);
                return;
            }
            check(dialog);
        };
        QTimer::singleShot(0, m_onModal);
    }

    QTemporaryDir m_dir; // outlives the game, whose file lies in it
    QString m_path;
    std::unique_ptr<GameController> m_game;
    std::unique_ptr<Form1> m_window;
    RecordingSink m_sink;
    ScriptedChoosers m_choosers;
    std::function<void()> m_onModal;
};
