// The main window Form1: it composes the views of the game (the panes and counts, the player
// field, the file menu, the history, preview and conflict windows), each bound to the game
// controller, and sends the buttons, keys and menu items to the game.
#pragma once

#include "AppearanceItems.h"
#include "ControlsTable.h"
#include "EngineTypes.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

class AppearanceController;
class Choosers;
class ConflictDialog;
class GameController;
class HistoryWindow;
class MainWindowPlacement;
class MessageSink;
class PanesView;
class PreviewWindow;
class QAction;
class QMenu;
struct StoreLocationInputs;

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    // The game belongs to the program and outlives the window, which only shows it. The
    // window's message boxes and the appearance menu's choosers are Qt's own unless others are
    // given; those given outlive the window.
    explicit Form1(GameController& game, MessageSink* messages = nullptr,
                   Choosers* choosers = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // The game's start-up, on the one the run's command line, recent games and folders pick;
    // the window then shows it, placed at its design place. When no game can be opened, shows
    // why in a critical box and returns false.
    bool startUp(const StoreLocationInputs& inputs);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildGameItems(QMenu* file);
    void buildTabOrder();
    void installShortcuts();
    bool started(const std::optional<Refusal>& refused);
    void captionTheFile(const QString& path);
    // Shows the refusal's box, if any.
    void refused(const std::optional<Refusal>& refusal);

    void init_Click();
    void Generer_Click();
    void bt_copier_Click();
    void Command1_Click();
    void saveGame();
    void clearPage();
    void requestQuit();
    void mnu_version_Click();
    void mnu_annuler_tour_Click();
    void mnu_historique_Click();
    void mnu_classement_Click(bool checked);
    void mnu_apercu_Click();
    // Ends the run at once: the window closes past its guard and the event loop stops.
    void endProgram();
    void closeOtherWindows();
    QRect controlsArea() const;

    GameController& m_game;
    std::unique_ptr<MessageSink> m_boxes;
    std::unique_ptr<Choosers> m_qtChoosers;
    MessageSink& m_messages;
    Controls m_controls;
    PanesView* m_panes = nullptr;
    MainWindowPlacement* m_placement = nullptr;
    AppearanceController* m_appearance = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_rankingItem = nullptr;
    std::array<QAction*, kAppearanceItemCount> m_appearanceActions{};
    // Opened without an owner, so that they do not stay above the main window.
    std::unique_ptr<ConflictDialog> m_conflictDialog;
    std::unique_ptr<HistoryWindow> m_historyWindow;
    std::unique_ptr<PreviewWindow> m_previewWindow;
    // Set when the program ends through a quit that has already passed its guard.
    bool m_ending = false;
};
