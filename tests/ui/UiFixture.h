// A shown, active Form1 with its own engine and a message sink that records instead of blocking.
#pragma once

#include "EngineTypes.h"
#include "Form1.h"
#include "GameController.h"
#include "GameControllerProbe.h"
#include "GamePrinters.h"
#include "MessageSink.h"
#include "PuzzleEngine.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

struct ShownMessage {
    QString text;
    MessageIcon icon;
};

class RecordingSink : public MessageSink {
  public:
    void inform(const QString& text, MessageIcon icon) override { shown.push_back({text, icon}); }
    bool ask(const QString& text) override
    {
        shown.push_back({text, MessageIcon::Question});
        return answer;
    }
    Answer askOrCancel(const QString& text) override
    {
        shown.push_back({text, MessageIcon::Question});
        return choice;
    }

    std::vector<ShownMessage> shown;
    bool answer = true;
    Answer choice = Answer::Yes;
};

class UiFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T> T* child(const QString& name) const
    {
        T* found = m_window->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QPlainTextEdit* ref() const { return child<QPlainTextEdit>(QStringLiteral("ref")); }
    QPlainTextEdit* soluce() const { return child<QPlainTextEdit>(QStringLiteral("soluce")); }
    QTextEdit* propal() const { return child<QTextEdit>(QStringLiteral("propal")); }
    QPlainTextEdit* lettres() const { return child<QPlainTextEdit>(QStringLiteral("lettres")); }
    QString label(const QString& name) const { return child<QLabel>(name)->text(); }
    QPushButton* button(const QString& name) const { return child<QPushButton>(name); }
    void trigger(const char* item) const { child<QAction>(QString::fromUtf8(item))->trigger(); }
    // The format of the proposal's character at index.
    QTextCharFormat proposalFormatAt(int index) const;

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

    // A new game and a window on it; the old window goes first.
    void makeWindow();

    std::unique_ptr<GameController> m_game;
    PuzzleEngine* m_engine = nullptr; // the game's own engine
    std::unique_ptr<Form1> m_window;
    RecordingSink m_sink;
    std::function<void()> m_onModal;
};
